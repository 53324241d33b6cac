#!/usr/bin/env bash
# Types 1,000 keys into the shown calculator window under Xvfb about 20 ms
# intervals (runs of the same digit included) and checks that every one
# reached the readout and the tape: the window's tape must equal what batch
# mode, the same key handling without a window, makes of the same keys.
# usage: bench/gui_keystrokes.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
app="$build/app/zorvcalc"
work=$(mktemp -d)
trap 'kill ${app_pid:-} ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT

# Amounts with repeated digits, added up, a total every ten amounts.
awk 'BEGIN {
  split("111 2222 55 9999 1010 7777 333 88 4444 66666 12345", a, " ");
  s = ""; i = 0;
  while (length(s) < 1000) { s = s a[i % 11 + 1] ((i % 10 == 9) ? "=" : "+"); i++ }
  printf "%s=", substr(s, 1, 999)
}' > "$work/keys"
printf '[Startup]\nFinancial Mode=False\n' > "$work/settings.ini"

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
DISPLAY="$display" QT_XCB_GL_INTEGRATION=none ZORV_TAPE_ON_EXIT="$work/gui-tape" \
  "$app" --settings "$work/settings.ini" /NIC >/dev/null 2>&1 &
app_pid=$!
for _ in $(seq 50); do
  DISPLAY="$display" xdotool search --name "Zorv Advanced Calculator" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
win=$(DISPLAY="$display" xdotool search --name "Zorv Advanced Calculator" | head -1)
DISPLAY="$display" xdotool windowactivate --sync "$win" 2>/dev/null || DISPLAY="$display" xdotool windowfocus "$win"
# xdotool sleeps half its --delay after each press and half after each release.
start=$(date +%s.%N)
DISPLAY="$display" xdotool type --delay "${XDOTOOL_DELAY:-40}" --file "$work/keys"
end=$(date +%s.%N)
sleep 1
DISPLAY="$display" xdotool key ctrl+q
wait "$app_pid" || true

"$app" --batch --settings "$work/settings.ini" < "$work/keys" > "$work/batch-tape" 2> "$work/batch-err"
tail -n 1 "$work/batch-err" >> "$work/batch-tape"

keys=$(wc -c < "$work/keys")
lines=$(wc -l < "$work/batch-tape")
awk -v s="$start" -v e="$end" -v k="$keys" -v l="$lines" \
  'BEGIN { printf "typed %d keys in %.1f s (%.1f ms a key); tape %d lines\n", k, e - s, (e - s) * 1000 / k, l }'
if cmp -s "$work/gui-tape" "$work/batch-tape"; then
  echo "all $keys keys reached the readout and the tape (0 lost)"
else
  echo "MISMATCH between the window's tape and batch mode's:"
  diff <(tr -d '\r' < "$work/gui-tape") <(tr -d '\r' < "$work/batch-tape") | head -20
  exit 1
fi
