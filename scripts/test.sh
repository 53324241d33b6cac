#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs the whole test
# suite (GUI tests on Qt's offscreen platform, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORV_BUILD_TESTS=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j2
