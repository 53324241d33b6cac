#!/usr/bin/env python3
"""Writes dimension-cases.tsv: construction-calculator expressions with the
value and result line worked out here with Python's fractions module.

Each case gives the expression as a user types it and, independently of the
calculator's reader, the same quantity built from whole feet, inches and
fractions (L), metric lengths (MM) and plain numbers. Values are kept in
inches (square inches, cubic inches); the result line is formatted here:
feet-inch-fraction to the nearest 1/denominator inch (halves away from
zero) with a mark when rounded (an up arrow: the shown length is longer
than the exact one; a down arrow: shorter), decimal numbers to 4 places
(halves away from zero), areas in sq ft, volumes in cu ft.

Run:  python3 make_dimension_table.py > dimension-cases.tsv
"""
from fractions import Fraction as F

UP, DOWN = "\u2191", "\u2193"


class Q:
    def __init__(self, v, k):
        self.v, self.k = F(v), k

    def __add__(self, o):
        assert self.k == o.k
        return Q(self.v + o.v, self.k)

    def __sub__(self, o):
        assert self.k == o.k
        return Q(self.v - o.v, self.k)

    def __mul__(self, o):
        return Q(self.v * o.v, self.k + o.k)

    def __truediv__(self, o):
        return Q(self.v / o.v, self.k - o.k)

    def __neg__(self):
        return Q(-self.v, self.k)


def L(ft=0, inch=0, frac=F(0)):
    return Q(F(ft) * 12 + F(inch) + F(frac), 1)


def MM(mm):
    return Q(F(mm) / F("25.4"), 1)


def N(x):
    return Q(F(x), 0)


def round_away(x, den):
    """Nearest multiple of 1/den as a count of steps, halves away from zero."""
    a = abs(x) * den
    q, r = divmod(a.numerator, a.denominator)
    if 2 * r >= a.denominator:
        q += 1
    return -q if x < 0 else q


def decimal(x, places=4):
    units = round_away(x, 10 ** places)
    s = str(abs(units)).rjust(places + 1, "0")
    s = s[:-places] + "." + s[-places:]
    s = s.rstrip("0").rstrip(".")
    return ("-" if units < 0 else "") + s


def feet_inches(x, den):
    units = round_away(x, den)
    mark = ""
    if F(units, den) != x:
        mark = UP if F(abs(units), den) > abs(x) else DOWN
    steps = abs(units)
    whole, num = divmod(steps, den)
    frac = F(num, den)
    feet, inches = divmod(whole, 12)
    text = "-" if units < 0 else ""
    if feet:
        text += "%d'" % feet
    if frac == 0:
        text += "%d" % inches
    else:
        if feet or inches:
            text += "%d-" % inches
        text += "%d/%d" % (frac.numerator, frac.denominator)
    return text + '"' + mark


def result_line(q, den, plain, ftin):
    if q.k == 0:
        return decimal(q.v, 10)
    if q.k == 1:
        if ftin:
            return feet_inches(q.v, den)
        return decimal(q.v / 12) + "'" if plain == "ft" else decimal(q.v) + '"'
    if q.k == 2:
        return decimal(q.v / 144) + " sq ft"
    return decimal(q.v / 1728) + " cu ft"


def X(x):
    """A variable's value, as the calculator reads the text in the table."""
    return x


