#!/usr/bin/env bash
# Load time, time of the next entry and memory of the main window for saved
# tapes of growing size, under Xvfb when it is installed (else Qt's offscreen
# platform). The figures decide how big a tape the program saves and loads.
#
# usage: bench/tape_load.sh [ENTRIES...]
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000)

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_BUILD_BENCH=ON -DZORV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target zorv_tape_load >/dev/null

work=$(mktemp -d)
cleanup() { rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
if command -v Xvfb >/dev/null; then
  display=":${ZORV_BENCH_DISPLAY:-96}"
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  export DISPLAY="$display" QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=offscreen
fi
echo "platform: $QT_QPA_PLATFORM"
for n in "${sizes[@]}"; do
  # Past the file size limit Load refuses; the view is then measured with
  # the text put on the tape directly.
  "$build/bench/tape_view/zorv_tape_load" "$n" "$work" ||
    "$build/bench/tape_view/zorv_tape_load" "$n" "$work" --direct || true
done
