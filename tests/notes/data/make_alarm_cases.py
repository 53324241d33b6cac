#!/usr/bin/env python3
"""Writes alarm-occurrences.csv: for an alarm (first date and time, repeat)
and a moment `from`, the next time the alarm is due at or after it, worked
out with Python's datetime and calendar modules by stepping occurrence after
occurrence from the start (independently of the C++ closed forms).

Run: python3 make_alarm_cases.py > alarm-occurrences.csv
Columns: start (YYYY-MM-DDTHH:MM), repeat, from (YYYY-MM-DD HH:MM:SS),
expected (YYYY-MM-DD HH:MM, or "none")."""
import calendar
import datetime as dt
import random


def clamp_day(year, month, day):
    return dt.date(year, month, min(day, calendar.monthrange(year, month)[1]))


def occurrences(start, repeat):
    d, t = start.date(), start.time()
    if repeat == "once":
        yield start
        return
    k = 0
    while True:
        if repeat in ("daily", "weekdays") and d + dt.timedelta(days=k - 1) == dt.date(9999, 12, 31):
            return
        if repeat == "weekly" and (dt.date.max - d).days < 7 * k:
            return
        if repeat == "daily":
            day = d + dt.timedelta(days=k)
        elif repeat == "weekdays":
            day = d + dt.timedelta(days=k)
            if day.weekday() >= 5:
                k += 1
                continue
        elif repeat == "weekly":
            day = d + dt.timedelta(weeks=k)
        elif repeat == "monthly":
            m = d.month - 1 + k
            if d.year + m // 12 > 9999:
                return
            day = clamp_day(d.year + m // 12, m % 12 + 1, d.day)
        else:  # yearly
            if d.year + k > 9999:
                return
            day = clamp_day(d.year + k, d.month, d.day)
        if day.year > 9999:
            return
        yield dt.datetime.combine(day, t)
        k += 1


def next_at_or_after(start, repeat, when):
    for occ in occurrences(start, repeat):
        if occ >= when:
            return occ.strftime("%Y-%m-%d %H:%M")
    return "none"


fixed = [
    ("2026-01-31T09:00", "monthly", "2026-02-01 00:00:00"),
    ("2026-01-31T09:00", "monthly", "2026-03-01 00:00:00"),
    ("2026-01-31T09:00", "monthly", "2026-04-30 09:00:01"),
    ("2024-01-31T09:00", "monthly", "2024-02-01 00:00:00"),
    ("2024-02-29T07:30", "yearly", "2024-03-01 00:00:00"),
    ("2024-02-29T07:30", "yearly", "2027-03-01 00:00:00"),
    ("2024-02-29T07:30", "yearly", "2028-02-28 08:00:00"),
    ("2026-12-31T23:59", "daily", "2027-01-01 00:00:00"),
    ("2026-12-31T23:59", "monthly", "2027-01-01 00:00:00"),
    ("2026-12-05T08:00", "weekdays", "2026-12-05 00:00:00"),
    ("2026-12-11T08:00", "weekdays", "2026-12-11 08:00:01"),
    ("2026-12-08T09:05", "once", "2026-12-08 09:05:00"),
    ("2026-12-08T09:05", "once", "2026-12-08 09:05:01"),
    ("2026-12-08T09:05", "weekly", "2027-03-01 12:00:00"),
    ("2026-12-08T00:00", "daily", "2026-12-07 23:59:59"),
    ("9999-12-31T12:00", "daily", "9999-12-31 12:00:01"),
    ("9999-11-30T12:00", "monthly", "9999-12-31 12:00:00"),
]

rng = random.Random(18)
repeats = ["once", "daily", "weekdays", "weekly", "monthly", "yearly"]
rows = list(fixed)
for _ in range(240):
    start = dt.datetime(rng.randint(1899, 2101), rng.randint(1, 12), 1, rng.randint(0, 23), rng.randint(0, 59))
    day = rng.choice([1, 15, 28, 29, 30, 31])
    day = min(day, calendar.monthrange(start.year, start.month)[1])
    start = start.replace(day=day)
    repeat = rng.choice(repeats)
    offset = dt.timedelta(seconds=rng.randint(-3 * 86400, 5 * 366 * 86400))
    when = start + offset
    rows.append((start.strftime("%Y-%m-%dT%H:%M"), repeat, when.strftime("%Y-%m-%d %H:%M:%S")))

print("start,repeat,from,expected")
for start, repeat, when in rows:
    s = dt.datetime.strptime(start, "%Y-%m-%dT%H:%M")
    w = dt.datetime.strptime(when, "%Y-%m-%d %H:%M:%S")
    print(f"{start},{repeat},{when},{next_at_or_after(s, repeat, w)}")
