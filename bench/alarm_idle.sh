#!/usr/bin/env bash
# Idle CPU of the running calculator with 100 alarms set, none near: starts
# the program under Xvfb with an alarm file of 100 alarms (all repeats, a day
# or more ahead), lets it settle, then reads its CPU time (utime + stime from
# /proc) over a measured span and prints the share of one CPU.
#
# usage: bench/alarm_idle.sh [path/to/zorvcalc] [SECONDS]   (default 120 s)
set -euo pipefail
BIN=$(realpath "${1:-build/app/zorvcalc}")
span="${2:-120}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data"
repeats=(once daily weekdays weekly monthly yearly)
for i in $(seq 0 99); do
    when=$(date -d "+$((1 + i % 30)) days" +%F)T$(printf '%02d:%02d' $(((i * 37) / 60 % 24)) $(((i * 37) % 60)))
    printf '[Alarm %d]\nWhen=%s\nRepeat=%s\nMessage=alarm %d\n' "$i" "$when" "${repeats[i % 6]}" "$i"
done > "$work/data/calcalrm.2do"
export BIN work span

xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
set -euo pipefail
"$BIN" --settings "$work/s.ini" --data-dir "$work/data" &
pid=$!
sleep 5
ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
hz=$(getconf CLK_TCK)
t0=$(ticks); s0=$(date +%s.%N)
sleep "$span"
t1=$(ticks); s1=$(date +%s.%N)
kill $pid
awk -v t="$((t1 - t0))" -v hz="$hz" -v a="$s0" -v b="$s1" \
    "BEGIN { cpu = t / hz; wall = b - a; printf \"100 alarms, %.0f s idle: %.3f s CPU = %.4f %% of one CPU\n\", wall, cpu, 100 * cpu / wall }"
'
