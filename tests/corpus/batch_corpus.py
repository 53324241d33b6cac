#!/usr/bin/env python3
"""Records and compares a corpus of batch-mode runs of zorvcalc.

A refactor that must not change behaviour is checked by recording the corpus
with the program before the change and again after it, then comparing the
two recordings byte for byte: standard output, standard error, the exit code,
the settings file as the run left it and every file the run wrote.

  batch_corpus.py record BIN OUTDIR [--count N] [--seed S]
  batch_corpus.py compare OUTDIR_A OUTDIR_B

Every run is generated from the seed alone, so the same seed and count always
give the same runs. Each run works in one fixed scratch folder (removed and
made again before every run) with that folder as its working directory, so
relative paths given as answers stay inside it and absolute paths printed in
messages are the same from one recording to the next.
"""

import argparse
import hashlib
import json
import os
import random
import shutil
import subprocess
import sys

SCRATCH = "/tmp/zorv-batch-corpus"

# Every command name a menu, the toolbar catalogue or a named key reaches.
COMMANDS = [
    # named keys
    "CE", "C", "+/-", "ENTER", "BS", "DEL", "MS", "MR", "M+", "M-", "MC",
    # File / Edit / Operators / Memory
    "Load Saved Tape", "Save Tape to File", "Print Tape", "Publish Tape", "Backup Data",
    "Restore Data", "Program Properties", "Minimize", "Copy Readout", "Paste Readout",
    "Insert into Previous Program", "+", "-", "X", "/", "=", "Percent", "Square",
    "Square Root", "Change Sign",
    # Modes
    "Calculator (No Conversions)", "Financial Calculator", "Auto-Decimal Mode",
    "Adding Machine Mode", "RPN Mode", "Show Percentages", "% for Number", "Magic Number",
    "Repeat Subtraction", "Carry Result", "Format Numbers", "Number Tape Items", "View RPN Stack",
    # Fin
    "Interest Calculator", "Interest Rate per Period", "Interest for X days",
    "Internal Rate of Return", "Modified Internal Rate of Return",
    "Number of Payments to Pay Off Loan", "Net Present Value of Investment", "Annuity Payments",
    "Annuity Principle Payment", "Present Value of Annuity", "Future Value of Annuity",
    "Straight Line Depreciation", "Sum-of-Years' Digits Depreciation",
    "Double-Declining Balance Depreciation",
    # Sci
    "Sine", "Cosine", "Tangent", "Arctangent", "Secant", "Cosecant", "Cotangent",
    "Inverse Sine", "Inverse Cosine", "Inverse Secant", "Inverse Cosecant", "Inverse Cotangent",
    "Hyperbolic Sine", "Hyperbolic Cosine", "Hyperbolic Tangent", "Hyperbolic Secant",
    "Hyperbolic Cosecant", "Hyperbolic Cotangent", "Inverse Hyperbolic Sine",
    "Inverse Hyperbolic Cosine", "Inverse Hyperbolic Tangent", "Inverse Hyperbolic Secant",
    "Inverse Hyperbolic Cosecant", "Inverse Hyperbolic Cotangent", "Natural Logarithm",
    "Exp (Base of Natural Log)", "Logarithm to Base N", "Reciprocal", "Degrees", "Radiants",
    "Pi", "e constant", "Golden Cut", "Convert to Fractions",
    # Conversions
    "Metric to English Conversions", "English to Metric Conversions",
    "Area/Volume Metric to English Conversions", "Area/&Volume English to Metric Conversions",
    "Temperature Conversions", "Time Conversions - Week", "Time Conversions - Day",
    "Time Conversions - Hour", "Time Conversions - Minutes", "Intra-System Metric",
    "Intra-System English Weight", "Intra-System English Square", "Intra-System English Cubic",
    "Intra-System English Length", "Intra-System English Capacity", "Intra-System Computer",
    "Imperial Measures", "Troy Measures", "Currency Conversions", "Base Conversions",
    # Tape
    "Annotate Tape", "Find On Tape", "Find Next", "Clear Tape", "Edit Tape",
    "Tape to Scratch Pad", "Hide/Show Tape", "Hide/Show Number Keys",
    # Tools
    "Expression Evaluator", "Don't Hide Evaluator", "Construction Calculator (ft/in)",
    "Time/Date Calculations", "Show Calendar", "Set Alarms", "Alarms Enabled/Disabled",
    "Scratch Pad", "Billing Rate", "Start/Stop Project Timer", "Hide/Show Toolbar",
    "Show in Tray", "Stay On Top", "Hide Main Window", "Calc On Top", "Exit Button Minimizes",
    # Help, and names that are not commands at all
    "Help Contents", "About", "No Such Command", "eval", "",
]

