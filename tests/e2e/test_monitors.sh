#!/usr/bin/env bash
# Several monitors: a display that Wine sees as two monitors of different sizes, a primary of
# 1280 x 1024 and a second one of 1024 x 768 to its right. "Screen under the mouse pointer"
# captures the second monitor (a window there and a rectangle dragged there are cropped pixel
# for pixel); "All screens" captures both. The Wine tests of the captured screen then run on a
# desk whose second monitor lies left of the primary, at negative coordinates.
#
# The desktop shows a known picture with detail everywhere (a seeded plasma), so a capture taken
# from the wrong place, or off by a pixel, differs from the screen's own pixels.
# shellcheck disable=SC2119  # helpers take optional arguments
source "$(dirname "$0")/lib.sh"

DESK_W=2304
DESK_H=1024
WINE_TESTS="$VPS_ROOT/build/win64/tests/wine/wine_tests.exe"

# ---- helpers ------------------------------------------------------------------------------

clipboard_has_bitmap() { xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'image/bmp'; }

# Wakes the program with the given settings and the pointer at X Y, presses OK (Copy to
# Clipboard) and leaves the clipboard's picture in CLIPPED. STEPS_BEFORE_OK, a function, runs
# while the window shows.
copy_with_pointer_at() {
  local x="$1" y="$2"
  shift 2
  printf 'nothing yet' | xclip -selection clipboard -i
  xdotool mousemove "$x" "$y"
  say "wake with the pointer at $x,$y"
  probe post "$WM_WAKEUP" 0 0 || fail "cannot wake the program"
  wait_visible
  "$@"
  focus_main
  press alt+k
  wait_hidden
  wait_until 10 "the clipboard offers image/bmp" clipboard_has_bitmap
  CLIPPED="$WINEPREFIX/../clipboard.bmp"
  xclip -selection clipboard -t image/bmp -o >"$CLIPPED" || fail "cannot read the clipboard"
}

# The part X Y W H of the picture must be the screen's part at SX SY (the same place unless
# given), pixel for pixel.
expect_part_is_screen() {
  local picture="$1" x="$2" y="$3" w="$4" h="$5" sx="${6:-$2}" sy="${7:-$3}" differing
  differing="$(compare -metric AE "${picture}[${w}x${h}+${x}+${y}]" "${SCREEN_PICTURE}[${w}x${h}+${sx}+${sy}]" null: 2>&1 |
    awk '{ print int($1) }')"
  say "pixels of ${w}x${h}+${x}+${y} differing from the screen at $sx,$sy: $differing"
  [ "$differing" = 0 ] || {
    cp "$picture" "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.got.bmp"
    fail "$differing of the $((w * h)) pixels differ from the screen at ${w}x${h}+${sx}+${sy}"
  }
}

expect_size() {
  local size
  size="$("$IM_CONVERT" "$1" -format '%w %h' info:)" || fail "cannot read $1"
  [ "$size" = "$2 $3" ] || fail "the picture is ${size/ /x}, expected ${2}x${3}"
}

nothing_to_do() { :; }

# ---- cases --------------------------------------------------------------------------------

wine_sees_two_monitors() {
  local monitors
  monitors="$(probe monitors)" || fail "EnumDisplayMonitors failed"
  say "monitors: $monitors"
  expect "two monitors, the primary first" \
    [ "$monitors" = "$(printf '%s\n' '0 0 1280 1024  0 0 1280 1024  1' '1280 0 2304 768  1280 0 2304 768  0')" ]
}

# A small game window stands still (no caret blinks in it), so the screen's picture taken before
# the activation is what the program froze.
foreground_window_on_the_second_monitor_is_cropped_exactly() {
  settings_write '[ScreenToCapture]' 'ItemIndex=1' '[ScreenArea]' 'ItemIndex=2' '[Action]' 'ItemIndex=3'
  app_start
  wine winemine </dev/null >/dev/null 2>&1 &
  probe -t WineMine wait visible 30000 >/dev/null || fail "the game did not start"
  local l t r b
  read -r l t r b < <(probe -t WineMine rect) || fail "no game window"
  probe -t WineMine move 1500 200 $((r - l)) $((b - t)) || fail "cannot move the game"
  sleep 0.5
  read -r l t r b < <(probe -t WineMine rect)
  say "the game's window: $l $t $r $b"
  [ "$l" -ge 1280 ] || fail "the game did not move onto the second monitor"
  x_focus "$(x_window '^WineMine$')"
  SCREEN_PICTURE="$WINEPREFIX/../shown.png"
  import -window root "$SCREEN_PICTURE"
  copy_with_pointer_at 1900 600 expect_main_window_on_the_second_monitor
  expect_size "$CLIPPED" $((r - l)) $((b - t))
  expect_part_is_screen "$CLIPPED" 0 0 $((r - l)) $((b - t)) "$l" "$t"
}

