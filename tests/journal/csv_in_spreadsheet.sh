#!/bin/bash
# An exported CSV opened by a real spreadsheet: LibreOffice (headless)
# imports it and saves it as a flat OpenDocument file; every amount and
# running total must be a number cell with the tape's value, and the totals
# worked out again from the amounts (Python's decimal) must be the ones the
# tape printed, corrected ones included. Skipped (77) without soffice.
# Usage: csv_in_spreadsheet.sh ZORVCALC
set -euo pipefail
bin=$1
command -v soffice >/dev/null 2>&1 || { echo "SKIP: soffice is not installed"; exit 77; }
command -v python3 >/dev/null 2>&1 || { echo "SKIP: python3 is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

keys='1234.5+99.25-0.75X2=C{Number Tape Items}10+20+30={Correct Entry 2}[25]'
keys+='C7.5/3X4-0.125={Correct Entry 1}[9 X]C5+5+5+{Correct Entry 3}[void]='
keys+="{Export Tape CSV}[$dir/tape.csv]"
printf '%s' "$keys" | "$bin" --batch >"$dir/tape.txt" 2>"$dir/err.txt"
[ -s "$dir/tape.csv" ] || { echo "no CSV was written"; cat "$dir/err.txt"; exit 1; }

# 44 comma, 34 double quote, 76 UTF-8, from row 1.
timeout 120 soffice -env:UserInstallation="file://$dir/profile" --headless --convert-to fods \
    --infilter="CSV:44,34,76,1" --outdir "$dir" "$dir/tape.csv" >"$dir/soffice.txt" 2>&1 || true
[ -s "$dir/tape.fods" ] || { echo "LibreOffice did not convert the CSV"; cat "$dir/soffice.txt"; exit 1; }

python3 - "$dir/tape.fods" "$dir/tape.txt" <<'PY'
import sys, xml.etree.ElementTree as ET
from decimal import Decimal as D, ROUND_HALF_UP

ns = {"table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
      "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
      "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0"}
q = lambda p, n: "{%s}%s" % (ns[p], n)
rows = []
for row in ET.parse(sys.argv[1]).iter(q("table", "table-row")):
    cells = []
    for cell in row.findall("table:table-cell", ns):
        n = int(cell.get(q("table", "number-columns-repeated"), "1"))
        kind = cell.get(q("office", "value-type"))
        value = cell.get(q("office", "value"))
        text = "".join(t.strip() for t in cell.itertext())
        cells += [(kind, value, text)] * min(n, 8)
    rows.append(cells[:5] + [(None, None, "")] * (5 - len(cells[:5])))
header = [c[2] for c in rows[0]]
assert header == ["item", "amount", "operator", "running total", "note"], header
failures = []
total, pending, first, computed = D(0), None, True, []
for cells in rows[1:]:
    (ik, iv, it), (ak, av, at), (ok, ov, op), (tk, tv, tt), (nk, nv, note) = cells
    if not op:  # a note row (banner) ends the calculation
        first, pending = True, None
        continue
    for name, kind, value in (("amount", ak, av), ("running total", tk, tv)):
        if kind != "float":
            failures.append("%s %r of row %r is not a number cell" % (name, value, cells))
    amount = D(av)
    if note != "void":
        if first: total = amount
        elif pending == "+": total += amount
        elif pending == "-": total -= amount
        elif pending == "X": total *= amount
        elif pending == "/": total /= amount
        first, pending = False, op
    if abs(D(tv) - total) > D("1e-9"):
        failures.append("running total %s, worked out %s in row %r" % (tv, total, cells))
    if op == "=":
        computed.append(total)
printed = []
lines = open(sys.argv[2], encoding="utf-8", newline="").read().split("\r\n")
for i, line in enumerate(lines):
    if line == "------------------":
        printed.append(D(lines[i + 1].replace(" corrected", "").replace(",", "")))
if [t.quantize(D("0.01"), rounding=ROUND_HALF_UP) for t in computed] != printed:
    failures.append("totals %s, tape printed %s" % (computed, printed))
if failures:
    print("\n".join(failures))
    sys.exit(1)
print("%d rows, %d totals match the tape: %s" % (len(rows) - 1, len(printed), ", ".join(map(str, printed))))
PY
