#!/usr/bin/env python3
"""Reference rows of the amortization table, computed independently.

Each case is a loan (principal less the down payment), a future value, an
annual percentage rate, a number of monthly payments and the payment timing
(0 end of period, 1 beginning). The payment comes from the annuity equation
  pv*(1+r)^n + A*(1+t*r)*((1+r)^n - 1)/r - fv = 0   (A the payment made)
solved exactly in decimal arithmetic, and the table is then built by walking
the loan month by month: the interest of a month is the rate times the
balance owed, the principal part is the payment less that interest, and the
balance falls by the principal part. The walk carries enough digits (the
precision grows with n*log10(1+r)) that no digit that reaches a cell is lost.

Cells are rounded to 2 places, halves away from zero, as the tape shows them;
the interest cell is the payment cell less the principal cell.

Writes amortization-rows.csv: case,loan,fv,apr,n,timing,month,payment,principal,interest
"""
import csv
import math
import sys
from decimal import Decimal, getcontext, ROUND_HALF_UP

CASES = [
    # name, loan, future value, apr (percent), payments, timing, months sampled (None: every month)
    ("long", 200000, 0, "6.5", 10000, 0, [1, 2, 3, 100, 1000, 4339, 4340, 5000, 8000, 9271, 9999, 10000]),
    ("mortgage", 200000, 0, "6.5", 360, 0, None),
    ("balloon", 10000, 1000, "7.25", 36, 1, None),
    ("longest", 200000, 0, "6.5", 100000, 0, [1, 50000, 99000, 99999, 100000]),
    ("longest-begin", 8000, 500, "12", 100000, 1, [1, 2, 3, 99998, 99999, 100000]),
    ("year", 12000, 2000, "12", 12, 0, None),
]

CENT = Decimal("0.01")


def cell(x):
    return x.quantize(CENT, rounding=ROUND_HALF_UP)


def rows(loan, fv, apr, n, timing):
    r = Decimal(apr) / 100 / 12
    digits = int(n * math.log10(1 + float(r))) + 60
    getcontext().prec = digits
    loan, fv = Decimal(loan), Decimal(fv)
    g = (1 + r) ** n
    # Balance owed after the last payment is -fv (the future value is money
    # the lender then owes back), as the spreadsheet functions define it.
    payment = (loan * g + fv) * r / ((1 + r * timing) * (g - 1))
    balance = loan
    out = []
    for month in range(1, n + 1):
        interest = Decimal(0) if (timing == 1 and month == 1) else balance * r
        principal = payment - interest
        balance -= principal
        out.append((month, payment, principal))
    return out, balance


def main(path):
    with open(path, "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["case", "loan", "fv", "apr", "n", "timing", "month", "payment", "principal", "interest"])
        for name, loan, fv, apr, n, timing, sample in CASES:
            table, last = rows(loan, fv, apr, n, timing)
            wanted = set(sample) if sample else None
            for month, payment, principal in table:
                if wanted is not None and month not in wanted:
                    continue
                p, q = cell(payment), cell(principal)
                w.writerow([name, loan, fv, apr, n, timing, month, p, q, p - q])
            print(name, "balance after the last payment:", +last, file=sys.stderr)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "amortization-rows.csv")
