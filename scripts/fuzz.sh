#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time,
# starting from its seed corpus in fuzz/corpus/<target>/. Fails (status 1)
# when any target finds a crash, a sanitizer report (undefined behaviour
# included), a leak, a timeout or runs out of memory, and prints the whole
# report of every failing target; new inputs go to build-fuzz/corpus/ and
# the input of a finding to build-fuzz/artifacts/.
#
# usage: scripts/fuzz.sh [SECONDS_PER_TARGET]
#        scripts/fuzz.sh --total SECONDS    (shared evenly among the targets)
set -euo pipefail
cd "$(dirname "$0")/.."
total=""
seconds=60
if [ "${1:-}" = "--total" ]; then total="${2:?--total needs SECONDS}"; else seconds="${1:-60}"; fi
bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZORV_BUILD_FUZZ=ON -DZORV_BUILD_TESTS=OFF
targets=()
for src in fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
cmake --build build-fuzz -j2 --target "${targets[@]}"
if [ -n "$total" ]; then
  seconds=$(( total / ${#targets[@]} ))
  [ "$seconds" -ge 10 ] || seconds=10
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p build-fuzz/logs build-fuzz/artifacts
failed=()
for t in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$t"
  seeds="fuzz/corpus/$t"
  mkdir -p "$corpus" "$seeds"
  log="build-fuzz/logs/$t.log"
  echo "== $t for ${seconds}s"
  status=0
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" \
    "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  # A sanitizer report is a finding even if the run somehow ended with 0.
  if [ "$status" -ne 0 ] || grep -qE "runtime error:|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|SUMMARY: " "$log"; then
    echo "!! $t failed (status $status); its report:"
    cat "$log"
    failed+=("$t")
  else
    grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|Done )" "$log" || tail -n 3 "$log"
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]}" >&2
  exit 1
fi
echo "fuzzing: no findings in ${#targets[@]} targets"
