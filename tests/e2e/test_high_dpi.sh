#!/usr/bin/env bash
# The real program on a screen set to 150 % (144 DPI): the main window's buttons, the monitor
# drawing and the cheat-sheet card come up at one and a half times their design sizes, and
# a capture still holds the screen's own pixels.
source "$(dirname "$0")/lib.sh"

DPI=144
scaled() { echo $((($1 * DPI + 48) / 96)); }

# expect_near WHAT ACTUAL EXPECTED: within two pixels (edges are rounded one by one).
expect_near() {
  local d=$(($2 - $3))
  [ "${d#-}" -le 2 ] || fail "$1 is $2, expected about $3"
  say "$1: $2 (design scaled: $3)"
}

card() { probe -c TfmCheatSheet "$@"; }

expect_child_size() {
  local window="$1" caption="$2" width="$3" height="$4" l t r b
  read -r l t r b < <($window child-rect "$caption" | tr -d '\r') || fail "no control '$caption'"
  expect_near "'$caption' width" $((r - l)) "$(scaled "$width")"
  expect_near "'$caption' height" $((b - t)) "$(scaled "$height")"
}

main_window() { probe "$@"; }

scales_its_windows_at_150_percent() {
  vps_prefix_set_dpi "$DPI" || fail "the prefix did not take LogPixels $DPI"
  app_start /FIRSTRUN
  wait_visible
  card wait visible 15000 >/dev/null || fail "the card did not come up"

  local cw ch cx cy
  read -r cw ch cx cy < <(card client | tr -d '\r')
  expect_near "card client width" "$cw" "$(scaled 446)"
  expect_near "card client height" "$ch" "$(scaled 426)"
  expect_child_size card "Close this card" 105 25
  expect_child_size card "Do not show this card again" 201 25

  expect_child_size main_window "O&K" 75 25
  expect_child_size main_window "C&lose" 75 25
  expect_child_size main_window "Please Select Screen Area:" 145 93
  screenshot shown

  # The width follows the monitor drawing, which fills the room above the options.
  read -r cw ch cx cy < <(probe client | tr -d '\r')
  [ "$cw" -ge "$(scaled 321)" ] || fail "the main window is $cw wide, less than its scaled design width"

  # A copy to the clipboard still holds the whole screen at its own size.
  printf 'nothing yet' | xclip -selection clipboard -i
  # The card stands in front and would take the keys.
  card close || fail "cannot close the card"
  card wait hidden 15000 >/dev/null || fail "the card did not go away"
  focus_main
  press alt+c   # Action: Copy to Clipboard
  press alt+k   # OK
  wait_hidden
  wait_until 10 "the clipboard offers image/bmp" \
    bash -c "xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx image/bmp"
  local clipped="$WINEPREFIX/../clipboard.bmp" size
  xclip -selection clipboard -t image/bmp -o >"$clipped" || fail "cannot read the clipboard"
  size="$("$IM_CONVERT" "$clipped" -format '%w %h' info:)"
  [ "$size" = "$(screen_size)" ] || fail "the copied picture is $size, the screen $(screen_size)"
  say "copied picture: $size"
}

e2e_setup
run_case "at 150 % the windows scale and the capture keeps the screen's pixels" scales_its_windows_at_150_percent
e2e_finish
