#!/usr/bin/env bash
# Start-up time as a user feels it: launch to the first painted main window,
# under Xvfb, for this calculator (started as a user starts it), an empty
# Qt 6 window (bench/empty_window, the floor any Qt program starts from), a
# Qt 6 window showing one line of text (bench/text_window, the floor for a
# window with text) and a scientific desktop calculator from Debian's
# packages, started by default and with GL integration off. All are launched
# and measured the same way (bench/startup_probe.c watches from outside for
# the first drawing into the program's window, and reads its resident memory
# at that moment). Rounds are interleaved; the medians and their ratios are
# printed.
#
# usage: bench/startup.sh [RUNS]   (default 20; installs packages: run as root)
#   ZORV_BENCH_BUILD=DIR uses an existing Release build of zorvcalc.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-20}"

export DEBIAN_FRONTEND=noninteractive
peer=speedcrunch
apt-get install -y -qq "$peer" xvfb libx11-dev libxdamage-dev bc qt6-base-dev pkgconf >/dev/null

build=${ZORV_BENCH_BUILD:-build-bench-startup}
if [[ -z ${ZORV_BENCH_BUILD:-} ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_BUILD_TESTS=OFF >/dev/null
    nice cmake --build "$build" -j2 --target zorvcalc >/dev/null
fi
c++ -O2 -fPIC -o "$build/empty_qt_window" bench/empty_window/main.cpp \
    $(pkg-config --cflags --libs Qt6Widgets)
c++ -O2 -fPIC -o "$build/text_qt_window" bench/text_window/main.cpp \
    $(pkg-config --cflags --libs Qt6Widgets)
cc -O2 -Wall -o "$build/startup_probe" bench/startup_probe.c -lX11 -lXdamage
probe="$build/startup_probe"

display=":${ZORV_BENCH_DISPLAY:-97}"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# A clean user for every program: no settings of the machine's user count.
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

empty=("$build/empty_qt_window")
text=("$build/text_qt_window")
# One warm-up run each (font caches, page cache), not counted. The
# calculator starts as a user starts it: it turns the GL integration off
# itself (it draws without OpenGL).
measure /dev/null -- "${zorv[@]}"
measure /dev/null QT_XCB_GL_INTEGRATION=none -- "${empty[@]}"
measure /dev/null QT_XCB_GL_INTEGRATION=none -- "${text[@]}"
measure /dev/null QT_XCB_GL_INTEGRATION=none -- "$peer"
measure /dev/null -- "$peer"

for ((i = 0; i < runs; i++)); do
    measure "$work/zorv" -- "${zorv[@]}"
    measure "$work/empty" QT_XCB_GL_INTEGRATION=none -- "${empty[@]}"
    measure "$work/text" QT_XCB_GL_INTEGRATION=none -- "${text[@]}"
    measure "$work/peer" QT_XCB_GL_INTEGRATION=none -- "$peer"
    measure "$work/peerdefault" -- "$peer"
done

median() { sort -n -k"$2" "$1" | awk -v col="$2" '{v[NR]=$col} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
z=$(median "$work/zorv" 1); zr=$(median "$work/zorv" 2)
e=$(median "$work/empty" 1); er=$(median "$work/empty" 2)
t=$(median "$work/text" 1); tr=$(median "$work/text" 2)
s=$(median "$work/peer" 1); sr=$(median "$work/peer" 2)
sd=$(median "$work/peerdefault" 1); sdr=$(median "$work/peerdefault" 2)
mb() { echo "$1/1024" | bc -l; }
echo "runs: $(wc -l <"$work/zorv") each, $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
printf 'zorvcalc (as a user starts it):          %7.1f ms  RSS %6.1f MB\n' "$z" "$(mb "$zr")"
printf 'empty Qt 6 window (GL integration none): %7.1f ms  RSS %6.1f MB\n' "$e" "$(mb "$er")"
printf 'Qt 6 window, one line of text (GL none): %7.1f ms  RSS %6.1f MB\n' "$t" "$(mb "$tr")"
printf 'desktop calculator (GL integration none):%7.1f ms  RSS %6.1f MB\n' "$s" "$(mb "$sr")"
printf 'desktop calculator (default start):      %7.1f ms  RSS %6.1f MB\n' "$sd" "$(mb "$sdr")"
printf 'time ratio to the empty window:          %7.2f\n' "$(echo "$z/$e" | bc -l)"
printf 'time ratio to the calculator, GL off:    %7.2f\n' "$(echo "$z/$s" | bc -l)"
printf 'time ratio to the calculator, default:   %7.2f\n' "$(echo "$z/$sd" | bc -l)"
printf 'memory ratio to the empty window:        %7.2f\n' "$(echo "$zr/$er" | bc -l)"
printf 'memory ratio, one-line window to empty:  %7.2f\n' "$(echo "$tr/$er" | bc -l)"
printf 'memory ratio to the one-line window:     %7.2f\n' "$(echo "$zr/$tr" | bc -l)"
