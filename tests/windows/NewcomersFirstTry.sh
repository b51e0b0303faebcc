#!/usr/bin/env bash
# A newcomer's first try, as README tells it: scripts/run (here headless, under an Xvfb of its
# own), a click into its Notepad, then the compose key (right Alt), ' and e typed with the X
# server's keyboard. Notepad must then hold "é", read back through its edit control by a
# program in the same Wine session.
#   NewcomersFirstTry.sh BUILD_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
dir=$(mktemp -d /tmp/kq_first_try.XXXXXX)

run_pid=""
finish() {
  if [ -n "$run_pid" ]; then
    kill -TERM "$run_pid" 2>/dev/null || true # as Ctrl+C does: the session ends
    wait "$run_pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap finish EXIT

fail() {
  echo "first try: $*" >&2
  echo "--- scripts/run printed:" >&2
  cat "$dir/run.log" >&2
  exit 1
}

# Waits up to the seconds given for the command to succeed.
wait_for() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 5))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}

# The program's trace tells when its hook is in place; the variable passes through Wine.
KEYQUILL_TRACE="Z:${dir//\//\\}\\trace.txt" "$root/scripts/run" --headless "$dir" >"$dir/run.log" 2>&1 &
run_pid=$!

wait_for 120 test -s "$dir/display" || fail "no display came up"
DISPLAY=$(cat "$dir/display")
export DISPLAY WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wait_for 120 grep -q '^Ready' "$dir/trace.txt" || fail "Keyquill did not become ready"
wait_for 60 xdotool search --onlyvisible --name Notepad || fail "no Notepad window"
notepad=$(xdotool search --onlyvisible --name Notepad | head -1)

# Click into Notepad, then compose.
xdotool mousemove --window "$notepad" 100 100 click 1
sleep 0.5
xdotool key Alt_R apostrophe e

read_text() { wine "$build/kq_window_text.exe" Notepad Edit 2>/dev/null; }
holds_e_acute() { [ "$(read_text)" = "é" ]; }
wait_for 10 holds_e_acute || fail "Notepad holds \"$(read_text)\", not \"é\""
echo "first try: Notepad holds é"
