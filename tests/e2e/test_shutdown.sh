#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# Ending the resident program: only "Exit (Shut Down)" confirmed with Yes, or the end of
# the Windows session, ends it, and then with exit code 0.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# The cheat-sheet card comes up over the main window at every activation, takes the keyboard
# focus and covers part of the window; test_cheat_sheet.sh covers it, here it stays away.
e2e_before_start() { settings_set ShowCheatSheet1 Checked 0; }

# Opens Options > Exit (Shut Down) from the keyboard and waits for the confirmation box.
ask_to_exit() {
  focus_main
  press alt+o
  press x
  wait_until 15 "the 'Warning' box appears" bash -c "xdotool search --onlyvisible --name '^Warning\$' >/dev/null"
  probe -t Warning child-rect "&Yes" >/dev/null || fail "the 'Warning' box has no Yes button"
  probe -t Warning child-rect "&No" >/dev/null || fail "the 'Warning' box has no No button"
  x_focus "$(x_window '^Warning$')"
}

exit_answered() {
  local answer="$1" outcome="$2"
  app_start
  probe idle 20000 || fail "the program never became idle"
  second_start
  wait_visible
  ask_to_exit
  press "$answer"
  if [ "$outcome" = ends ]; then
    app_wait_exit 20
    [ "$APP_RC" = 0 ] || fail "the program ended with exit code $APP_RC, expected 0"
  else
    wait_until 15 "the 'Warning' box goes away" bash -c "! xdotool search --onlyvisible --name '^Warning\$' >/dev/null"
    expect "the program still runs after the exit was refused" app_alive
    probe send 0 0 0 >/dev/null || fail "the main window is gone after the exit was refused"
    # It is not merely alive but still works.
    probe close >/dev/null
    wait_hidden
    second_start
    wait_visible
  fi
}

end_session() {
  local state="$1"
  app_start
  probe idle 20000 || fail "the program never became idle"
  if [ "$state" = shown ]; then
    second_start
    wait_visible
  fi
  probe endsession || fail "the program did not answer the end of the session"
  app_wait_exit 20
  [ "$APP_RC" = 0 ] || fail "the program ended with exit code $APP_RC, expected 0"
}

# The session end was called off: a program must keep running.
end_session_cancelled() {
  app_start
  probe idle 20000 || fail "the program never became idle"
  probe send 0x0016 0 0 >/dev/null || fail "WM_ENDSESSION(0) was not answered"
  expect "the program still runs after a cancelled session end" app_alive
  second_start
  wait_visible
}

e2e_setup
while IFS='|' read -r answer outcome; do
  run_case "Exit answered '$answer': the program $outcome" exit_answered "$answer" "$outcome"
done <<'CASES'
n|stays
Escape|stays
y|ends
CASES
run_case "WM_ENDSESSION(1) while hidden ends with code 0" end_session hidden
run_case "WM_ENDSESSION(1) while shown ends with code 0" end_session shown
run_case "WM_ENDSESSION(0) keeps the program running" end_session_cancelled
e2e_finish
