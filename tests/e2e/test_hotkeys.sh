#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# The Print Screen hot keys: they bring up the main window with a fresh snapshot of the
# screen, and that snapshot never shows the program's own window.
#
# Wine passes a hot key to the program only while some Wine window has the X focus, so
# each case first focuses one: Wine's notepad, or the main window itself.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# The cheat-sheet card comes up over the main window at every activation, takes the keyboard
# focus and covers part of the window; test_cheat_sheet.sh covers it, here it stays away.
e2e_before_start() { settings_set ShowCheatSheet1 Checked 0; }

# Puts notepad beside the main window, in the widest strip of screen the window leaves
# free; its picture in the miniature proves that a snapshot was taken after the key press.
# Needs MAIN_RECT.
place_bystander() {
  local sw sh l t r b
  read -r sw sh < <(screen_size)
  read -r l t r b <<<"$MAIN_RECT"
  # Each free strip as "x y width height": left, right, above and below the window.
  local best="" best_area=0 strip x y w h
  for strip in "0 0 $l $sh" "$r 0 $((sw - r)) $sh" "0 0 $sw $t" "0 $b $sw $((sh - b))"; do
    read -r x y w h <<<"$strip"
    [ "$w" -gt $((sw / 4)) ] && w=$((sw / 4))
    [ "$h" -gt $((sh / 4)) ] && h=$((sh / 4))
    if [ "$w" -ge 120 ] && [ "$h" -ge 120 ] && [ $((w * h)) -gt "$best_area" ]; then
      best="$x $y $w $h" best_area=$((w * h))
    fi
  done
  [ -n "$best" ] || fail "the main window ($MAIN_RECT) leaves no room on screen for a bystander window"
  read -r x y w h <<<"$best"
  probe -c Notepad move "$x" "$y" "$w" "$h" || fail "cannot move notepad"
  BYSTANDER_RECT="$x $y $((x + w)) $((y + h))"
  say "bystander at $BYSTANDER_RECT, main window at $MAIN_RECT"
}

# Share of root colour where a screen rectangle (left top right bottom) lands in the
# miniature of the screen drawn inside the main window's client area. A few pixels are
# left off each side, where scaling blends neighbours.
miniature_share() {
  local client_png="$1" mx my mw mh sw sh
  read -r mx my mw mh < <(root_color_bbox "$client_png")
  read -r sw sh < <(screen_size)
  # A miniature of the bare screen is mostly root colour and keeps the screen's proportions.
  awk -v w="$mw" -v h="$mh" -v sw="$sw" -v sh="$sh" \
    'BEGIN { exit !(w >= 60 && h >= 40 && (w / h) / (sw / sh) > 0.9 && (w / h) / (sw / sh) < 1.1) }' ||
    { echo "no miniature of the screen in the window (root-coloured box ${mw}x${mh}+${mx}+${my})" >&2; return 1; }
  local area
  area="$(awk -v mx="$mx" -v my="$my" -v mw="$mw" -v mh="$mh" -v sw="$sw" -v sh="$sh" \
    -v l="$2" -v t="$3" -v r="$4" -v b="$5" 'BEGIN {
      x0 = mx + l * mw / sw + 3; y0 = my + t * mh / sh + 3
      x1 = mx + r * mw / sw - 3; y1 = my + b * mh / sh - 3
      if (x1 - x0 < 2 || y1 - y0 < 2) exit 1
      printf "%d %d %d %d", x0, y0, x1 - x0, y1 - y0 }')" || return 1
  # shellcheck disable=SC2086  # four numbers
  root_color_share "$client_png" $area
}

# True once the visible main window shows a snapshot in which the bystander appears.
snapshot_shows_bystander() {
  local dir="$WINEPREFIX/.." share
  is_visible || return 1
  import -window root "$dir/shot.png" || return 1
  is_visible || return 1
  crop_client "$dir/shot.png" "$dir/client.png" || return 1
  # shellcheck disable=SC2086
  share="$(miniature_share "$dir/client.png" $BYSTANDER_RECT)" || return 1
  say "root colour where the bystander should be: $share"
  awk -v s="$share" 'BEGIN { exit !(s < 0.3) }'
}

# The place of the main window in the miniature must show the bare screen. Uses the client
# picture left by snapshot_shows_bystander.
expect_main_window_left_out() {
  local dir="$WINEPREFIX/.." share rect
  rect="$(probe rect)"
  # shellcheck disable=SC2086
  share="$(miniature_share "$dir/client.png" $rect)" || fail "no miniature to inspect"
  say "root colour where the main window ($rect) would be: $share"
  awk -v s="$share" 'BEGIN { exit !(s > 0.9) }' || {
    cp "$dir/client.png" "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.client.png"
    fail "the snapshot shows the main window itself (only $share of its place is bare screen)"
  }
}

key_shows_window() {
  local key="$1"
  app_start
  probe idle 20000 || fail "the program never became idle"
  [ "$(probe visible)" = 0 ] || fail "the main window is visible before the key press"
  # A first look tells where the main window appears, so the bystander can keep clear of it.
  # Its snapshot shows the bare screen, so a bystander in the miniature can only come from a
  # snapshot taken by the key press.
  second_start
  wait_visible
  MAIN_RECT="$(probe rect)"
  probe close || fail "cannot post WM_CLOSE"
  wait_hidden
  start_notepad
  place_bystander
  x_focus "$(x_window 'Notepad$')"
  press "$key"
  wait_visible
  wait_until 20 "the window shows a snapshot taken after the key press" snapshot_shows_bystander
  expect_main_window_left_out
}

e2e_setup
for key in Print ctrl+Print alt+Print; do
  run_case "$key from another Wine window shows a fresh snapshot without the window" key_shows_window "$key"
done
e2e_finish
