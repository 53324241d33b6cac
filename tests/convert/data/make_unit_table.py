#!/usr/bin/env python3
"""Writes unit-conversions.csv: every ordered pair of units of each system
converted with Python's fractions module from the legal definitions written
here as relations (foot = 12 inches, gallon = 231 cubic inches, ...), not
from the decimal factors of convert/UnitCatalogue.cpp, so the table checks
those factors too.

usage: python3 make_unit_table.py > unit-conversions.csv
"""
from fractions import Fraction as F

inch = F("0.0254")          # meters
foot = 12 * inch
yard = 3 * foot
rod = F(33, 2) * foot
furlong = 660 * foot
mile = 5280 * foot
pound = F("0.45359237")     # kilograms
grain = pound / 7000
ounce = pound / 16
cu_in = inch ** 3 * 1000    # liters
us_gal = 231 * cu_in
us_floz = us_gal / 128
imp_gal = F("4.54609")
imp_floz = imp_gal / 160
acre = 43560 * foot ** 2

systems = {
    "Metric": [
        ("mm", "length", F(1, 1000)), ("cm", "length", F(1, 100)), ("dm", "length", F(1, 10)),
        ("m", "length", F(1)), ("km", "length", F(1000)),
        ("mg", "mass", F(1, 10**6)), ("g", "mass", F(1, 1000)), ("kg", "mass", F(1)),
        ("t", "mass", F(1000)),
        ("mL", "volume", F(1, 1000)), ("cL", "volume", F(1, 100)), ("dL", "volume", F(1, 10)),
        ("L", "volume", F(1)), ("m3", "volume", F(1000)),
        ("mm2", "area", F(1, 10**6)), ("cm2", "area", F(1, 10**4)), ("m2", "area", F(1)),
        ("ha", "area", F(10**4)), ("km2", "area", F(10**6)),
    ],
    "EnglishWeight": [
        ("gr", "mass", grain), ("dr", "mass", ounce / 16), ("oz", "mass", ounce),
        ("lb", "mass", pound), ("st", "mass", 14 * pound), ("cwt", "mass", 100 * pound),
        ("sh tn", "mass", 2000 * pound), ("long tn", "mass", 2240 * pound),
    ],
    "EnglishWeightTroy": [
        ("gr", "mass", grain), ("oz", "mass", ounce), ("long tn", "mass", 2240 * pound),
        ("grt", "mass", grain), ("dwt", "mass", 24 * grain), ("ozt", "mass", 480 * grain),
        ("lbt", "mass", 5760 * grain),
    ],
    "EnglishSquare": [
        ("sq in", "area", inch ** 2), ("sq ft", "area", foot ** 2), ("sq yd", "area", yard ** 2),
        ("sq rd", "area", rod ** 2), ("ac", "area", acre), ("sq mi", "area", mile ** 2),
    ],
    "EnglishCubic": [
        ("cu in", "volume", cu_in), ("cu ft", "volume", 1728 * cu_in),
        ("cu yd", "volume", 46656 * cu_in), ("ac ft", "volume", acre * foot * 1000),
    ],
    "EnglishLength": [
        ("mil", "length", inch / 1000), ("in", "length", inch), ("ft", "length", foot),
        ("yd", "length", yard), ("rd", "length", rod), ("fur", "length", furlong),
        ("mi", "length", mile), ("nmi", "length", F(1852)),
    ],
    "EnglishCapacityUS": [
        ("tsp", "volume", us_floz / 6), ("tbsp", "volume", us_floz / 2), ("fl oz", "volume", us_floz),
        ("cup", "volume", 8 * us_floz), ("pt", "volume", 16 * us_floz), ("qt", "volume", 32 * us_floz),
        ("gal", "volume", us_gal), ("bbl", "volume", 42 * us_gal),
    ],
    "EnglishCapacityImperial": [
        ("imp tsp", "volume", imp_floz * F(5, 24)), ("imp tbsp", "volume", imp_floz * F(5, 8)),
        ("imp fl oz", "volume", imp_floz), ("imp cup", "volume", 10 * imp_floz),
        ("imp pt", "volume", 20 * imp_floz), ("imp qt", "volume", 40 * imp_floz),
        ("imp gal", "volume", imp_gal), ("bbl", "volume", 42 * us_gal),
    ],
    "Computer": [
        ("b", "data", F(1, 8)), ("B", "data", F(1)), ("kB", "data", F(10**3)),
        ("MB", "data", F(10**6)), ("GB", "data", F(10**9)), ("TB", "data", F(10**12)),
        ("KiB", "data", F(2**10)), ("MiB", "data", F(2**20)), ("GiB", "data", F(2**30)),
        ("TiB", "data", F(2**40)),
    ],
}

values = [F(1), F("3.75"), F(-1234567, 1000)]


def decimal_text(x):
    """x exactly when the 96-bit decimal type can hold it (it terminates
    within 28 decimals, in fewer than 2^96 units of the last one), else
    rounded half to even at 30 significant digits; returns (text, exact)."""
    sign = "-" if x < 0 else ""
    x = abs(x)
    for places in range(29):
        scaled = x * 10 ** places
        if scaled.denominator == 1 and scaled.numerator < 2 ** 96:
            return sign + fixed(scaled.numerator, places), True
    magnitude = len(str(int(x))) if x >= 1 else 0
    if x < 1:
        probe = x
        while probe < F(1, 10):
            probe *= 10
            magnitude -= 1
    places = 30 - magnitude
    scaled = x * 10 ** places
    return sign + fixed(round(scaled), places), False


def fixed(n, places):
    s = str(n).rjust(places + 1, "0")
    whole, frac = s[: len(s) - places], s[len(s) - places:]
    frac = frac.rstrip("0")
    return whole + ("." + frac if frac else "")


print("system,from,to,value,result,exact")
for system, units in systems.items():
    for a, qa, fa in units:
        for b, qb, fb in units:
            if a == b or qa != qb:
                continue
            for v in values:
                text, exact = decimal_text(v * fa / fb)
                print(f"{system},{a},{b},{decimal_text(v)[0]},{text},{int(exact)}")
