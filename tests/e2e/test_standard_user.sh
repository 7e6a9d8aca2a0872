#!/usr/bin/env bash
# Settings for a user who cannot write to the Windows directory, as every standard user on
# today's Windows. The case runs the program as an unprivileged Unix user in a prefix of that
# user's own (Wine refuses a prefix that another user owns) whose Windows directory is made
# read-only: a choice changed under the reset policy Never must survive a restart, kept in the
# per-user file, while the Windows directory's file stays as it was; /UNINSTALL removes the
# per-user file and leaves the Windows directory's.
# shellcheck disable=SC2119  # helpers take optional arguments
source "$(dirname "$0")/lib.sh"

STANDARD_USER="${VPS_STANDARD_USER:-vps-standard-user}"

ensure_standard_user() {
  if ! id -u "$STANDARD_USER" >/dev/null 2>&1; then
    [ "$(id -u)" = 0 ] || { echo "not ok - e2e/$E2E_FILE: setup: user $STANDARD_USER is missing and only root can add it"; exit 1; }
    useradd --create-home --shell /bin/bash "$STANDARD_USER" ||
      { echo "not ok - e2e/$E2E_FILE: setup: cannot add user $STANDARD_USER"; exit 1; }
  fi
  USER_HOME="$(getent passwd "$STANDARD_USER" | cut -d: -f6)"
  USER_TEMPLATE="$USER_HOME/vps-wine-template"
  USER_PREFIX="$USER_TEMPLATE"
}

# Runs a command as the standard user, in the current user prefix, on the test's display.
as_user() {
  runuser -u "$STANDARD_USER" -- env HOME="$USER_HOME" USER="$STANDARD_USER" LOGNAME="$STANDARD_USER" \
    DISPLAY="$DISPLAY" WINEPREFIX="$USER_PREFIX" WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" "$@"
}

# The user's own template prefix, made once by that user (a dozen seconds and more).
ensure_user_template() {
  local stamp="$USER_TEMPLATE/.vps-template" version
  version="$(wine --version 2>/dev/null)"
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ] && return 0
  USER_PREFIX="$USER_TEMPLATE"
  as_user rm -rf "$USER_TEMPLATE"
  as_user timeout 300 wineboot -i >/dev/null 2>&1 || return 1
  as_user timeout 20 wineserver -w >/dev/null 2>&1
  printf '%s\n' "$version" | as_user tee "$stamp" >/dev/null
}

# What lib.sh does, as the standard user and in that user's prefix.
probe() { as_user wine "$VPS_PROBE" "$@" </dev/null; }
settings_file() { echo "$USER_PREFIX/drive_c/windows/VantaroPrintScreen.INI"; }
# The user's profile folder is named after the user, unless a case names it otherwise.
per_user_file() { echo "$USER_PREFIX/drive_c/users/${PROFILE_NAME:-$STANDARD_USER}/AppData/Roaming/Vantaro Print Screen/VantaroPrintScreen.INI"; }
app_start() {
  say "start as $STANDARD_USER: VantaroPrintScreen.exe $*"
  as_user wine "$VPS_EXE" "$@" </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 &
  APP_PID=$!
  probe wait exists 30000 >/dev/null || fail "the main window (class $MAIN_CLASS) never appeared"
}

user_prefix_end() {
  as_user timeout 20 wineserver -k >/dev/null 2>&1
  as_user timeout 20 wineserver -w >/dev/null 2>&1
  chmod u+w "$USER_PREFIX/drive_c/windows" 2>/dev/null
  rm -rf "$USER_PREFIX"
}

no_error_box() { ! probe -c TMessageForm find >/dev/null 2>&1; }

# A fresh copy of the user's prefix for this case (USER_PREFIX) whose Windows directory holds a
# settings file with these lines (WINDOWS_FILE), both read-only as for a standard user on Windows.
user_prefix_with_locked_settings() {
  USER_PREFIX="$USER_HOME/vps-prefix.$$"
  trap user_prefix_end EXIT
  as_user cp -a "$USER_TEMPLATE" "$USER_PREFIX" || fail "cannot copy the user's prefix"
  WINDOWS_FILE="$(settings_file)"
  printf '%s\r\n' "$@" | as_user tee "$WINDOWS_FILE" >/dev/null
  chmod a-w "$WINDOWS_FILE" "$USER_PREFIX/drive_c/windows"
}