# Settings keys of [Startup] with values a hand-edited file may hold,
# garbage included.
STARTUP_VALUES = {
    "Carry Result": ["-1", "0", "True", "x"],
    "Financial Mode": ["True", "False", "1", "0", "maybe"],
    "Show Percentage": ["True", "False"],
    "Adding Machine Mode": ["1", "0"],
    "Format Numbers": ["1", "0"],
    "Percent Calculation": ["1", "0"],
    "AutoDecimal": ["True", "False"],
    "RPN Mode": ["0", "1", "2"],
    "Save Memory": ["True", "False"],
    "Memory": ["0", "78.9", "-12.5", "1e300", "abc"],
    "Decimal Places": ["2", "4", "15", "1", "16", "x"],
    "Repeat Subtraction": ["True", "False"],
    "Imperial Measures": ["True", "False"],
    "Troy Measures": ["True", "False"],
    "Tape Item Count": ["True", "False"],
    "Confirm Expression": ["0", "1"],
    "Dont hide Eval": ["True", "False"],
    "Publish Type": ["TXT", "csv", "../x"],
    "Start Year": ["1500", "1900", "99"],
    "End Year": ["2400", "2100"],
}

INTL = [
    None,
    {"sDecimal": ".", "sThousand": ",", "sCurrency": "$"},
    {"sDecimal": '","', "sThousand": ".", "sCurrency": "EUR"},
    {"sDecimal": ".", "sThousand": "'"},
    {"sDecimal": '","', "sThousand": " "},
]

LOCALES = ["C", "en_US.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"]

BUTTON_TIPS = ["Annotate Tape", "Pi", "Square", "Interest Calculator", "RPN Mode",
               "Right Click to Set Button", "Unknown Tip", "Clear Tape"]

EXPRESSIONS = ["2+3", "(1-3)^2", "10/4", "X*2", "-3^2", "2*-3^2", "1/0", "((2)", "5%", "Pi*2",
               "(X^2+Y^2)^.5", "--5", "abc", "3(4)", "2^0.5", "1e3+1", ""]


def number(rng):
    whole = str(rng.choice([0, 1, 2, 5, 7, 12, 99, 100, 1234, 98765, 10 ** rng.randint(1, 20)]))
    if rng.random() < 0.5:
        whole += "." + "".join(rng.choice("0123456789") for _ in range(rng.randint(0, 4)))
    return whole


def answer(rng):
    kind = rng.random()
    if kind < 0.25:
        return rng.choice(["yes", "no", "cancel", "ok", ""])
    if kind < 0.6:
        return rng.choice(["", "-"]) + number(rng)
    if kind < 0.75:
        return rng.choice(["tape.txt", "sub/tape.txt", SCRATCH + "/abs.txt", "backup",
                           "missing/none.txt", "data"])
    if kind < 0.85:
        return rng.choice(["12", "5", "360", "0", "100", "abc", "1,5", "3.5.5"])
    return rng.choice(["note text", "Total", "x", "  spaced  ", "日本"])


def key_stream(rng):
    parts = []
    for _ in range(rng.randint(3, 60)):
        r = rng.random()
        if r < 0.35:
            parts.append(number(rng))
        elif r < 0.55:
            parts.append(rng.choice(["+", "-", "*", "x", "X", "/", "=", "\n", "%"]))
        elif r < 0.62:
            parts.append(rng.choice("SsRrMmNnCc^.,()\b\x7f"))
        elif r < 0.85:
            parts.append("{" + rng.choice(COMMANDS) + "}")
        elif r < 0.9:
            parts.append("{Convert %d}" % rng.randint(0, 8))
        elif r < 0.93:
            parts.append("{Toolbar %d}" % rng.randint(0, 10))
        elif r < 0.96:
            parts.append("{Eval %s}" % rng.choice(EXPRESSIONS))
        elif r < 0.98:
            parts.append("{Var %s=%s}" % (rng.choice("XYZQ"), number(rng)))
        else:
            parts.append("[" + answer(rng) + "]")
        if rng.random() < 0.2:
            parts.append("[" + answer(rng) + "]")
    return "".join(parts)


def settings_text(rng):
    lines = []
    if rng.random() < 0.2:
        return None
    lines.append("[Startup]")
    for k, values in STARTUP_VALUES.items():
        if rng.random() < 0.3:
            lines.append("%s=%s" % (k, rng.choice(values)))
    intl = rng.choice(INTL)
    if intl:
        lines.append("")
        lines.append("[Intl]")
        for k, v in intl.items():
            lines.append("%s=%s" % (k, v))
    if rng.random() < 0.4:
        lines.append("")
        lines.append("[Buttons]")
        for b in range(1, 10):
            if rng.random() < 0.4:
                lines.append("%dToolTip=%s" % (b, rng.choice(BUTTON_TIPS)))
    return "\n".join(lines) + "\n"


def make_case(rng, index):
    return {
        "index": index,
        "keys": key_stream(rng),
        "settings": settings_text(rng),
        "locale": rng.choice(LOCALES),
        "data_dir": rng.random() < 0.7,
        "formulas": rng.random() < 0.3,
        "saved_tape": rng.random() < 0.3,
    }


