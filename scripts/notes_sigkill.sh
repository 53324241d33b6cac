#!/bin/bash
# A note typed into the calendar survives SIGKILL: under Xvfb, opens the
# calendar, types a note, kills the program a second later, starts it again
# and checks the note is in the notes file and shown for the day (batch mode
# reads it back). Screenshots of the calendar go to $SHOTS (default /tmp).
#   scripts/notes_sigkill.sh [path/to/zorvcalc]
set -euo pipefail
BIN=$(realpath "${1:-build/app/zorvcalc}")
SHOTS=${SHOTS:-/tmp}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data"
export ZORV_NOW=2026-12-08T09:00:00
export BIN work SHOTS

xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
set -euo pipefail
start() {
    "$BIN" --settings "$work/s.ini" --data-dir "$work/data" &
    pid=$!
    sleep 3
}
# Tools > Show Calendar: the Tools menu is clicked (its Alt letter is shared).
openCalendar() {
    w=$(xdotool search --onlyvisible --name "Zorv" | head -1)
    xdotool windowfocus --sync "$w"
    xdotool mousemove --window "$w" 480 8 click 1
    sleep 0.5
    xdotool key l
    sleep 1.5
}
start
openCalendar
xdotool key alt+o  # the note box
xdotool type --delay 40 "Typed, then killed: ü ∑ [x]"
sleep 1
kill -KILL $pid
wait $pid 2>/dev/null || true
start
openCalendar
import -window root "$SHOTS/calendar-after-sigkill.png"
kill $pid
wait $pid 2>/dev/null || true
'
printf '{Show Calendar}[2026-12-08]' | "$BIN" --batch --data-dir "$work/data" 2>&1 >/dev/null | grep -F 'note 2026-12-08: Typed, then killed: ü ∑ [x]'
echo "the note survived SIGKILL"
