#!/bin/sh
# A write killed part-way: SIGTERM and SIGINT leave no temporary file and end
# with 128 + the signal; SIGKILL leaves one, which the next write to the same
# target removes. brisel-cli itself ends by SIGTERM with status 143.
# usage: write_interrupted.sh WRITE_PROBE BRISEL_CLI
set -u
probe=$1
cli=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
temporaries() { ls -A "$dir" | grep -c '^\.brisel-'; }

printf old >"$dir/out.QPF"
for case in TERM:143 INT:130; do
  signal=${case%:*}
  want=${case#*:}
  "$probe" "$dir/out.QPF" "$signal"
  status=$?
  [ "$status" -eq "$want" ] || fail "SIG$signal: status $status, not $want"
  [ "$(temporaries)" -eq 0 ] || fail "SIG$signal left a temporary file"
  [ "$(cat "$dir/out.QPF")" = old ] || fail "SIG$signal changed the target"
done

"$probe" "$dir/out.QPF" KILL
[ "$(temporaries)" -eq 1 ] || fail "SIGKILL left $(temporaries) temporary files, not one"
[ "$(cat "$dir/out.QPF")" = old ] || fail "SIGKILL changed the target"
"$probe" "$dir/out.QPF" none || fail "the next write failed"
[ "$(temporaries)" -eq 0 ] || fail "the next write left the killed run's temporary file"
[ "$(wc -c <"$dir/out.QPF")" -eq 1048576 ] || fail "the next write did not replace the target"

# brisel-cli waiting on a pipe that never delivers, ended by SIGTERM.
mkfifo "$dir/rep"
"$cli" --rep "$dir/rep" import-rep &
pid=$!
sleep 1
kill -s TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 143 ] || fail "brisel-cli ended by SIGTERM with status $status, not 143"
echo ok
