#!/usr/bin/env bash
# Fault-injection pass over every kind of file the program writes.
#
#   tests/faults/fault_injection.sh [BUILD_DIR]      (default: build-test)
#   ROUNDS=50 tests/faults/fault_injection.sh        (fewer rounds)
#
# 1. kill -9 at a random moment during ROUNDS saves (200 by default) of each
#    kind: tape file, settings file, formula file, backup copies. After every
#    kill the file must hold exactly its old or its new contents.
# 2. Targets that are a named pipe or a device node (made here, in a
#    temporary folder; the real /dev is never touched) are refused, left as
#    they are, and nothing hangs.
# 3. A full disk (a small tmpfs mounted here; needs root, skipped otherwise)
#    is reported with its reason and leaves the old files whole.
# Prints a line per check and the figures; exits non-zero on any failure.
set -u

BUILD=${1:-build-test}
ZORV=$BUILD/app/zorvcalc
WRITER=$BUILD/tests/faults/fault_formula_writer
ROUNDS=${ROUNDS:-200}
for exe in "$ZORV" "$WRITER"; do
    [ -x "$exe" ] || { echo "missing $exe: build with -DZORV_BUILD_TESTS=ON first" >&2; exit 2; }
done

WORK=$(mktemp -d /tmp/zorv-faults.XXXXXX)
MOUNTED=
cleanup() {
    [ -n "$MOUNTED" ] && umount "$MOUNTED" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok:   $*"; }
sum() { sha1sum "$1" 2>/dev/null | cut -c1-40; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
batch() { "$ZORV" --batch "$@"; }

# Starts the command in the background in a process group of its own, so
# that a kill reaches the program and not only the shell running it.
start_group() {
    set -m
    "$@" >/dev/null 2>&1 &
    group=$!
    set +m
}

# Runs the command and kills its process group with SIGKILL after a random
# delay up to $1 ms; the command may finish first.
kill_during() {
    local max=$1
    shift
    start_group "$@"
    sleep "$(awk -v r=$RANDOM -v m="$max" 'BEGIN { printf "%.3f", r / 32767 * m / 1000 }')"
    kill -9 -- -"$group" 2>/dev/null
    wait "$group" 2>/dev/null
}

# Runs the command and kills its process group with SIGKILL as soon as a new
# temporary file of ours shows in folder $2 (the write has begun), after a
# further random 0-5 ms, or after $1 ms. Polled from python: a shell loop is
# too slow to catch a write that lasts a few milliseconds.
kill_when_writing() {
    local max=$1 folder=$2
    shift 2
    start_group "$@"
    python3 - "$max" "$folder" "$group" <<'PY'
import os, random, signal, sys, time
limit, folder, group = int(sys.argv[1]) / 1000, sys.argv[2], int(sys.argv[3])
ours = lambda: {n for n in os.listdir(folder) if n.startswith(".zorvtmp.")}
before = ours()
start = time.monotonic()
while time.monotonic() - start < limit:
    if ours() - before:
        time.sleep(random.random() * 0.005)
        break
    time.sleep(0.0002)
try:
    os.killpg(group, signal.SIGKILL)
except ProcessLookupError:
    pass
PY
    wait "$group" 2>/dev/null
}

# How long one uninterrupted run of the command takes, in ms.
duration() {
    local start
    start=$(now_ms)
    "$@" >/dev/null 2>&1
    echo $(($(now_ms) - start + 1))
}

# A text of about $1 bytes in lines ending CR LF, each line tagged with $2.
make_text() {
    awk -v size="$1" -v tag="$2" 'BEGIN { n = 0; i = 0; while (n < size) { line = sprintf("%s %07d+", tag, i++); printf "%s\r\n", line; n += length(line) + 2 } }'
}

# The temporary files of ours in a folder, one name a line.
temporaries() { find "$1" -maxdepth 1 -name '.zorvtmp.*' -printf '%f\n' | sort; }

# Whether a file holds exactly one of two contents (given by checksum).
holds_one_of() {  # file sum_a sum_b
    local s
    s=$(sum "$1")
    [ "$s" = "$2" ] || [ "$s" = "$3" ]
}

# ROUNDS times: `save` (a function that starts one save choosing what to
# write from what is there now) is killed, in turn at a random moment within
# $ms and the moment its temporary file shows; then `check` (a function)
# must find every file whole. Counts the rounds in which the kill fell
# inside the write (a temporary file was left behind).
kill_rounds() {  # kind folder-of-the-target
    local kind=$1 folder=$2 bad=0 inside=0 before
    # (standard error is dropped: the shell reports every killed job there)
    for ((i = 0; i < ROUNDS; i++)); do
        before=$(temporaries "$folder")
        if ((i % 2)); then kill_when_writing "$ms" "$folder" save; else kill_during "$ms" save; fi
        check || bad=$((bad + 1))
        [ -n "$(comm -13 <(echo "$before") <(temporaries "$folder"))" ] && inside=$((inside + 1))
    done 2>/dev/null
    [ "$bad" = 0 ] || fail "$kind: $bad rounds left a damaged file"
    echo "$kind: $ROUNDS kills within a ${ms} ms save: $inside inside the write, $bad damaged," \
        "$(temporaries "$folder" | grep -c .) temporary files left at the end"
}

echo "== kill -9 during saves: $ROUNDS rounds per kind"

# --- tape file: load one of two 3.5 MB tapes, save it over the other -------
T=$WORK/tape
mkdir -p "$T"
make_text 3500000 one >"$T/one.txt"
make_text 3500000 two >"$T/two.txt"
cp "$T/one.txt" "$T/target.txt"
tapeA=$(sum "$T/one.txt")
tapeB=$(sum "$T/two.txt")
save_tape() { printf '{Load Saved Tape}[%s]{Save Tape to File}[%s]' "$1" "$T/target.txt" | batch; }
save() { save_tape "$([ "$(sum "$T/target.txt")" = "$tapeA" ] && echo "$T/two.txt" || echo "$T/one.txt")"; }
check() { holds_one_of "$T/target.txt" "$tapeA" "$tapeB"; }
ms=$(duration save)
kill_rounds "tape (3.5 MB)" "$T"

# --- settings file: toggle one value in a 600 KB hand-commented file -------
S=$WORK/settings
mkdir -p "$S"
{
    make_text 600000 '; comment' | tr -d '\r'
    printf '[Startup]\nSave Memory = False\nRepeat Subtraction=False\n'
} >"$S/settings.ini"
settingsA=$(sum "$S/settings.ini")
sed 's/^Repeat Subtraction=False$/Repeat Subtraction=True/' "$S/settings.ini" >"$S/expected-new.ini"
settingsB=$(sum "$S/expected-new.ini")
rm "$S/expected-new.ini"
toggle() { printf '{Repeat Subtraction}' | batch --settings "$S/settings.ini"; }
save() { toggle; }
check() { holds_one_of "$S/settings.ini" "$settingsA" "$settingsB"; }
ms=$(duration toggle)
[ "$(sum "$S/settings.ini")" = "$settingsB" ] || fail "settings: an uninterrupted toggle did not give the expected file"
kill_rounds "settings (600 KB)" "$S"

# --- formula file: rewrite the first of 3 MB of formulas -------------------
F=$WORK/formula
mkdir -p "$F"
{
    printf 'Big\t1+1\r\n'
    make_text 3000000 $'Name\t2*'
} >"$F/evalform.frm"
formulaA=$(sum "$F/evalform.frm")
"$WRITER" "$F/evalform.frm" Big 2+2
formulaB=$(sum "$F/evalform.frm")
save() { "$WRITER" "$F/evalform.frm" Big "$([ "$(sum "$F/evalform.frm")" = "$formulaA" ] && echo 2+2 || echo 1+1)"; }
check() { holds_one_of "$F/evalform.frm" "$formulaA" "$formulaB"; }
ms=$(duration save)
[ "$(sum "$F/evalform.frm")" = "$formulaA" ] || fail "formula: the rewrite back did not give the old file"
kill_rounds "formula (3 MB)" "$F"

# --- backup: two data folders backed up in turn to one folder --------------
K=$WORK/backup
mkdir -p "$K/one" "$K/two" "$K/usb"
files="consform.frm evalform.frm calcalrm.2do zorvcalc.2do"
for f in $files; do
    make_text 800000 "one $f" >"$K/one/$f"
    make_text 800000 "two $f" >"$K/two/$f"
done
backup() { printf '{Backup Data}[%s]' "$K/usb" | batch --data-dir "$K/$1"; }
save() { backup "$([ $((RANDOM % 2)) = 0 ] && echo two || echo one)"; }
check() {  # every copy is whole, from one folder or the other
    local f
    for f in $files; do holds_one_of "$K/usb/$f" "$(sum "$K/one/$f")" "$(sum "$K/two/$f")" || return 1; done
}
ms=$(duration backup one)
kill_rounds "backup (4 x 800 KB)" "$K/usb"

# Leftovers of killed saves are removed by the next save in their folder
# once they are stale (unlocked and a little while old).
left=$(find "$WORK" -name '.zorvtmp.*' | wc -l)
find "$WORK" -name '.zorvtmp.*' -exec touch -d '1 minute ago' {} +
save_tape "$T/one.txt" >/dev/null 2>&1
toggle >/dev/null 2>&1
"$WRITER" "$F/evalform.frm" Big 1+1
backup one >/dev/null 2>&1
after=$(find "$WORK" -name '.zorvtmp.*' | wc -l)
[ "$after" = 0 ] && ok "$left temporary files left by the last kills, $after after the next saves" ||
    fail "$after temporary files remain after the next saves"

echo "== targets that are not regular files"
N=$WORK/nodes
mkdir -p "$N/usb"
mkfifo "$N/fifo" "$N/usb/evalform.frm"
nodes="fifo"
if [ "$(id -u)" = 0 ]; then
    mknod "$N/null" c 1 3
    mknod "$N/full" c 1 7
    nodes="fifo null full"
else
    echo "skip: device nodes (mknod needs root)"
fi
printf 'x\t1\r\n' >"$N/evalform.frm"  # the data folder's file to back up
for node in $nodes; do
    before=$(stat -c %F "$N/$node")
    err=$(printf '1+2={Save Tape to File}[%s]' "$N/$node" | timeout 10 "$ZORV" --batch 2>&1 >/dev/null)
    status=$?
    [ $status = 124 ] && fail "tape save to $node hangs"
    [[ $err == *"not a regular file"* ]] && [ "$(stat -c %F "$N/$node")" = "$before" ] &&
        ok "tape save to a $before refused: $(echo "$err" | head -1)" || fail "tape save to $node: $err"
    err=$(printf '{Repeat Subtraction}' | timeout 10 "$ZORV" --batch --settings "$N/$node" 2>&1 >/dev/null)
    status=$?
    [ $status = 124 ] && fail "settings in $node hang"
    [ $status = 1 ] && [[ $err == *"not a regular file"* ]] && [ "$(stat -c %F "$N/$node")" = "$before" ] &&
        ok "settings file that is a $before refused, exit $status" || fail "settings in $node (exit $status): $err"
done
err=$(printf '{Backup Data}[%s]' "$N/usb" | timeout 10 "$ZORV" --batch --data-dir "$N" 2>&1 >/dev/null)
[[ $err == *"Backup could not be completed!"* ]] && [ -p "$N/usb/evalform.frm" ] &&
    ok "backup over a named pipe refused" || fail "backup over a named pipe: $err"
if [ "$(id -u)" = 0 ]; then
    mv "$N/usb/evalform.frm" "$N/usb/pipe"
    mknod "$N/usb/evalform.frm" c 1 3
    err=$(printf '{Backup Data}[%s]' "$N/usb" | timeout 10 "$ZORV" --batch --data-dir "$N" 2>&1 >/dev/null)
    [[ $err == *"Backup could not be completed!"* ]] && [ -c "$N/usb/evalform.frm" ] &&
        ok "backup over a device node refused" || fail "backup over a device node: $err"
fi

echo "== full disk"
if [ "$(id -u)" != 0 ]; then
    echo "skip: mounting a small tmpfs needs root"
else
    D=$WORK/full
    mkdir -p "$D"
    if ! mount -t tmpfs -o size=4m tmpfs "$D"; then
        echo "skip: tmpfs could not be mounted"
    else
        MOUNTED=$D
        mkdir -p "$D/usb"
        printf 'old tape\r\n' >"$D/tape.txt"
        printf '[Startup]\nRepeat Subtraction=False\n' >"$D/settings.ini"
        printf 'Big\t1+1\r\n' >"$D/evalform.frm"
        printf 'old backup\r\n' >"$D/usb/evalform.frm"
        make_text 1000000 big >"$WORK/big.txt"
        mkdir -p "$WORK/data"
        cp "$WORK/big.txt" "$WORK/data/evalform.frm"
        dd if=/dev/zero of="$D/filler" bs=64k 2>/dev/null
        check_kept() { [ "$(cat "$1")" = "$2" ] || fail "$1 changed on a full disk"; }

        err=$(printf '{Load Saved Tape}[%s]{Save Tape to File}[%s]' "$WORK/big.txt" "$D/tape.txt" |
            "$ZORV" --batch 2>&1 >/dev/null)
        [[ $err == *"No space left on device"* ]] && ok "tape save: $(echo "$err" | grep -m1 -o 'No space.*device')" ||
            fail "tape save on a full disk: $err"
        check_kept "$D/tape.txt" $'old tape\r'

        err=$(printf '{Repeat Subtraction}' | "$ZORV" --batch --settings "$D/settings.ini" 2>&1 >/dev/null)
        status=$?
        [ $status = 1 ] && [[ $err == *"No space left on device"* ]] &&
            ok "settings save: exit $status, reason given" || fail "settings on a full disk (exit $status): $err"
        check_kept "$D/settings.ini" $'[Startup]\nRepeat Subtraction=False'

        err=$("$WRITER" "$D/evalform.frm" Big "$(head -c 50000 "$WORK/big.txt" | tr -d '\r\n')" 2>&1)
        [[ $err == *"No space left on device"* ]] && ok "formula save: reason given" || fail "formula on a full disk: $err"
        check_kept "$D/evalform.frm" $'Big\t1+1\r'

        err=$(printf '{Backup Data}[%s]' "$D/usb" | "$ZORV" --batch --data-dir "$WORK/data" 2>&1 >/dev/null)
        [[ $err == *"Backup could not be completed!"* ]] && ok "backup: failure reported" || fail "backup on a full disk: $err"
        check_kept "$D/usb/evalform.frm" $'old backup\r'

        leftover=$(find "$D" -name '.zorvtmp.*' | wc -l)
        [ "$leftover" = 0 ] && ok "no temporary file left on the full disk" || fail "$leftover temporary files left on the full disk"
        umount "$D" && MOUNTED=
    fi
fi

echo "== $failures failures"
[ "$failures" = 0 ]