# The user's application data in a profile folder of this name, as the shell reports it.
profile_folder_named() {
  PROFILE_NAME="$1"
  as_user mkdir -p "$USER_PREFIX/drive_c/users/$PROFILE_NAME/AppData/Roaming" || fail "cannot make the profile folder"
  as_user wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
    /v AppData /t REG_EXPAND_SZ /d "C:\\users\\$PROFILE_NAME\\AppData\\Roaming" /f >/dev/null 2>&1 ||
    fail "cannot move the user's application data"
}

screen_area_stored_as() { grep -A1 '^\[ScreenArea\]' <(settings_text "$(per_user_file)") | grep -x "ItemIndex=$1" >/dev/null; }

# With a name: the user's profile folder is called so.
choice_kept_in_the_per_user_file() {
  user_prefix_with_locked_settings '[ShowCheatSheet1]' 'Checked=0' \
    '[ResetToDefaultsAfter]' 'ItemIndex=3' '[ScreenArea]' 'ItemIndex=0'
  [ -z "${1:-}" ] || profile_folder_named "$1"
  local windows_file="$WINDOWS_FILE" before
  before="$(md5sum <"$windows_file")"
  # As on Windows for a standard user: nothing in the Windows directory can be written.
  as_user touch "$USER_PREFIX/drive_c/windows/probe" 2>/dev/null && fail "the user can still write to the Windows directory"

  app_start /FIRSTRUN
  wait_visible
  # The first use copied the old values, so the policy Never is already in force.
  [ -f "$(per_user_file)" ] || fail "no per-user settings file after the first start"
  settings_has '^ItemIndex=3' "$(per_user_file)" || fail "the per-user file lacks the copied policy"
  focus_main
  press alt+w
  wait_until 10 "the changed choice is in the per-user file" \
    screen_area_stored_as 2
  expect "no error was shown while writing" no_error_box
  probe endsession >/dev/null || fail "cannot end the session"
  app_wait_exit
  say "per-user file after the first run:"$'\n'"$(settings_text "$(per_user_file)")"

  app_start /FIRSTRUN
  wait_visible
  probe controls | grep -q $'^Button\t1\tForeground &Window$' || fail "the changed choice was not kept over the restart"
  expect "no error was shown" no_error_box
  [ "$(md5sum <"$windows_file")" = "$before" ] || fail "the Windows directory's file changed"
  say "per-user file:"$'\n'"$(settings_text "$(per_user_file)")"
}

# /UNINSTALL takes the user's own settings away but leaves the Windows directory's file, which
# is not the user's to remove.
uninstall_leaves_the_windows_directorys_file() {
  user_prefix_with_locked_settings '[ShowCheatSheet1]' 'Checked=0'
  local windows_file="$WINDOWS_FILE"
  app_start
  probe idle 20000 || fail "the program never became idle"
  [ -f "$(per_user_file)" ] || fail "no per-user settings file after the first start"

  as_user wine "$VPS_EXE" /UNINSTALL </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 &
  local remover=$! rc=0
  wait_until 20 "the question appears" bash -c "xdotool search --onlyvisible --name '^Vantaro Print Screen\$' >/dev/null"
  x_focus "$(x_window '^Vantaro Print Screen$')"
  press y
  wait_until 30 "/UNINSTALL ends" bash -c "! kill -0 $remover 2>/dev/null"
  wait "$remover" || rc=$?
  [ "$rc" = 0 ] || fail "/UNINSTALL ended with exit code $rc"
  app_wait_exit 20
  [ ! -e "$(dirname "$(per_user_file)")" ] || fail "the per-user settings folder is still there"
  [ -f "$windows_file" ] || fail "the Windows directory's file was removed although the user may not write there"
}

ensure_standard_user
e2e_setup
ensure_user_template || { echo "not ok - e2e/$E2E_FILE: setup: $STANDARD_USER cannot make a Wine prefix"; exit 1; }
run_case "a standard user's choice is kept in the per-user file; the Windows directory's file is untouched" \
  choice_kept_in_the_per_user_file
run_case "a standard user whose profile folder is named in Cyrillic: the choice is kept there" \
  choice_kept_in_the_per_user_file 'Дмитрий'
run_case "/UNINSTALL as a standard user: the per-user settings go, the Windows directory's file stays" \
  uninstall_leaves_the_windows_directorys_file
e2e_finish
