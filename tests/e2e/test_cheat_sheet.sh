#!/usr/bin/env bash
# The cheat-sheet card: it comes up over the main window at every activation while Options >
# Show Cheat Sheet is on, shows its picture, closes by its buttons and keys, and "Do not show this
# card again" keeps it away for good, a restart of the program included.
source "$(dirname "$0")/lib.sh"

CARD_CLASS="TfmCheatSheet"
CARD_TITLE='"Cheat Sheet"'

card() { probe -c "$CARD_CLASS" "$@"; }
card_visible() { [ "$(card visible | tr -d '\r')" = 1 ]; }
wait_card_visible() { card wait visible 15000 >/dev/null || fail "the card did not come up"; }
wait_card_hidden() { card wait hidden 15000 >/dev/null || fail "the card did not go away"; }
# The card stays away: give a wrongly shown card ample time to appear.
expect_card_stays_hidden() {
  ! card wait visible 3000 >/dev/null || fail "the card came up: $1"
}

click_card_button() {
  local l t r b
  read -r l t r b < <(card child-rect "$1" | tr -d '\r') || fail "no '$1' button on the card"
  say "click '$1' at $(((l + r) / 2)),$(((t + b) / 2))"
  xdotool mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

settings_file() { echo "$WINEPREFIX/drive_c/windows/VantaroPrintScreen.INI"; }

# Share of clearly red pixels in the card's picture, cut out of a screenshot.
red_share_of_picture() {
  local shot="$1" cw ch cx cy
  read -r cw ch cx cy < <(card client | tr -d '\r')
  "$IM_CONVERT" "$shot" -crop "432x239+$((cx + 7))+$((cy + 104))" +repage \
    -fx '(r > 0.7 && g < 0.35 && b < 0.35) ? 1 : 0' -format '%[fx:mean]' info:
}

shows_on_top_with_its_picture() {
  app_start /FIRSTRUN
  wait_visible
  wait_card_visible
  local l t r b
  read -r l t r b < <(card rect | tr -d '\r')
  [ "$l $t" = "0 0" ] || fail "the card is at $l,$t, not in the top-left corner"
  [ "$((r - l))x$((b - t))" = 454x450 ] || fail "the card measures $((r - l))x$((b - t)), not 454x450"
  wait_until 10 "the card is mapped on X" bash -c "xdotool search --onlyvisible --name '^$CARD_TITLE\$' >/dev/null"
  sleep 0.5
  screenshot card
  local red
  red="$(red_share_of_picture "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.card.png")"
  say "red share of the picture: $red"
  awk -v s="$red" 'BEGIN { exit !(s > 0.005) }' || fail "the card's picture shows no red leader lines ($red)"
}

closes_until_next_activation() {
  local how="$1"
  app_start /FIRSTRUN
  wait_visible
  wait_card_visible
  case "$how" in
    button) click_card_button "Close this card" ;;
    enter | escape)
      local id
      wait_until 10 "the card is mapped on X" bash -c "xdotool search --onlyvisible --name '^$CARD_TITLE\$' >/dev/null"
      id="$(x_window "^$CARD_TITLE\$")"
      x_focus "$id"
      if [ "$how" = enter ]; then press Return; else press Escape; fi
      ;;
  esac
  wait_card_hidden
  is_visible || fail "closing the card hid the main window too"
  second_start
  wait_card_visible
}

no_more_lasts_across_a_restart() {
  app_start /FIRSTRUN
  wait_visible
  wait_card_visible
  click_card_button "Do not show this card again"
  wait_card_hidden
  settings_has '^Checked=0' "$(settings_file)" || fail "the switch was not stored: $(settings_text "$(settings_file)" 2>/dev/null)"
  second_start
  wait_visible
  expect_card_stays_hidden "at the next activation"
  card_visible && fail "the card is visible"

  probe endsession >/dev/null || fail "cannot end the program"
  app_wait_exit
  app_start /FIRSTRUN
  wait_visible
  expect_card_stays_hidden "after a restart"
}

e2e_setup
run_case "a first run shows the card top left with its picture" shows_on_top_with_its_picture
while IFS='|' read -r name how; do
  run_case "$name closes the card until the next activation" closes_until_next_activation "$how"
done <<'CASES'
Close this card|button
Enter|enter
Escape|escape
CASES
run_case "Do not show this card again keeps it away, after a restart too" no_more_lasts_across_a_restart
e2e_finish
