#!/usr/bin/env python3
"""Writes calendar-cases.csv and holidays-sample.txt for the date tests.

Every expected value comes from Python's datetime and calendar modules (the
proleptic Gregorian calendar, like ours), computed independently of the C++
code: day counts from date subtraction, weekdays and ISO weeks from
date.isocalendar(), month arithmetic by clamping with calendar.monthrange(),
working days by walking day by day.

Run from anywhere: python3 make_calendar_cases.py  (writes beside itself).
The random part uses a fixed seed, so the output is reproducible.
"""
import calendar
import csv
import datetime as dt
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))

# The holiday file the test reads; the lines marked "bad" must be skipped by
# the reader and are left out of HOLIDAYS below.
HOLIDAY_FILE = """\ufeff# Sample holidays for the working-day cases
2024-01-01 New Year's Day
2024-03-29\tGood Friday
  2024-04-01   Easter Monday
2024-07-06 A Saturday: changes nothing
2024-12-25 Christmas Day\r
2024-12-26 Boxing Day

# bad lines follow, each is skipped and reported
2024-02-30 not a date
24-12-31 two-digit year
2025-01-01 New Year's Day
2024-12-25 listed twice
1499-12-31 before the calendar
hello
2025-04-18 Good Friday
2025-04-21 Easter Monday
"""
HOLIDAYS = {dt.date(2024, 1, 1), dt.date(2024, 3, 29), dt.date(2024, 4, 1), dt.date(2024, 7, 6),
            dt.date(2024, 12, 25), dt.date(2024, 12, 26), dt.date(2025, 1, 1), dt.date(2025, 4, 18),
            dt.date(2025, 4, 21)}
HOLIDAY_SKIPPED_LINES = [10, 11, 13, 14, 15]


def d(text):
    return dt.date.fromisoformat(text)


def add_months(date, n):
    index = date.year * 12 + date.month - 1 + n
    y, m = divmod(index, 12)
    m += 1
    return dt.date(y, m, min(date.day, calendar.monthrange(y, m)[1]))