expect_main_window_on_the_second_monitor() {
  local l t r b
  read -r l t r b < <(probe rect)
  say "main window: $l $t $r $b"
  if [ "$l" -lt 1280 ] || [ "$r" -gt 2304 ]; then fail "the main window is not on the monitor under the pointer"; fi
}

# The selection window covers exactly the second monitor; its rectangle comes back in screen
# coordinates and is cut out of the right place.
selection_on_the_second_monitor_is_cropped_exactly() {
  settings_write '[ScreenToCapture]' 'ItemIndex=1' '[Action]' 'ItemIndex=3'
  app_start
  copy_with_pointer_at 1900 600 select_on_the_second_monitor
  expect_size "$CLIPPED" 201 101
  expect_part_is_screen "$CLIPPED" 0 0 201 101 1400 100
}

select_on_the_second_monitor() {
  click_select_button
  local covered
  covered="$(probe -c TfmSelectedArea rect)"
  say "the selection window covers $covered"
  [ "$covered" = "1280 0 2304 768" ] || fail "the selection window covers $covered, not the second monitor"
  drag 1400 100 1600 200
  press Return
  probe -c TfmSelectedArea wait hidden 15000 >/dev/null || fail "Return did not end the selection"
}

all_screens_captures_the_whole_desktop() {
  settings_write '[ScreenToCapture]' 'ItemIndex=2' '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=3'
  app_start
  copy_with_pointer_at 100 100 nothing_to_do
  expect_size "$CLIPPED" "$DESK_W" "$DESK_H"
  expect_part_is_screen "$CLIPPED" 0 0 1280 1024
  expect_part_is_screen "$CLIPPED" 1280 0 1024 768
}

wine_tests_on_a_second_monitor_at_negative_coordinates() {
  [ -f "$WINE_TESTS" ] || fail "$WINE_TESTS is missing (run scripts/build)"
  local monitors
  monitors="$(probe monitors)"
  say "monitors: $monitors"
  [[ "$monitors" == *"-1024 100 0 868"* ]] || fail "no monitor at (-1024, 100)"
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 300 wine "$WINE_TESTS" --gtest_filter='ScreenToCapture*' </dev/null 2>&1 | tr -d '\r' |
    tee "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.gtest.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "the Wine tests of the captured screen failed"
  # A filter that matches nothing passes too.
  grep -qE '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.gtest.log" ||
    fail "no Wine test of the captured screen ran"
}

# ---- the desk -----------------------------------------------------------------------------

# shellcheck disable=SC2034  # read by e2e_setup
E2E_DISPLAY_START=vps_display_start_two_monitors
e2e_setup 1280x1024 1024x768 1280,0
PICTURE_DIR="$(mktemp -d "${TMPDIR:-/tmp}/vps-monitors.XXXXXX")"
VPS_TEMP_DIRS+=("$PICTURE_DIR")
"$IM_CONVERT" -size "${DESK_W}x${DESK_H}" -seed 7 plasma:red-blue -depth 8 "$PICTURE_DIR/desk.png"
"$(command -v display-im6.q16 || command -v display)" -window root "$PICTURE_DIR/desk.png" >/dev/null 2>&1 || true
SCREEN_PICTURE="$PICTURE_DIR/shown.png"
import -window root "$SCREEN_PICTURE"

run_case "EnumDisplayMonitors lists a primary of 1280x1024 and a second of 1024x768 to its right" wine_sees_two_monitors
run_case "Screen under the mouse pointer: the window in front on the second monitor, pixel for pixel" \
  foreground_window_on_the_second_monitor_is_cropped_exactly
run_case "Screen under the mouse pointer: a rectangle dragged on the second monitor (201x101)" \
  selection_on_the_second_monitor_is_cropped_exactly
run_case "All screens: All is both monitors, each pixel for pixel" all_screens_captures_the_whole_desktop

vps_display_stop
vps_display_start_two_monitors 1280x1024 1024x768 -1024,100 || { echo "not ok - e2e/$E2E_FILE: no second desk"; exit 1; }
run_case "The captured screen's Wine tests with a second monitor at (-1024, 100)" \
  wine_tests_on_a_second_monitor_at_negative_coordinates

e2e_finish
