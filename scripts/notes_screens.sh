#!/bin/bash
# Screenshots of the calendar, alarm and scratch pad windows under Xvfb, and
# an alarm set one minute ahead on the system clock firing once with its
# reminder shown (waits up to two minutes). PNGs go to $SHOTS (default /tmp).
#   scripts/notes_screens.sh [path/to/zorvcalc]
set -euo pipefail
BIN=$(realpath "${1:-build/app/zorvcalc}")
SHOTS=${SHOTS:-/tmp}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data"
today=$(date +%F)
due=$(date -d '+1 minute' +%FT%H:%M)
cat > "$work/data/zorvcalc.2do" <<NOTES
[$today]
Line=Dentist at 14:30
Line=Bring the insurance card
[$(date -d '+3 days' +%F)]
Line=Invoice 2026-117 due: 1,480.00
[$(date -d '-5 days' +%F)]
Line=Paid the rent
NOTES
cat > "$work/data/calcalrm.2do" <<ALARMS
[Alarm 1]
When=$due
Message=Tea is ready
[Alarm 2]
When=$(date -d '-3 days' +%F)T08:00
Repeat=weekdays
Message=Stand-up meeting\nRoom 4
[Alarm 3]
When=$(date -d '+2 days' +%F)T18:00
Repeat=monthly
Message=Back up the ledger
Action=run
Target=/usr/bin/rsync
Argument=-a
Argument=/home/me/ledger/
Argument=/media/backup/
ALARMS
date -d '-2 days' +%FT%H:%M:%S%:z > "$work/data/calcalrm.chk"
printf 'Shopping\n  milk 1.29\n  bread 2.40\nTotal 3.69\n' > "$work/pad.txt"
printf '[Startup]\nLast File=%s\n' "$work/pad.txt" > "$work/s.ini"
export BIN work SHOTS due

xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
set -euo pipefail
"$BIN" --settings "$work/s.ini" --data-dir "$work/data" &
pid=$!
sleep 3
import -window root "$SHOTS/notes-missed.png"
xdotool key Return
sleep 0.5
main=$(xdotool search --onlyvisible --name "^Zorv" | head -1)
tools() {
    xdotool windowfocus --sync "$main"
    xdotool mousemove --window "$main" 480 8 click 1
    sleep 0.5
    xdotool key "$1"
    sleep 1.5
}
tools l
import -window root "$SHOTS/notes-calendar.png"
xdotool key Escape
tools a
import -window root "$SHOTS/notes-alarms.png"
xdotool key alt+e
sleep 1
import -window root "$SHOTS/notes-alarm-edit.png"
xdotool key Escape
sleep 0.3
xdotool key Escape
tools p
import -window root "$SHOTS/notes-scratchpad.png"
xdotool key Escape
# The alarm one minute ahead.
for i in $(seq 1 130); do
    if xdotool search --onlyvisible --name "^Reminder$" >/dev/null 2>&1; then break; fi
    sleep 1
done
sleep 2
import -window root "$SHOTS/notes-reminder.png"
count=$(xdotool search --onlyvisible --name "^Reminder$" | wc -l)
echo "reminders shown: $count"
kill $pid
'
