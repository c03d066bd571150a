#!/bin/sh
# The cross build's test emulator starts a program again only when wine could
# not start it; a program that ran and failed, or crashed, is run once and its
# output and exit status pass through. A stand-in for wine plays each case.
# usage: run_under_wine.sh RUN_UNDER_WINE
set -u
launcher=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

# The stand-in counts its starts; start N behaves as the case's Nth word says:
# reset (the server went away), loader (the program file cannot be opened),
# crash (wine reports the program's own fault), midway (the server went away
# after the program started), fail (the tests failed), pass.
cat >"$dir/wine" <<'STANDIN'
#!/bin/sh
starts=$(($(cat "$STANDIN_DIR/starts") + 1))
echo "$starts" >"$STANDIN_DIR/starts"
set -- $STANDIN_PLAY
shift $((starts - 1))
case ${1:-pass} in
  reset) echo "wine client error:0: write: Connection reset by peer" >&2; exit 1 ;;
  loader) echo 'wine: failed to open "T.exe": c0000135' >&2; exit 53 ;;
  crash) echo "wine: Unhandled page fault on read access to 0000000000000000" >&2; exit 5 ;;
  midway) echo "[==========] Running 1 test"; echo "wine client error:0: read: Connection reset by peer" >&2; exit 1 ;;
  fail) echo "[  FAILED  ] 1 test"; echo "a test's own error" >&2; exit 1 ;;
  pass) echo "[  PASSED  ] 1 test"; exit 0 ;;
esac
STANDIN
chmod +x "$dir/wine"

# play, then the exit status, the starts and the last line of output it wants
check() {
  play=$1 status=$2 starts=$3 last=$4
  echo 0 >"$dir/starts"
  STANDIN_DIR=$dir STANDIN_PLAY=$play sh "$launcher" "$dir/wine" T.exe >"$dir/out" 2>&1
  got=$?
  [ "$got" -eq "$status" ] || fail "$play: exit status $got, not $status"
  [ "$(cat "$dir/starts")" -eq "$starts" ] || fail "$play: $(cat "$dir/starts") starts, not $starts"
  [ "$(tail -n 1 "$dir/out")" = "$last" ] || fail "$play: last line '$(tail -n 1 "$dir/out")'"
}
check "pass" 0 1 "[  PASSED  ] 1 test"
check "fail pass" 1 1 "a test's own error"
check "crash pass" 5 1 "wine: Unhandled page fault on read access to 0000000000000000"
check "midway pass" 1 1 "wine client error:0: read: Connection reset by peer"
check "reset pass" 0 2 "[  PASSED  ] 1 test"
check "loader reset fail" 1 3 "a test's own error"
check "reset reset reset pass" 1 3 "wine client error:0: write: Connection reset by peer"
echo "run-under-wine.sh: every case as wanted"
