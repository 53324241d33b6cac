#!/usr/bin/env bash
# Batch mode's whole run on big and hostile inputs: wall time and peak
# resident memory of `zorvcalc --batch` (Release build) for 1 M and 2 M "{",
# 50 MB of keys that leave the tape empty (so that the memory is the
# reader's, not the tape's), and a question whose answer stands after those
# 50 MB (the reader then holds them while it looks ahead).
#
# usage: bench/batch_input.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_BUILD_BENCH=ON -DZORV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target zorvcalc >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[Startup]\nFinancial Mode=0\nFormat Numbers=0\n' > "$work/plain.ini"

python3 - "$work" <<'PY'
import sys
w = sys.argv[1]
mb = 1024 * 1024
open(f"{w}/braces-1M", "w").write("{" * 1_000_000)
open(f"{w}/braces-2M", "w").write("{" * 2_000_000)
keys = "12{BS}{BS}"
open(f"{w}/keys-50MB", "w").write(keys * (50 * mb // len(keys)))
open(f"{w}/late-answer-50MB", "w").write("{Annotate Tape}" + keys * (50 * mb // len(keys)) + "[note]")
PY

for f in braces-1M braces-2M keys-50MB late-answer-50MB; do
  /usr/bin/time -f "$f: %e s, peak RSS %M KB" \
    "$build/app/zorvcalc" --batch --settings "$work/plain.ini" <"$work/$f" >/dev/null 2>"$work/err" || true
  tail -n 1 "$work/err"
done
