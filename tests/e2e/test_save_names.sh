#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# The names Save as a File hands the system's Save dialog and takes back from it, through the
# real program: the title of the window in front (long, or of forbidden characters only), a
# remembered folder longer than a path can be, a name typed with trailing spaces, and a settings
# file that cannot be written when the type chosen is kept.
#
# Long names once crashed the resident copy inside the dialog, which copies the name into a
# buffer of MAX_PATH characters: a title of 250 or 300 characters with an access violation (and
# a crash report), one of 20,000 characters with no report at all (the copy ran past the top of
# the stack, and the system could not even report it); a stored folder of 1,000 characters
# crashed every BMP save.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# What the bystander's title repeats (vpsprobe set-title); proposals keep at most 100 bytes of it.
TITLE_PATTERN="Long title 0123456789 "
TITLE_BYTES_IN_NAME=100

# ---- helpers ------------------------------------------------------------------------------

crash_folder() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Vantaro Print Screen/Crashes"; }

dialog_open() { xdotool search --onlyvisible --name '^Save Picture$' >/dev/null; }

# Waits for the Save dialog and gives it the keyboard.
focus_save_dialog() {
  wait_until 20 "the Save dialog opens" dialog_open
  x_focus "$(x_window '^Save Picture$')"
  sleep 0.3
}

# Enter in the Save dialog; it must close, and the program must still be there.
press_save() {
  press Return
  wait_until 20 "the Save dialog closes" bash -c '! xdotool search --onlyvisible --name "^Save Picture$" >/dev/null'
}

# Replaces the proposal in the Save dialog by TEXT, then presses Save.
type_and_save() {
  focus_save_dialog
  press ctrl+a
  say "type: '$1'"
  xdotool type --delay 20 "$1"
  press_save
}

# A folder for saved files, remembered by the Save dialog; the program starts in it.
save_folder() {
  SAVED="$WINEPREFIX/../saved"
  mkdir -p "$SAVED"
  cd "$SAVED" || fail "cannot enter $SAVED"
  SAVED_W="$(winepath -w "$SAVED")\\"
}

expect_only_file() {
  local name="$1"
  [ -f "$SAVED/$name" ] || fail "no '$name' in the folder: $(ls -A "$SAVED")"
  [ "$(ls -A "$SAVED")" = "$name" ] || fail "besides '$name' in the folder: $(ls -A "$SAVED")"
  [ "$(head -c 2 "$SAVED/$name")" = BM ] || fail "'$name' is not a bitmap"
}

settings_failure_shown() { probe -c '#32770' texts 2>/dev/null | grep -q 'Unable to write to VantaroPrintScreen.INI'; }

expect_no_crash() {
  app_alive || fail "the program ended"
  [ ! -d "$(crash_folder)" ] || fail "crash reports: $(ls "$(crash_folder)")"
}

# ---- cases --------------------------------------------------------------------------------

# Save as a File with Foreground Window: notepad in front with a title of LENGTH characters of
# PATTERN, a wake-up, OK, and Enter on the proposal; the file is EXPECTED.
title_in_front_is_proposed() {
  local length="$1" pattern="$2" expected="$3"
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=2' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  app_start
  start_notepad
  x_focus "$(x_window 'Notepad$')"
  probe -c Notepad set-title "$length" "$pattern" || fail "cannot give notepad its title"
  second_start
  wait_visible
  focus_main
  press alt+k
  focus_save_dialog
  press_save
  wait_hidden
  expect_no_crash
  expect_only_file "$expected"
}

# The name a title of LENGTH characters of the pattern proposes: its first 100 bytes, without
# the spaces the cut leaves at the end.
long_title_proposal() {
  local length="$1" title=""
  while [ "${#title}" -lt "$length" ]; do title+="$TITLE_PATTERN"; done
  title="${title:0:$length}"
  title="${title:0:$TITLE_BYTES_IN_NAME}"
  echo "${title%"${title##*[! ]}"}.bmp"
}

# A remembered folder of 1,000 characters is ignored: the dialog opens where the system chooses,
# here the program's current folder, and the save goes there.
overlong_stored_folder_is_ignored() {
  save_folder
  local overlong
  overlong="C:\\$(printf 'd%.0s' $(seq 1 1000))\\"
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$overlong"
  app_start /FIRSTRUN
  local round
  for round in 1 2; do
    wait_visible
    focus_main
    press alt+k
    focus_save_dialog
    press_save
    wait_hidden
    expect_no_crash
    [ "$round" = 2 ] || second_start
  done
  { [ -f "$SAVED/Print Screen.bmp" ] && [ -f "$SAVED/Print Screen001.bmp" ]; } ||
    fail "the two saves are not in the current folder: $(ls -A "$SAVED")"
}

# Windows drops trailing spaces from a name: "spaces.bmp   " is saved as spaces.bmp, not as
# "spaces.bmp   .bmp" with the dialog's extension glued on.
trailing_spaces_are_dropped() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  app_start /FIRSTRUN
  wait_visible
  focus_main
  press alt+k
  type_and_save "spaces.bmp   "
  wait_hidden
  expect_only_file "spaces.bmp"
}

# The type chosen is kept in the settings file after the picture is written. The file becomes
# one that cannot be written once the program has settled where its settings live (immutable,
# which stops root too): the failed write is reported, and the picture is there all the same.
unwritable_settings_lose_no_picture() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  local file
  file="$(settings_file)"
  app_start /FIRSTRUN
  wait_visible
  chattr +i "$file" || fail "chattr +i is not supported here"
  trap 'chattr -i "$file" 2>/dev/null' EXIT
  ! (printf x >>"$file") 2>/dev/null || fail "an immutable file still takes writes"
  focus_main
  press alt+k
  focus_save_dialog
  press_save
  wait_until 20 "a message says the settings could not be written" settings_failure_shown
  screenshot message
  expect_only_file "Print Screen.bmp"
  press Return
  wait_hidden
  chattr -i "$file"
}

e2e_setup 800x600x24
for length in 250 300 20000; do
  run_case "a window title of $length characters: the program lives, the save has a cut name" \
    title_in_front_is_proposed "$length" "$TITLE_PATTERN" "$(long_title_proposal "$length")"
done
run_case "a window title of forbidden characters only proposes Print Screen.bmp" \
  title_in_front_is_proposed 12 '<>:|?*' "Print Screen.bmp"
run_case "a remembered folder of 1,000 characters is ignored, twice" overlong_stored_folder_is_ignored
run_case "a name typed with trailing spaces is saved without them" trailing_spaces_are_dropped
run_case "a settings file that cannot be written: the picture is saved, the error shown" \
  unwritable_settings_lose_no_picture
e2e_finish
