#!/bin/sh
# Runs a Windows test program under wine, as the cross build's tests do:
#   run-under-wine.sh WINE PROGRAM [ARGUMENT...]
# A program that wine did not start is started again, up to three times: its
# server went away just as the program started ("Connection reset by peer") or
# its loader gave up, and the program wrote nothing. A program that started
# (GoogleTest writes its first line at once) and failed is never run again:
# its output and exit status pass through as they were.
wine=$1
shift
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
trap 'exit 143' INT TERM
# What wine says, and nothing else does, when it could not start a program.
unstarted='Connection reset by peer|wine client error|^wine: (failed to|could not|cannot) '
attempt=1
while :; do
  "$wine" "$@" >"$out" 2>"$err"
  status=$?
  if [ "$status" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -ge 3 ] ||
    ! grep -Eq "$unstarted" "$err"; then
    cat "$out"
    cat "$err" >&2
    exit "$status"
  fi
  echo "run-under-wine.sh: wine did not start $1 (exit status $status, $(grep -E -m1 "$unstarted" "$err")); starting it again" >&2
  attempt=$((attempt + 1))
  sleep 1
done
