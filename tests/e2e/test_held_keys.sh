#!/usr/bin/env bash
# Print Screen held by someone else: by another program that registered it first, or by
# Windows' own "Use the Print screen key to open screen capture". The program says so once at
# start, keeps using the keys it got, and takes a held key back once it is free.
# E2E_DOCS_SHOT=FILE keeps a picture of the message with its button (docs/images/hotkey-message.png).
# shellcheck disable=SC2119  # helpers take optional arguments
source "$(dirname "$0")/lib.sh"

VPS_HOLDER="${VPS_HOLDER:-$(dirname "$VPS_PROBE")/psholder.exe}"
NOTICE_CLASS="TfmHotKeyNotice"
NOTICE_TITLE="^Vantaro Print Screen - Print Screen Keys\$"

# Only before the first start of a case: later starts keep what the program stored.
e2e_before_start() { grep -q "^\[ShowCheatSheet1\]" "$(settings_file)" 2>/dev/null || settings_set ShowCheatSheet1 Checked 0; }

# The message's text, its line breaks as \r\n, and whether it carries the Windows button.
notice_text() { probe -c "$NOTICE_CLASS" controls | awk -F'\t' '$1 == "Static" && $3 ~ /^These keys/ { print $3 }'; }
notice_first_line() { notice_text | sed 's/\\r\\n.*//'; }

wait_notice() {
  probe -c "$NOTICE_CLASS" wait visible 20000 >/dev/null || fail "no message about the held keys appeared"
  say "message: $(notice_text)"
}

focus_notice() { x_focus "$(x_window "$NOTICE_TITLE")"; }

holder_start() {
  HOLDER_STOP="$WINEPREFIX/../holder.stop"
  HOLDER_LOG="$WINEPREFIX/../holder.log"
  wine "$VPS_HOLDER" "Z:${HOLDER_STOP//\//\\}" </dev/null >"$HOLDER_LOG" 2>&1 &
  HOLDER_PID=$!
  wait_until 30 "the holder has Print Screen" grep -q held "$HOLDER_LOG"
}

holder_end() {
  touch "$HOLDER_STOP"
  wait_until 20 "the holder let go of Print Screen" grep -q released "$HOLDER_LOG"
  wait "$HOLDER_PID" 2>/dev/null || true
}

key_held_by_another_program() {
  [ -f "$VPS_HOLDER" ] || fail "$VPS_HOLDER is missing (run scripts/build)"
  holder_start
  app_start
  wait_notice
  [ "$(notice_first_line)" = "These keys do not reach Vantaro Print Screen: Print Screen." ] ||
    fail "the message should name exactly Print Screen"
  notice_text | grep -q "Print Screen is held by another program" || fail "the message does not say who holds the key"
  notice_text | grep -q "Use the Print screen key" && fail "the message blames Windows' setting, which is off"
  [ "$(probe visible)" = 0 ] || fail "the main window showed with the message"

  # The two keys the program did get still work.
  focus_notice
  press ctrl+Print
  wait_visible
  probe close >/dev/null || fail "cannot post WM_CLOSE"
  wait_hidden

  # Once the holder lets go, the next wake-up takes the key back.
  holder_end
  second_start
  wait_visible
  probe close >/dev/null || fail "cannot post WM_CLOSE"
  wait_hidden
  focus_notice
  press Print
  wait_visible
}

windows_setting_offers_to_turn_itself_off() {
  wine reg add 'HKCU\Control Panel\Keyboard' /v PrintScreenKeyForSnippingEnabled /t REG_DWORD /d 1 /f \
    >/dev/null 2>&1 || fail "cannot set the Windows setting"
  app_start
  wait_notice
  [ "$(notice_first_line)" = "These keys do not reach Vantaro Print Screen: Print Screen." ] ||
    fail "the message should name exactly Print Screen"
  notice_text | grep -q '"Use the Print screen key to open screen capture" is on' || fail "the message does not name the Windows setting"
  probe -c "$NOTICE_CLASS" controls | grep -q $'^Button\t[^\t]*\t&Turn Off the Windows Setting$' ||
    fail "the message has no button that turns the setting off"
  if [ -n "${E2E_DOCS_SHOT:-}" ]; then
    import -window "$(x_window "$NOTICE_TITLE")" "$E2E_DOCS_SHOT" || fail "cannot take the picture for the docs"
  fi

  focus_notice
  press alt+t
  wait_until 10 "the setting reads 0" bash -c \
    "wine reg query 'HKCU\\Control Panel\\Keyboard' /v PrintScreenKeyForSnippingEnabled 2>/dev/null | grep -q 'REG_DWORD.*0x0'"
  say "$(wine reg query 'HKCU\Control Panel\Keyboard' /v PrintScreenKeyForSnippingEnabled 2>/dev/null | tr -d '\r')"
}

do_not_tell_me_again_keeps_later_starts_quiet() {
  holder_start
  app_start
  wait_notice
  local l t r b
  read -r l t r b < <(probe -c "$NOTICE_CLASS" child-rect "Do not tell me again") || fail "no 'Do not tell me again' box"
  # Clicked on its box, near the left end, where the text cannot be.
  xdotool mousemove --sync $((l + 6)) $(((t + b) / 2)) click 1
  wait_until 10 "the switch is stored" settings_has '^Checked=1' "$(settings_file)"
  probe endsession >/dev/null
  app_wait_exit
  app_start
  probe idle 20000 >/dev/null || fail "the program never became idle"
  probe -c "$NOTICE_CLASS" wait visible 3000 >/dev/null && fail "the message came back after 'Do not tell me again'"
  holder_end
}

e2e_setup
run_case "a key held by another program is named, the others work, and it is taken back when free" key_held_by_another_program
run_case "Windows' own use of Print Screen offers the button that turns it off" windows_setting_offers_to_turn_itself_off
run_case "Do not tell me again keeps later starts quiet" do_not_tell_me_again_keeps_later_starts_quiet
e2e_finish
