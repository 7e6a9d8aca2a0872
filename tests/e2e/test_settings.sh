#!/usr/bin/env bash
# The stored choices as a person meets them: a first start with no settings file shows the
# window's design values without a word, and a settings file with one bad value warns once
# about that value and still brings the others back.
# shellcheck disable=SC2119  # helpers take optional arguments
source "$(dirname "$0")/lib.sh"

# The options as the window shows them, one line each: "CAPTION=STATE" for the choices and
# check boxes, and "sliders=SAVED,MAILED" for the two JPEG quality sliders, which come first
# among the track bars.
shown_options() {
  probe controls | awk -F'\t' '
    $1 == "Button" && $2 != "-" && $3 != "" { print $3 "=" $2 }
    tolower($1) == "msctls_trackbar32" { sliders[++n] = $2 }
    END { print "sliders=" sliders[1] "," sliders[2] }'
}

# Fails unless every expected "CAPTION=STATE" line is among the shown options.
expect_options() {
  local shown line
  shown="$(shown_options)" || fail "cannot read the window's controls"
  for line in "$@"; do
    grep -qxF "$line" <<<"$shown" || fail "expected '$line'; the window shows:"$'\n'"$shown"
  done
}


# Counts "Warning" boxes for a while and answers each, so a second one would be seen too.
# Leaves the texts in WARNINGS.
answer_warnings_for() {
  local seconds="$1" deadline text
  WARNINGS=()
  deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    if probe -c TMessageForm wait exists 200 >/dev/null; then
      text="$(probe -c TMessageForm controls | awk -F'\t' '$1 != "Button" && $3 ~ /Invalid setting/ { print $3 }')"
      WARNINGS+=("$text")
      say "warning: $text"
      probe -c TMessageForm post 0x0111 1 0 >/dev/null || fail "cannot answer the warning"
      probe -c TMessageForm wait gone 10000 >/dev/null || fail "the warning did not close"
    fi
  done
}

no_settings_file_shows_the_design_values() {
  rm -f "$(settings_file)"
  app_start /FIRSTRUN
  wait_visible
  answer_warnings_for 3
  [ "${#WARNINGS[@]}" -eq 0 ] || fail "a first start without settings warned: ${WARNINGS[*]}"
  expect_options '&All=1' 'Save as a &File=1' '&BMP - Bitmap=1' '&JPG - JPEG=0' 'sliders=2,2'
}

bad_value_warns_once_and_the_others_load() {
  settings_write '[ScreenArea]' 'ItemIndex=1' '[Action]' 'ItemIndex=abc' '[FileFormat]' 'ItemIndex=1' \
    '[JPEGQuality]' 'Position=4' '[EmailJPEGQuality]' 'Position=1'
  app_start /FIRSTRUN
  answer_warnings_for 6
  [ "${#WARNINGS[@]}" -eq 1 ] || fail "expected one warning, saw ${#WARNINGS[@]}"
  [[ "${WARNINGS[0]}" =~ ^Invalid\ setting\ in\ .*VantaroPrintScreen\.INI\\r\\nSection:\ \ Action\\r\\nKeyName:\ \ ItemIndex\\r\\nValue:\ \ abc\\r\\nThis\ setting\ will\ be\ ignored\.$ ]] ||
    fail "the warning reads '${WARNINGS[0]}'"
  wait_visible
  # The bad value leaves its choice at the design value; the four good ones are back.
  expect_options 'All, except &Task Bar=1' 'Save as a &File=1' '&JPG - JPEG=1' 'sliders=4,1'
}

e2e_setup
run_case "no settings file: the design values and no message" no_settings_file_shows_the_design_values
run_case "a bad value warns once and the other four values load" bad_value_warns_once_and_the_others_load
e2e_finish
