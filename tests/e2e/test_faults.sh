#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# The program under faults: a selection window closed by Alt+F4, hides that must leave nothing
# running, a start that fails, a crash that must leave a report. The rare failures are made to
# happen by the program's test-aid switches (README, "Test aids").
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

e2e_before_start() { settings_write; }

EXE_NAME="$(basename "$VPS_EXE")"

# The message box the program shows for an error, or for a crash: its caption is the title.
error_box_text() {
  probe -c '#32770' controls | awk -F'\t' '$1 == "Static" && $3 != "" { print $3 }'
}
wait_error_box() {
  # Writing a minidump under Wine takes a while on a busy machine.
  probe -c '#32770' wait visible 90000 >/dev/null || fail "no message box appeared"
}
answer_error_box() {
  probe -c '#32770' post 0x0111 1 0 >/dev/null || fail "cannot answer the message box"
  probe -c '#32770' wait gone 10000 >/dev/null || fail "the message box did not close"
}

activate() {
  second_start
  wait_visible
}

# ---- a close of the selection window ------------------------------------------------------

main_height() {
  local l t r b
  read -r l t r b < <(probe rect) || return 1
  echo $((b - t))
}

alt_f4_cancels_the_selection() {
  app_start
  activate
  click_select_button
  drag 100 100 300 200
  x_focus "$(x_window '^Select Area$')"
  press alt+F4
  probe -c TfmSelectedArea wait hidden 15000 >/dev/null || fail "Alt+F4 left the selection window"
  # The main window stays shown, so a hide cannot be what ends the selection here. Made half as
  # tall, it shows whether an activation ran: each one sizes it to the work area's height again.
  local full l t r b
  full="$(main_height)"
  read -r l t r b < <(probe rect)
  probe move "$l" "$t" $((r - l)) $((full / 2)) || fail "cannot resize the main window"
  focus_main
  # Alt went up after the window that had it down was gone, and Wine was seen to lose the next
  # key while it set its keyboard state right; a deaf program answers none of the three.
  local try deadline
  for try in 1 2 3; do
    press Print
    deadline=$((SECONDS + 6))
    while [ "$SECONDS" -lt "$deadline" ]; do
      [ "$(main_height)" = "$full" ] && return 0
      sleep 0.2
    done
  done
  fail "Print Screen no longer activates the program after Alt+F4 on the selection"
}

# ---- nothing runs while hidden ------------------------------------------------------------

# After start-up the hidden program has its own threads and Wine's; that count is the measure.
THREADS_AT_START=""
APP_UNIX_PID=""
note_threads_at_start() {
  probe idle 30000 >/dev/null || fail "the program did not settle after start"
  APP_UNIX_PID="$(vps_unix_pid_of "$EXE_NAME")" || fail "no Wine process for $EXE_NAME"
  THREADS_AT_START="$(thread_count "$APP_UNIX_PID")"
  say "threads right after start: $THREADS_AT_START"
}

# Hidden, with no worker of the program left and (almost) no processor time used: the outline
# marches every 50 ms and the credits move every 15 ms, each far above the allowance.
expect_idle_while_hidden() {
  local threads before after
  expect "the main window is hidden" bash -c "[ \"\$(wine '$VPS_PROBE' visible </dev/null)\" = 0 ]"
  wait_until 10 "the hidden program has no more threads than right after start" \
    bash -c "[ \$(find /proc/$APP_UNIX_PID/task -mindepth 1 -maxdepth 1 | wc -l) -le $THREADS_AT_START ]"
  threads="$(thread_count "$APP_UNIX_PID")"
  before="$(cpu_ticks "$APP_UNIX_PID")"
  sleep 3
  after="$(cpu_ticks "$APP_UNIX_PID")"
  say "hidden: $threads threads (at start $THREADS_AT_START), $((after - before)) ticks of processor time in 3 s"
  # Two ticks (20 ms at the usual 100 Hz) leave room for a stray message, not for a timer.
  [ $((after - before)) -le 2 ] || fail "the hidden program used $((after - before)) ticks of processor time in 3 s"
}

close_box_on_the_main_window_during_a_selection() {
  app_start
  note_threads_at_start
  activate
  click_select_button
  drag 100 100 300 200
  # The main window is not disabled while the selection runs. Its close box hides it as Escape
  # does (both are HideCapture); the message is sent, because the selection window in front
  # keeps the keys from it.
  probe post 0x0112 0xF060 0 || fail "cannot post WM_SYSCOMMAND/SC_CLOSE"
  wait_hidden
  probe -c TfmSelectedArea wait hidden 15000 >/dev/null || fail "the hide left the selection open"
  expect_idle_while_hidden
}

a_capture_that_fails_after_the_resize() {
  app_start /CAPTUREFAILTEST
  note_threads_at_start
  second_start
  wait_error_box
  error_box_text | grep -q 'could not be captured' || fail "the box does not tell of the capture: $(error_box_text)"
  answer_error_box
  expect_idle_while_hidden
  app_alive || fail "the program ended instead of staying resident"
}

credits_running_at_the_hide() {
  app_start
  note_threads_at_start
  activate
  local l t r b
  read -r l t r b < <(probe child-rect ' ') || fail "no power switch on the monitor"
  say "click the power switch"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  wait_until 10 "the credits roll" bash -c "[ \$(find /proc/$APP_UNIX_PID/task -mindepth 1 -maxdepth 1 | wc -l) -gt $THREADS_AT_START ]"
  focus_main
  press Escape
  wait_hidden
  # A pointer left resting where the switch was keeps Wine busy (the program has no timer of its
  # own; the busy time was seen to stop as soon as the pointer moved), so it moves off as a hand
  # would.
  xdotool mousemove 1 1
  expect_idle_while_hidden
}

