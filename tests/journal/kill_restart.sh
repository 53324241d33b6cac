#!/usr/bin/env bash
# The kept tape after kill -9: keys are typed into the window under Xvfb,
# the program is killed a second after the last total and the tape is read
# back from the data folder by a second start (batch mode with --journal on
# the same folder); it must be, byte for byte, what the same keys make in
# one uninterrupted run. The keys end in an open calculation, which must go
# on after the restart as if nothing had happened. Skipped (77) without
# Xvfb and xdotool.
set -euo pipefail
[ -n "${ZORV_TRACE:-}" ] && set -x
app=$1
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || exit 77
work=$(mktemp -d)
trap 'kill ${app_pid:-} ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT

keys='12.5+7.25+3-2*4=100/8=1+2+3+4+5=6+7+'
more='8='
printf '[Startup]\nFinancial Mode=False\n' > "$work/settings.ini"
display=":$((100 + RANDOM % 50))"
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
DISPLAY="$display" QT_XCB_GL_INTEGRATION=none QT_QPA_PLATFORM=xcb \
  "$app" --settings "$work/settings.ini" --data-dir "$work/data" /NIC >/dev/null 2>&1 &
app_pid=$!
for _ in $(seq 300); do
  DISPLAY="$display" xdotool search --name "Zorv Advanced Calculator" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
win=$(DISPLAY="$display" xdotool search --name "Zorv Advanced Calculator" | head -1)
# Without a window manager the focus is set by hand; wait until it holds.
for _ in $(seq 100); do
  DISPLAY="$display" xdotool windowfocus "$win" 2>/dev/null || true
  [ "$(DISPLAY="$display" xdotool getwindowfocus 2>/dev/null)" = "$win" ] && break
  sleep 0.1
done
sleep 1
DISPLAY="$display" xdotool type --delay 40 "$keys"
# On a loaded machine the window may take a while to handle the keys: wait
# until the third total has been handled (it is written at once), then one
# second more.
for _ in $(seq 300); do
  [ "$(grep -c '^\*\*\*\*' "$work/data/tape-journal.zjt" 2>/dev/null || true)" -ge 3 ] && break
  sleep 0.1
done
sleep 1
# The open calculation's lines and state go out with the once-a-second
# write: wait for them too.
for _ in $(seq 300); do
  grep -qa $'^7+\r$' "$work/data/tape-journal.zjt" 2>/dev/null && break
  sleep 0.1
done
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null || true

printf '%s' "$keys$more" | "$app" --batch --settings "$work/settings.ini" > "$work/expected" 2>/dev/null
printf '%s' "$more" | "$app" --batch --settings "$work/settings.ini" --journal "$work/data" > "$work/restored" 2>"$work/err"
if ! cmp "$work/expected" "$work/restored"; then
  echo "journal:"; cat "$work/data/tape-journal.zjt" 2>/dev/null || echo "(none)"
  diff <(tr -d '\r' < "$work/expected") <(tr -d '\r' < "$work/restored") | head -20
  cat "$work/err"
  exit 1
fi
echo "kill -9 a second after the keys: the tape came back byte for byte and the open calculation went on ($(wc -c < "$work/restored") bytes)"
