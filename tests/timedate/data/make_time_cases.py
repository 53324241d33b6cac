#!/usr/bin/env python3
"""Writes time-cases.csv for the time and billing tests.

The expected values are computed with Python's fractions.Fraction (exact
rational arithmetic) and datetime.timedelta, independently of the C++ code:
decimal hours are seconds / 3600 written out only where the fraction ends
(the seconds a multiple of 9), h:mm:ss comes from timedelta, clock-time
differences from datetime subtraction across midnight, and a bill is
seconds x rate / 3600 rounded half away from zero to cents by hand.

Run from anywhere: python3 make_time_cases.py  (writes beside itself).
The random part uses a fixed seed, so the output is reproducible.
"""
import csv
import datetime as dt
import os
import random
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))


def hms(seconds):
    """h:mm:ss for whole seconds, hours not wrapped at 24."""
    td = dt.timedelta(seconds=abs(seconds))
    total = int(td.total_seconds())
    h, rest = divmod(total, 3600)
    m, s = divmod(rest, 60)
    return ("-" if seconds < 0 else "") + f"{h}:{m:02d}:{s:02d}"


def decimal_text(q):
    """A fraction with a terminating decimal expansion, written out exactly."""
    sign = "-" if q < 0 else ""
    q = abs(q)
    whole = q.numerator // q.denominator
    frac = q - whole
    digits = ""
    while frac:
        frac *= 10
        d = frac.numerator // frac.denominator
        digits += str(d)
        frac -= d
        assert len(digits) < 30
    return sign + str(whole) + ("." + digits if digits else "")


def cents_half_away(q):
    scaled = q * 100
    n = abs(scaled)
    whole = n.numerator // n.denominator
    if n - whole >= Fraction(1, 2):
        whole += 1
    whole = -whole if scaled < 0 else whole
    return f"{'-' if whole < 0 else ''}{abs(whole) // 100}.{abs(whole) % 100:02d}"


rows = []

# hours: typed h:mm or h:mm:ss -> exact decimal hours (seconds multiple of 9).
fixed_hours = ["1:45", "0:45", "1:30", "0:01:48", "2:00:36", "-0:15", "23:59:24", "100:00", "0:00:09",
               "9999:59:51"]
for text in fixed_hours:
    neg = text.startswith("-")
    parts = [int(p) for p in text.lstrip("-").split(":")]
    seconds = parts[0] * 3600 + parts[1] * 60 + (parts[2] if len(parts) > 2 else 0)
    seconds = -seconds if neg else seconds
    rows.append(["hours", text, decimal_text(Fraction(seconds, 3600))])
rng = random.Random(17)
for _ in range(12):
    seconds = rng.randrange(0, 200 * 3600 // 9) * 9
    rows.append(["hours", hms(seconds), decimal_text(Fraction(seconds, 3600))])

# hms: decimal hours -> h:mm:ss (hours whose seconds are whole).
for text in ["1.75", "0.25", "2.5", "0.0025", "12.345", "-1.5", "36", "0.1"]:
    q = Fraction(text)
    seconds = q * 3600
    assert seconds.denominator == 1
    rows.append(["hms", text, hms(int(seconds))])

# clockdiff: from, to -> the time from one to the other, across midnight.
day = dt.date(2026, 12, 8)
for a, b in [("22:30", "1:15"), ("9:00", "17:30"), ("0:00", "0:00"), ("23:59:59", "0:00"),
             ("12:00", "11:59"), ("0:00:01", "23:59:59"), ("6:45", "6:46"), ("18:00", "6:00")]:
    def at(text):
        p = [int(x) for x in text.split(":")]
        return dt.datetime.combine(day, dt.time(p[0], p[1], p[2] if len(p) > 2 else 0))
    start, stop = at(a), at(b)
    if stop < start:
        stop += dt.timedelta(days=1)
    rows.append(["clockdiff", a, b, hms(int((stop - start).total_seconds()))])

# bill: duration, rate -> amount rounded half away from zero to cents.
bills = [("3:20", "100"), ("1:30", "80"), ("0:01", "100"), ("0:00:18", "100"), ("0:00:01", "18"),
         ("2:45:30", "60"), ("-1:00", "100.125"), ("0:07", "87.5"), ("1.2345", "99.99"),
         ("7:30", "0"), ("9999:00", "9999.9999")]
for d, r in bills:
    if ":" in d:
        neg = d.startswith("-")
        p = [int(x) for x in d.lstrip("-").split(":")]
        seconds = Fraction(p[0] * 3600 + p[1] * 60 + (p[2] if len(p) > 2 else 0))
        seconds = -seconds if neg else seconds
    else:
        seconds = Fraction(d) * 3600
    rows.append(["bill", d, r, cents_half_away(seconds * Fraction(r) / 3600)])
for _ in range(10):
    seconds = rng.randrange(1, 40 * 3600)
    rate = Fraction(rng.randrange(1, 3000000), 10000)
    rate_text = decimal_text(rate)
    rows.append(["bill", hms(seconds), rate_text, cents_half_away(seconds * rate / 3600)])

with open(os.path.join(HERE, "time-cases.csv"), "w", newline="") as f:
    w = csv.writer(f, lineterminator="\n")
    w.writerow(["kind", "a", "b", "r1"])
    for row in rows:
        w.writerow(row if len(row) == 4 else [row[0], row[1], "", row[2]])
print(len(rows), "cases")