# ---- a failed start -----------------------------------------------------------------------

a_failed_start_says_why_and_ends_with_an_error_code() {
  e2e_before_start
  say "start: $EXE_NAME /STARTFAILTEST"
  wine "$VPS_EXE" /STARTFAILTEST </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 &
  APP_PID=$!
  wait_error_box
  error_box_text | grep -q 'Start-up failed' || fail "the box does not say why: $(error_box_text)"
  answer_error_box
  app_wait_exit
  [ "$APP_RC" -ne 0 ] || fail "a failed start ended with exit code 0"
  probe wait gone 1000 >/dev/null || fail "a main window outlived the failed start"
}

# ---- crash reports ------------------------------------------------------------------------

# %LOCALAPPDATA% of the Wine user, whose profile folder is named after the Unix user unless a
# case names it otherwise.
crash_folder() { echo "$WINEPREFIX/drive_c/users/${PROFILE_NAME:-$(id -un)}/AppData/Local/Vantaro Print Screen/Crashes"; }

# The same crash for a user whose profile folder is named outside the code page. Wine takes
# %LOCALAPPDATA% from the session's volatile environment, which lasts while its server runs.
crash_leaves_a_report_in_a_profile_named() {
  PROFILE_NAME="$1"
  shift
  wineserver -p
  wine reg add 'HKCU\Volatile Environment' /v LOCALAPPDATA /d "C:\\users\\$PROFILE_NAME\\AppData\\Local" /f >/dev/null 2>&1 ||
    fail "cannot move the user's local application data"
  crash_leaves_a_report "$@"
}

# Eleven older reports and a file of the user's own, as a long life of crashes would leave.
seed_old_reports() {
  local folder i
  folder="$(crash_folder)"
  mkdir -p "$folder"
  for i in $(seq -w 10 20); do
    printf 'MDMP' >"$folder/crash-20200101-0000$i-000-7.dmp"
    printf 'old\r\n' >"$folder/crash-20200101-0000$i-000-7.txt"
  done
  printf 'mine\r\n' >"$folder/notes.txt"
}

crash_leaves_a_report() {
  local switch="$1" code="$2" folder newest line
  folder="$(crash_folder)"
  seed_old_reports
  say "start: $EXE_NAME $switch"
  wine "$VPS_EXE" "$switch" </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 &
  APP_PID=$!
  wait_error_box
  error_box_text | grep -qF 'Vantaro Print Screen\Crashes' || fail "the box does not say where the report is: $(error_box_text)"

  newest="$(find "$folder" -name 'crash-2*.txt' ! -name 'crash-2020*' -printf '%f\n')"
  [ "$(wc -l <<<"$newest")" -eq 1 ] && [ -n "$newest" ] || fail "expected one new text report, found: $newest"
  line="$(tr -d '\r' <"$folder/$newest")"
  say "report: $line"
  grep -Eq "^Vantaro Print Screen [0-9.]+, [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:]{8}: exception $code at 0x[0-9A-F]+ in $EXE_NAME\+0x[0-9A-F]+$" <<<"$line" ||
    fail "the report line is not as expected"
  [ "$(head -c 4 "$folder/${newest%.txt}.dmp")" = MDMP ] || fail "no minidump beside the report"
  [ "$(stat -c %s "$folder/${newest%.txt}.dmp")" -gt 1000 ] || fail "the minidump is nearly empty"
  # The ten newest reports stay: the two oldest of the eleven went, both files of each.
  [ "$(find "$folder" -name 'crash-*.txt' | wc -l)" -eq 10 ] || fail "not ten text reports: $(ls "$folder")"
  [ "$(find "$folder" -name 'crash-*.dmp' | wc -l)" -eq 10 ] || fail "not ten minidumps: $(ls "$folder")"
  [ ! -e "$folder/crash-20200101-000010-000-7.txt" ] && [ ! -e "$folder/crash-20200101-000011-000-7.dmp" ] ||
    fail "the oldest reports were kept"
  [ -e "$folder/crash-20200101-000012-000-7.txt" ] || fail "a report that should stay went"
  [ -e "$folder/notes.txt" ] || fail "a file that is not a report was removed"

  answer_error_box
  app_wait_exit
  [ "$APP_RC" -ne 0 ] || fail "the crashed process ended with exit code 0"
}

e2e_setup
run_case "Alt+F4 on the selection cancels it and Print Screen activates the program again" alt_f4_cancels_the_selection
run_case "hidden by the main window's close box during a selection: no worker, no processor time" close_box_on_the_main_window_during_a_selection
run_case "hidden after a capture that failed after the resize: no worker, no processor time" a_capture_that_fails_after_the_resize
run_case "hidden with the credits rolling: no worker, no processor time" credits_running_at_the_hide
run_case "a failure while the windows are built is shown and ends with a non-zero code" a_failed_start_says_why_and_ends_with_an_error_code
run_case "an access violation leaves a minidump and a text report, ten kept" crash_leaves_a_report /CRASHTEST 0xC0000005
run_case "a stack overflow leaves a minidump and a text report, ten kept" crash_leaves_a_report /CRASHTEST:STACK 0xC00000FD
run_case "a crash of a user whose profile folder is named in Cyrillic leaves its report there" \
  crash_leaves_a_report_in_a_profile_named 'Дмитрий' /CRASHTEST 0xC0000005
# Seen in the system's Save dialog with a name of 20,000 characters: the copy overwrote every
# frame up to the top of the stack, the system could not unwind the fault, and the process
# ended with no report and no message.
run_case "an overrun past the top of the stack leaves a minidump and a text report, ten kept" crash_leaves_a_report /CRASHTEST:OVERRUN 0xC0000005
e2e_finish