def prepare(case):
    shutil.rmtree(SCRATCH, ignore_errors=True)
    os.makedirs(SCRATCH + "/data")
    os.makedirs(SCRATCH + "/backup")
    args = ["--batch"]
    if case["settings"] is not None:
        with open(SCRATCH + "/settings.ini", "w", encoding="utf-8") as f:
            f.write(case["settings"])
        args += ["--settings", SCRATCH + "/settings.ini"]
    if case["data_dir"]:
        args += ["--data-dir", SCRATCH + "/data"]
    if case["formulas"]:
        with open(SCRATCH + "/data/evalform.frm", "wb") as f:
            f.write(b"Square\tX^2\r\nHyp\t(X^2+Y^2)^.5\r\n")
    if case["saved_tape"]:
        with open(SCRATCH + "/tape.txt", "wb") as f:
            f.write(b"         12.00 +\r\n         30.00 =\r\n------------------\r\n")
    return args


def without_log_times(data):
    """The debug log's lines start with the date and the time of writing,
    which differ from one recording to the next; the rest must not."""
    lines = data.split(b"\n")
    return b"\n".join(line.split(b",", 2)[-1] for line in lines)


def snapshot_files():
    files = {}
    for root, _, names in os.walk(SCRATCH):
        for name in sorted(names):
            path = os.path.join(root, name)
            rel = os.path.relpath(path, SCRATCH)
            try:
                with open(path, "rb") as f:
                    data = f.read()
                if name == "zorvcalc.deb":
                    data = without_log_times(data)
                files[rel] = hashlib.sha256(data).hexdigest()
            except OSError as e:
                files[rel] = "unreadable: %s" % e.strerror
    return files


def run_case(binary, case):
    args = prepare(case)
    env = {"PATH": "/usr/bin:/bin", "HOME": SCRATCH, "LANG": case["locale"],
           "LC_ALL": case["locale"], "XDG_RUNTIME_DIR": SCRATCH, "XDG_CONFIG_HOME": SCRATCH + "/cfg",
           "XDG_DATA_HOME": SCRATCH + "/share", "QT_QPA_PLATFORM": "offscreen",
           # A fixed clock, so the timer, today's date and alarms give the
           # same output in every recording.
           "ZORV_NOW": "2026-12-08T09:00:00", "TZ": "UTC"}
    try:
        p = subprocess.run([binary] + args, input=case["keys"].encode("utf-8"), cwd=SCRATCH,
                           env=env, capture_output=True, timeout=20)
        out, err, rc = p.stdout, p.stderr, p.returncode
    except subprocess.TimeoutExpired:
        out, err, rc = b"", b"", "timeout"
    settings = None
    if os.path.isfile(SCRATCH + "/settings.ini"):
        with open(SCRATCH + "/settings.ini", "rb") as f:
            settings = f.read()
    return out, err, rc, settings, snapshot_files()


def record(args):
    rng = random.Random(args.seed)
    os.makedirs(args.outdir, exist_ok=True)
    summary = []
    for i in range(args.count):
        case = make_case(rng, i)
        out, err, rc, settings, files = run_case(os.path.abspath(args.binary), case)
        stem = os.path.join(args.outdir, "%05d" % i)
        with open(stem + ".keys", "w", encoding="utf-8") as f:
            json.dump(case, f, ensure_ascii=False, indent=1)
        with open(stem + ".out", "wb") as f:
            f.write(out)
        with open(stem + ".err", "wb") as f:
            f.write(err)
        if settings is not None:
            with open(stem + ".ini", "wb") as f:
                f.write(settings)
        summary.append({"index": i, "rc": rc, "files": files,
                        "out": hashlib.sha256(out).hexdigest(),
                        "err": hashlib.sha256(err).hexdigest(),
                        "ini": None if settings is None else hashlib.sha256(settings).hexdigest()})
    with open(os.path.join(args.outdir, "summary.json"), "w", encoding="utf-8") as f:
        json.dump(summary, f, indent=0)
    timeouts = sum(1 for s in summary if s["rc"] == "timeout")
    print("recorded %d runs in %s (%d timed out)" % (len(summary), args.outdir, timeouts))
    return 0


def compare(args):
    with open(os.path.join(args.a, "summary.json"), encoding="utf-8") as f:
        a = json.load(f)
    with open(os.path.join(args.b, "summary.json"), encoding="utf-8") as f:
        b = json.load(f)
    if len(a) != len(b):
        print("different run counts: %d and %d" % (len(a), len(b)))
        return 1
    differing = [x["index"] for x, y in zip(a, b) if x != y]
    for i in differing[:20]:
        x, y = a[i], b[i]
        what = [k for k in ("rc", "out", "err", "ini", "files") if x[k] != y[k]]
        print("run %05d differs in %s" % (i, ", ".join(what)))
    print("%d runs compared, %d identical, %d differ" % (len(a), len(a) - len(differing),
                                                          len(differing)))
    return 1 if differing else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="verb", required=True)
    r = sub.add_parser("record")
    r.add_argument("binary")
    r.add_argument("outdir")
    r.add_argument("--count", type=int, default=3000)
    r.add_argument("--seed", type=int, default=20261208)
    c = sub.add_parser("compare")
    c.add_argument("a")
    c.add_argument("b")
    args = parser.parse_args()
    return record(args) if args.verb == "record" else compare(args)


if __name__ == "__main__":
    sys.exit(main())
