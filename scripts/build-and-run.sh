#!/usr/bin/env bash
# Installs what the build needs, builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORV_BUILD_TESTS=OFF
cmake --build build --target zorvcalc
exec ./build/app/zorvcalc "$@"
