#!/usr/bin/env python3
"""A batch corpus aimed at the guided financial calculators.

The general corpus (tests/corpus/batch_corpus.py) answers questions at
random, so few of its calculators get as far as a report. This one runs the
same recorder and comparison with key streams that start calculators and
answer them mostly with plausible numbers, now and then with an empty
answer, "no", "cancel" or an answer that is not a number:

  finance_corpus.py record BIN OUTDIR [--count N] [--seed S]
  finance_corpus.py compare OUTDIR_A OUTDIR_B
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "corpus"))
import batch_corpus  # noqa: E402

# The Fin menu's commands, as the general corpus lists them.
CALCULATORS = batch_corpus.COMMANDS[batch_corpus.COMMANDS.index("Interest Calculator"):
                                    batch_corpus.COMMANDS.index("Double-Declining Balance Depreciation") + 1]


def finance_answer(rng):
    r = rng.random()
    if r < 0.55:
        return rng.choice(["", "-"] if rng.random() < 0.1 else [""]) + rng.choice(
            ["0", "1", "2", "3", "5", "7.25", "12", "36", "60", "100", "360", "1000", "5000", "10000",
             "0.5", "0.07", "99999999", "1" + "0" * rng.randint(5, 30)])
    if r < 0.8:
        return rng.choice(["yes", "no"])
    if r < 0.87:
        return rng.choice(["", "", "yes"])
    if r < 0.92:
        return rng.choice(["abc", "1,5", "3.5.5", "--2", "1e5"])
    if r < 0.95:
        return "cancel"
    return batch_corpus.number(rng)


def key_stream(rng):
    parts = []
    for _ in range(rng.randint(1, 4)):
        if rng.random() < 0.3:
            parts.append(batch_corpus.number(rng) + rng.choice(["+", "-", "*", "=", ""]))
        if rng.random() < 0.1:
            parts.append("{" + rng.choice(["Financial Calculator", "Format Numbers", "RPN Mode"]) + "}")
        parts.append("{" + rng.choice(CALCULATORS) + "}")
        for _ in range(rng.randint(3, 25)):
            parts.append("[" + finance_answer(rng) + "]")
        if rng.random() < 0.3:
            parts.append(rng.choice(["+2=", "=", "*3=", "{MS}", "{Copy Readout}"]))
    return "".join(parts)


batch_corpus.key_stream = key_stream

if __name__ == "__main__":
    sys.exit(batch_corpus.main())
