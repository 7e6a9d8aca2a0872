#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# Starting the program: it stays out of sight until asked, and a second start only wakes
# the copy that is already running.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# The cheat-sheet card comes up over the main window at every activation, takes the keyboard
# focus and covers part of the window; test_cheat_sheet.sh covers it, here it stays away.
e2e_before_start() { settings_set ShowCheatSheet1 Checked 0; }

starts_hidden() {
  app_start
  # Whatever the program shows at start, it shows before its message loop first idles.
  probe idle 20000 || fail "the program never became idle"
  [ "$(probe visible)" = 0 ] || fail "the main window is visible right after start"
  local pid visible
  pid="$(probe pid)"
  visible="$(probe list | grep " pid=$pid visible=1" || true)"
  [ -z "$visible" ] || fail "the program shows a window right after start: $visible"
  [ -z "$(x_window "$MAIN_TITLE")" ] || fail "an X window titled '$MAIN_TITLE' is mapped"
  expect "the program keeps running without a window" app_alive
}

second_start_wakes_first() {
  app_start
  probe idle 20000 || fail "the program never became idle"
  second_start
  wait_visible
  expect "the first copy is still running" app_alive
  [ "$(probe count)" = 1 ] || fail "more than one main window exists after the second start"
  # The window must be really on screen, not merely flagged visible.
  wait_until 10 "the main window is mapped on X" bash -c "xdotool search --onlyvisible --name '^$MAIN_TITLE\$' >/dev/null"
}

at_most_one_running() {
  local running=0 pid
  for pid in "$@"; do pid_running "$pid" && running=$((running + 1)); done
  [ "$running" -le 1 ]
}

# Five starts close together, each slowed between its single-instance check and its main window
# (the window is what a later start looks for): one stays resident, the others wake it and end.
starts_at_once_leave_one_copy() {
  local count="$1" pids=() i
  e2e_before_start
  say "$count starts at once"
  for ((i = 0; i < count; i++)); do
    wine "$VPS_EXE" /SLOWSTARTTEST </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 &
    pids+=("$!")
  done
  wait_until 30 "all starts but one have ended" at_most_one_running "${pids[@]}"
  local pid rc
  APP_PID=""
  for pid in "${pids[@]}"; do
    if pid_running "$pid"; then
      APP_PID="$pid"
      continue
    fi
    rc=0
    wait "$pid" || rc=$?
    [ "$rc" -eq 0 ] || fail "a start that gave way ended with exit code $rc, expected 0"
  done
  [ -n "$APP_PID" ] || fail "no copy stayed resident"
  wait_visible
  [ "$(probe count)" = 1 ] || fail "$(probe count) main windows exist, expected 1"
  # A copy that stayed beside another would find the Print Screen keys taken and say so.
  [ -z "$(x_window 'Print Screen Keys$')" ] || fail "a message about the Print Screen keys is shown"
  expect "the resident copy keeps running" app_alive
}

wake_up_message_shows_window() {
  app_start
  probe idle 20000 || fail "the program never became idle"
  probe post "$WM_WAKEUP" 0 0 || fail "cannot post the wake-up message"
  wait_visible
  expect "the program keeps running after showing its window" app_alive
}

first_run_shows_at_once() {
  app_start "$1"
  wait_visible
  expect "the program keeps running after showing its window" app_alive
}

e2e_setup
run_case "starts with no visible window" starts_hidden
run_case "a second start exits 0 and shows the first copy's window" second_start_wakes_first
run_case "five starts at once: one copy stays resident and is woken, four end with 0" starts_at_once_leave_one_copy 5
run_case "the wake-up message (1801) from another program shows the window" wake_up_message_shows_window
for arg in /FIRSTRUN /firstrun /FirstRun; do
  run_case "$arg shows the window at once" first_run_shows_at_once "$arg"
done
e2e_finish
