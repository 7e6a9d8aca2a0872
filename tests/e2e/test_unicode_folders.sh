#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# The program run from a folder whose name the code page cannot hold (Cyrillic, CJK and an
# emoji on an English system): its help opens, Start with Windows writes the program's real
# path, a copy moved since is recognised by that path, and /UNINSTALL removes the value again.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

RUN_KEY='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
RUN_VALUE='Vantaro Print Screen'
FOLDER_NAME='Программы 表 📷'
PROGRAM_W="C:\\$FOLDER_NAME\\VantaroPrintScreen.exe"

# ---- helpers ------------------------------------------------------------------------------

# The program and its help file in the folder, where VPS_EXE then points.
copy_program() {
  local folder="$WINEPREFIX/drive_c/$FOLDER_NAME"
  mkdir -p "$folder"
  cp "$VPS_EXE" "$(dirname "$VPS_EXE")/VANTAROPRINTSCREEN.HLP" "$folder/" || fail "cannot copy the program"
  VPS_EXE="$folder/VantaroPrintScreen.exe"
}

# The Run value in UTF-8, through an export of the key: `reg query` prints it in the console's
# code page, which turns the folder's name into question marks.
run_value() {
  local export="$WINEPREFIX/drive_c/run.reg"
  rm -f "$export"
  wine regedit /E 'C:\run.reg' "$RUN_KEY" >/dev/null 2>&1
  [ -f "$export" ] || return 0
  iconv -f UTF-16 -t UTF-8 "$export" | tr -d '\r' | sed -n "s/^\"$RUN_VALUE\"=\"\(.*\)\"\$/\1/p" |
    sed 's/\\\(.\)/\1/g'
}


question_shown() { probe -c TMessageForm find >/dev/null 2>&1; }

help_contents_shown() { probe -c TfmHelpContents find >/dev/null 2>&1; }

no_error_box() { ! probe -c TMessageForm find >/dev/null 2>&1; }

# ---- cases --------------------------------------------------------------------------------

help_opens() {
  copy_program
  start_shown
  local l t r b
  read -r l t r b < <(probe child-rect '&Help') || fail "no Help button"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  wait_until 15 "the help's contents appear" help_contents_shown
  expect "no error was shown" no_error_box
}

start_with_windows_writes_the_real_path_and_uninstall_removes_it() {
  copy_program
  start_shown
  open_general_options
  [ "$(start_box_state)" = 0 ] || fail "the box is checked with no Run value"
  click_start_box
  close_general_options Return
  say "Run value: $(run_value)"
  [ "$(run_value)" = "\"$PROGRAM_W\"" ] || fail "the Run value is '$(run_value)', expected '\"$PROGRAM_W\"'"

  # The value names this copy: General Options opens without asking about a moved program,
  # and its box shows the value.
  open_general_options
  [ "$(start_box_state)" = 1 ] || fail "the box does not show the Run value"
  close_general_options Escape
  say "start: VantaroPrintScreen.exe /UNINSTALL"
  wine "$VPS_EXE" /UNINSTALL </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 &
  local remover=$! rc=0
  wait_until 20 "the question appears" question_shown
  local l t r b
  read -r l t r b < <(probe -c TMessageForm child-rect '&Yes') || fail "no Yes button"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  wait_until 30 "/UNINSTALL ends" bash -c "! kill -0 $remover 2>/dev/null"
  wait "$remover" || rc=$?
  [ "$rc" = 0 ] || fail "/UNINSTALL ended with exit code $rc"
  app_wait_exit 20
  [ -z "$(run_value)" ] || fail "the Run value is still there: $(run_value)"
}

e2e_setup
run_case "from a folder named '$FOLDER_NAME': the Help button opens the help" help_opens
run_case "from a folder named '$FOLDER_NAME': Start with Windows writes the real path, /UNINSTALL removes it" \
  start_with_windows_writes_the_real_path_and_uninstall_removes_it
e2e_finish