def month_span(a, b):
    """Largest month count m (towards b) with a + m months not past b, and the days left."""
    m = 0
    if a <= b:
        while add_months(a, m + 1) <= b:
            m += 1
    else:
        while add_months(a, m - 1) >= b:
            m -= 1
    rest = (b - add_months(a, m)).days
    sign = -1 if m < 0 else 1
    return sign * (abs(m) // 12), sign * (abs(m) % 12), rest


def is_workday(date):
    return date.weekday() < 5 and date not in HOLIDAYS


def workdays(a, b, include_end):
    step = 1 if a <= b else -1
    days = [a + dt.timedelta(days=i * step) for i in range(abs((b - a).days) + (1 if include_end else 0))]
    return step * sum(1 for x in days if is_workday(x))


def add_workdays(date, n):
    step = 1 if n >= 0 else -1
    left = abs(n)
    while left:
        date += dt.timedelta(days=step)
        if is_workday(date):
            left -= 1
    return date


rows = []

# Day differences and spans in years, months and days (end date excluded).
span_pairs = [
    ("2024-01-01", "2024-12-31"), ("2023-01-01", "2023-12-31"), ("2024-01-31", "2024-02-29"),
    ("2023-01-31", "2023-02-28"), ("2024-01-31", "2024-03-01"), ("2024-02-29", "2025-02-28"),
    ("2024-02-29", "2028-02-29"), ("1900-02-28", "1900-03-01"), ("2000-02-28", "2000-03-01"),
    ("2100-02-28", "2100-03-01"), ("2400-02-28", "2400-03-01"), ("1582-10-04", "1582-10-15"),
    ("1500-01-01", "2400-12-31"), ("2024-12-31", "2024-01-01"), ("2024-03-31", "2024-02-29"),
    ("2024-03-15", "2024-02-20"), ("1999-12-31", "2000-01-01"), ("2024-05-31", "2024-06-30"),
    ("2024-08-31", "2024-09-30"), ("2024-06-15", "2024-06-15"),
]
for a, b in span_pairs:
    y, m, rest = month_span(d(a), d(b))
    rows.append(["diff", a, b, (d(b) - d(a)).days, y, m, rest])

# Month and year arithmetic with month-end clamping.
for a, n in [("2024-01-31", 1), ("2023-01-31", 1), ("2024-03-31", -1), ("2024-10-31", 4), ("2024-12-31", 2),
             ("2024-05-31", -3), ("1900-01-31", 1), ("2000-01-31", 1), ("2400-01-31", 1), ("1582-10-15", -1),
             ("2024-08-31", 18), ("2399-11-30", 13), ("1500-03-31", -2)]:
    rows.append(["addmonths", a, n, add_months(d(a), n).isoformat()])
for a, n in [("2024-02-29", 1), ("2024-02-29", 4), ("2024-02-29", -100), ("2000-02-29", 100), ("2396-02-29", 4),
             ("1582-10-10", 18)]:
    rows.append(["addyears", a, n, add_months(d(a), 12 * n).isoformat()])
for a, n in [("2024-02-28", 1), ("2023-02-28", 1), ("1582-10-04", 1), ("2400-12-30", 1), ("1500-01-01", 365),
             ("2024-01-01", -1), ("2000-03-01", -1), ("1900-03-01", -1)]:
    rows.append(["adddays", a, n, (d(a) + dt.timedelta(days=n)).isoformat()])

# Weekday, day of year, ISO week (around year ends above all), days left.
info_dates = ["2020-12-31", "2021-01-01", "2021-01-03", "2021-01-04", "2024-12-29", "2024-12-30", "2025-01-01",
              "2026-01-01", "2026-12-31", "2027-01-01", "2015-12-31", "2016-01-03", "2008-12-29", "2010-01-03",
              "1582-10-15", "1582-10-04", "1582-01-01", "1500-01-01", "2400-02-29", "2400-12-31", "2100-12-31",
              "2024-02-29", "2000-12-31", "1900-12-31"]
for a in info_dates:
    date = d(a)
    iso = date.isocalendar()
    days_left = (dt.date(date.year, 12, 31) - date).days
    rows.append(["info", a, date.isoweekday(), date.timetuple().tm_yday, iso[0], iso[1], days_left])

# Working days with the sample holidays, end date excluded and included.
work_pairs = [("2024-01-01", "2024-12-31"), ("2024-12-20", "2025-01-06"), ("2024-03-28", "2024-04-02"),
              ("2024-07-01", "2024-07-08"), ("2025-01-06", "2024-12-20"), ("2024-06-01", "2024-06-02"),
              ("2024-06-01", "2024-06-03"), ("1582-10-01", "1582-10-31"), ("2400-12-01", "2400-12-31"),
              ("2024-01-06", "2024-01-06"), ("2025-04-17", "2025-04-22")]
for a, b in work_pairs:
    rows.append(["workdays", a, b, workdays(d(a), d(b), False), workdays(d(a), d(b), True)])
for a, n in [("2024-12-24", 1), ("2024-12-24", 3), ("2024-12-27", -1), ("2024-03-28", 1), ("2025-04-17", 1),
             ("2024-01-05", 10), ("2024-07-05", 0), ("2024-07-06", 0), ("2025-04-22", -1), ("2400-12-01", 20),
             ("1582-10-15", -5), ("2024-01-01", 260)]:
    rows.append(["addworkdays", a, n, add_workdays(d(a), n).isoformat()])

# Random spans across the whole default range.
rng = random.Random(17)
lo, hi = dt.date(1500, 1, 1).toordinal(), dt.date(2400, 12, 31).toordinal()
for _ in range(30):
    a, b = dt.date.fromordinal(rng.randint(lo, hi)), dt.date.fromordinal(rng.randint(lo, hi))
    y, m, rest = month_span(a, b)
    rows.append(["diff", a.isoformat(), b.isoformat(), (b - a).days, y, m, rest])
for _ in range(15):
    a = dt.date.fromordinal(rng.randint(lo, hi))
    iso = a.isocalendar()
    rows.append(["info", a.isoformat(), a.isoweekday(), a.timetuple().tm_yday, iso[0], iso[1],
                 (dt.date(a.year, 12, 31) - a).days])

with open(os.path.join(HERE, "calendar-cases.csv"), "w", newline="") as f:
    w = csv.writer(f, lineterminator="\n")
    w.writerow(["kind", "a", "b", "r1", "r2", "r3", "r4", "r5"])
    for r in rows:
        w.writerow(r)
with open(os.path.join(HERE, "holidays-sample.txt"), "w", newline="", encoding="utf-8") as f:
    f.write(HOLIDAY_FILE)
print(len(rows), "cases; holiday lines skipped:", HOLIDAY_SKIPPED_LINES)
