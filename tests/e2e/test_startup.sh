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
run_case "the wake-up message (1801) from another program shows the window" wake_up_message_shows_window
for arg in /FIRSTRUN /firstrun /FirstRun; do
  run_case "$arg shows the window at once" first_run_shows_at_once "$arg"
done
e2e_finish
