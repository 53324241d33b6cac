#!/usr/bin/env bash
# Start-up time as a user feels it: launch to the first painted main window,
# under Xvfb, this calculator beside SpeedCrunch from Debian's packages, both
# launched and measured the same way (bench/startup_probe.c watches from
# outside for the first drawing into the program's window). Runs alternate;
# the medians, their ratio and the resident memory at the first paint are
# printed.
#
# usage: bench/startup.sh [RUNS]   (default 20; installs packages: run as root)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-20}"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq speedcrunch xvfb libx11-dev libxdamage-dev bc >/dev/null

build=build-bench-startup
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target zorvcalc >/dev/null
cc -O2 -Wall -o "$build/startup_probe" bench/startup_probe.c -lX11 -lXdamage
probe="$build/startup_probe"

display=":${ZORV_BENCH_DISPLAY:-97}"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# A clean user for both programs: no settings of the machine's user count.
export DISPLAY="$display" HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
       XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

zorv=("$build/app/zorvcalc" --settings "$work/zorv.ini" --data-dir "$work/zorvdata")
measure() {  # measure OUTFILE [env settings...] -- command...
    local out=$1; shift
    local envs=()
    while [[ $1 != -- ]]; do envs+=("$1"); shift; done
    shift
    env -u QT_XCB_GL_INTEGRATION "${envs[@]}" "$probe" "$@" >>"$out" || echo "failed: $*" >&2
    sleep 0.3
}

# One warm-up run each (font caches, page cache), not counted.
measure /dev/null QT_XCB_GL_INTEGRATION=none -- "${zorv[@]}"
measure /dev/null QT_XCB_GL_INTEGRATION=none -- speedcrunch
measure /dev/null -- speedcrunch

for ((i = 0; i < runs; i++)); do
    measure "$work/zorv" QT_XCB_GL_INTEGRATION=none -- "${zorv[@]}"
    measure "$work/sc" QT_XCB_GL_INTEGRATION=none -- speedcrunch
    measure "$work/scdefault" -- speedcrunch
done

median() { sort -n -k"$2" "$1" | awk -v col="$2" '{v[NR]=$col} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
z=$(median "$work/zorv" 1)
s=$(median "$work/sc" 1)
sd=$(median "$work/scdefault" 1)
zr=$(median "$work/zorv" 2)
sr=$(median "$work/sc" 2)
echo "runs: $(wc -l <"$work/zorv") each, $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
printf 'zorvcalc (GL integration none):     %7.1f ms  RSS %6.1f MB\n' "$z" "$(echo "$zr/1024" | bc -l)"
printf 'SpeedCrunch (GL integration none):  %7.1f ms  RSS %6.1f MB\n' "$s" "$(echo "$sr/1024" | bc -l)"
printf 'SpeedCrunch (default start):        %7.1f ms\n' "$sd"
printf 'ratio to SpeedCrunch, same way:     %7.2f\n' "$(echo "$z/$s" | bc -l)"
printf 'ratio to SpeedCrunch, default way:  %7.2f\n' "$(echo "$z/$sd" | bc -l)"