# (expression, denominator, plain unit, feet-inch result, X text, value or error)
CASES = [
    # mixed fractions and the tape example
    ("12'6-3/8\"+3'0-1/4\"", 16, "in", 1, "0", L(12, 6, F(3, 8)) + L(3, 0, F(1, 4))),
    ("12' 6 3/8\" - 6-3/8\"", 16, "in", 1, "0", L(12, 6, F(3, 8)) - L(0, 6, F(3, 8))),
    ("150\"", 16, "in", 1, "0", L(0, 150)),
    ("12.5' + 3/4\"", 16, "in", 1, "0", L(F("12.5")) + L(0, 0, F(3, 4))),
    ("1'11-31/32\" + 1/32\"", 32, "in", 1, "0", L(1, 11, F(31, 32)) + L(0, 0, F(1, 32))),
    ("2(3'+4\")", 16, "in", 1, "0", N(2) * (L(3) + L(0, 4))),
    ("48\"/4", 16, "in", 1, "0", L(0, 48) / N(4)),
    ("12'+6", 16, "in", 1, "0", L(12) + L(0, 6)),
    ("12'+6", 16, "ft", 1, "0", L(12) + L(6)),
    ("10'*15%", 16, "in", 1, "0", L(10) * N(F(15, 100))),
    ("2X+1\"", 16, "in", 1, "12'6\"", N(2) * L(12, 6) + L(0, 1)),
    ("3 1/2\" + 5-1/4\"", 8, "in", 1, "0", L(0, 3, F(1, 2)) + L(0, 5, F(1, 4))),
    ("12'6", 16, "in", 1, "0", L(12, 6)),
    ("(12' - 3\")/2", 16, "in", 1, "0", (L(12) - L(0, 3)) / N(2)),
    ("(12'-3\")/2", 16, "in", 1, "0", L(12, 3) / N(2)),
    # rounding to 1/16, 1/32 and others, with the mark
    ("1/3\"", 16, "in", 1, "0", L(0, 0, F(1, 3))),
    ("1/3\"", 32, "in", 1, "0", L(0, 0, F(1, 3))),
    ("7/64\"", 64, "in", 1, "0", L(0, 0, F(7, 64))),
    ("7/64\"", 32, "in", 1, "0", L(0, 0, F(7, 64))),
    ("5/64\"", 16, "in", 1, "0", L(0, 0, F(5, 64))),
    ("0.1\"", 64, "in", 1, "0", L(0, F("0.1"))),
    ("10' - 3/16\"", 8, "in", 1, "0", L(10) - L(0, 0, F(3, 16))),
    ("10'-3/16\"", 8, "in", 1, "0", L(10, 0, F(3, 16))),
    ("12'-3", 16, "in", 1, "0", L(12) - L(0, 3)),
    ("100'/3", 16, "in", 1, "0", L(100) / N(3)),
    ("100'/3", 32, "in", 1, "0", L(100) / N(3)),
    ("12'6-3/8\"/7", 2, "in", 1, "0", L(12, 6, F(3, 8)) / N(7)),
    # negative lengths
    ("5'-7'6\"", 16, "in", 1, "0", L(5) - L(7, 6)),
    ("-3'6-1/2\"*2", 16, "in", 1, "0", -L(3, 6, F(1, 2)) * N(2)),
    ("2'6\" - 3'8-1/2\"", 16, "in", 1, "0", L(2, 6) - L(3, 8, F(1, 2))),
    ("-(1/3\")", 32, "in", 1, "0", -L(0, 0, F(1, 3))),
    ("-(2'-5')*2", 16, "in", 1, "0", -(L(2) - L(5)) * N(2)),
    # area and volume
    ("12'6-3/8\"*10'", 16, "in", 1, "0", L(12, 6, F(3, 8)) * L(10)),
    ("12'6-3/8\" \u00d7 10' + 2'*3'", 16, "in", 1, "0", L(12, 6, F(3, 8)) * L(10) + L(2) * L(3)),
    ("3'*(2'+6\")", 16, "in", 1, "0", L(3) * (L(2) + L(0, 6))),
    ("9'*12'/9", 16, "in", 1, "0", L(9) * L(12) / N(9)),
    ("10'*12'*6\"", 16, "in", 1, "0", L(10) * L(12) * L(0, 6)),
    ("20'*30'*4\"", 16, "in", 1, "0", L(20) * L(30) * L(0, 4)),
    ("6'^3", 16, "in", 1, "0", L(6) * L(6) * L(6)),
    ("10'*10'/4'", 16, "in", 1, "0", L(10) * L(10) / L(4)),
    ("(3'^2+4'^2)^.5", 16, "in", 1, "0", L(5)),
    ("10'*10'*10'/(5'*4')", 16, "in", 1, "0", L(10) * L(10) * L(10) / (L(5) * L(4))),
    ("10'/3\"", 16, "in", 1, "0", L(10) / L(0, 3)),
    ("10'/4'", 16, "in", 1, "0", L(10) / L(4)),
    # metric mixed with feet and inches
    ("30cm+1.5m+300 mm", 16, "in", 1, "0", MM(300) + MM(1500) + MM(300)),
    ("1m", 32, "in", 1, "0", MM(1000)),
    ("2.54cm", 16, "in", 1, "0", MM("25.4")),
    ("100mm", 16, "in", 1, "0", MM(100)),
    ("1' + 1m", 16, "in", 1, "0", L(1) + MM(1000)),
    ("25.4mm*1'", 16, "in", 1, "0", MM("25.4") * L(1)),
    ("1.5m*2m", 16, "in", 1, "0", MM(1500) * MM(2000)),
    # decimal result lines
    ("12'6-3/8\"", 16, "ft", 0, "0", L(12, 6, F(3, 8))),
    ("12'6-3/8\"", 16, "in", 0, "0", L(12, 6, F(3, 8))),
    # mismatched kinds and malformed dimensions
    ("12'+10'*10'", 16, "in", 1, "0", "Cannot add a length and an area"),
    ("10'*10'-5'", 16, "in", 1, "0", "Cannot subtract a length from an area"),
    ("10'*10'*10'*10'", 16, "in", 1, "0", "Cannot multiply a volume by a length"),
    ("3'*3'*(2'*2')", 16, "in", 1, "0", "Cannot multiply an area by an area"),
    ("5/10'", 16, "in", 1, "0", "Cannot divide a number by a length"),
    ("1/0\"", 16, "in", 1, "0", 'Zero denominator in 1/0"'),
    ("5'''", 16, "in", 1, "0", "Malformed dimension \"5'''\": a foot or inch mark must follow a number"),
    ("3-/4\"", 16, "in", 1, "0", 'Malformed dimension "3-/4"": the fraction has no numerator'),
    ("1/2048\"", 16, "in", 1, "0", 'Denominator above 1024 in 1/2048"'),
    ("5 3", 16, "in", 1, "0", 'An operator is missing between "5" and "3"'),
]


def main():
    print("# expression\tdenominator\tplain\tftin\tX\texpected line or message\tkind:exact value")
    print("# made by make_dimension_table.py (Python fractions); do not edit by hand")
    for expr, den, plain, ftin, x, q in CASES:
        if isinstance(q, str):
            print("\t".join([expr, str(den), plain, str(ftin), x, q, "-"]))
            continue
        exact = "%d:%d/%d" % (q.k, q.v.numerator, q.v.denominator)
        print("\t".join([expr, str(den), plain, str(ftin), x, result_line(q, den, plain, ftin), exact]))


if __name__ == "__main__":
    main()
