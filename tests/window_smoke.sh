#!/bin/sh
# Starts the window headless from a copy of the program in a folder of its own,
# ends it with a signal (TERM or INT) and checks that it closed as the operator
# would: exit status 0 and KSR.ini written beside the copy, nine lines, with
# brisel.ini beside it for the placement file's path.
# usage: window_smoke.sh BRISEL SIGNAL
set -u
binary=$1
signal=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin" "$dir/elsewhere"
cp "$binary" "$dir/bin/brisel"

fail() {
  echo "FAIL: $*"
  exit 1
}

# Started from another folder: the settings go beside the executable all the same.
cd "$dir/elsewhere"
QT_QPA_PLATFORM=offscreen "$dir/bin/brisel" &
pid=$!
sleep 2
kill -s "$signal" "$pid" || fail "brisel did not stay up"
waited=0
while kill -0 "$pid" 2>/dev/null; do
  [ "$waited" -ge 30 ] && { kill -s KILL "$pid"; fail "brisel did not close on SIG$signal"; }
  sleep 1
  waited=$((waited + 1))
done
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after SIG$signal"
[ -f "$dir/bin/KSR.ini" ] || fail "no KSR.ini beside the executable"
[ ! -e "$dir/elsewhere/KSR.ini" ] || fail "KSR.ini written in the working folder"
lines=$(wc -l <"$dir/bin/KSR.ini")
[ "$lines" -eq 9 ] || fail "KSR.ini has $lines lines"
head -n 1 "$dir/bin/KSR.ini" | grep -q 'TEMPLATE\.QPF.$' || fail "first line is not the template path"
grep -q '^posizioni=' "$dir/bin/brisel.ini" || fail "no placement path in brisel.ini"
echo "ok: SIG$signal closed the window and saved KSR.ini"
