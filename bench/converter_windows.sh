#!/usr/bin/env bash
# Opening times of the unit, currency and base windows (Release build),
# under Xvfb when it is installed (else Qt's offscreen platform).
#
# usage: bench/converter_windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_BUILD_BENCH=ON -DZORV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target zorv_converter_windows >/dev/null
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x900x24" "$build/bench/converter_windows/zorv_converter_windows"
else
  QT_QPA_PLATFORM=offscreen "$build/bench/converter_windows/zorv_converter_windows"
fi
