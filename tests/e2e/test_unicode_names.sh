#!/usr/bin/env bash
# Saving through the real program into a folder whose name Wine's default code page (1252)
# cannot spell: Cyrillic, CJK and an emoji. The whole path is pasted into the Save dialog's name
# box in Unicode, and the BMP, JPEG and PNG files must land there under the names given, each
# the screen's picture.
#
# Pasted, not typed: `xdotool type` binds a spare key to each character the keyboard map lacks
# for a moment, and under Wine some of those characters arrive lost or late ("снимок 🖼.bmp"
# came out "симок.bmp"). X hands the pasted text over as UTF-8, which Wine gives the dialog as
# Unicode text.
# shellcheck disable=SC2119  # helpers take optional arguments
source "$(dirname "$0")/lib.sh"

SCREEN_W=320
SCREEN_H=240
FOLDER_NAME='Снимки экрана 表 📷'

# ---- helpers ------------------------------------------------------------------------------

press_ok() {
  focus_main
  press alt+k
}

dialog_open() { xdotool search --onlyvisible --name '^Save Picture$' >/dev/null; }

# A folder with the Unicode name under the saved files' folder; the program starts in the
# plain folder above it, which is also the remembered one.
unicode_folder() {
  SAVED="$WINEPREFIX/../saved"
  UNICODE_DIR="$SAVED/$FOLDER_NAME"
  mkdir -p "$UNICODE_DIR"
  cd "$SAVED" || fail "cannot enter $SAVED"
  SAVED_W="$(winepath -w "$SAVED")\\"
  UNICODE_W="$(winepath -w "$UNICODE_DIR")"
}

# Starts the program in FORMAT (0 BMP, 1 JPEG), presses OK, pastes the full path of NAME inside
# the Unicode folder into the Save dialog's name box and presses Enter.
save_as() {
  local format="$1" name="$2"
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' "[FileFormat]" "ItemIndex=$format" \
    '[JPEGQuality]' 'Position=3' '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  app_start /FIRSTRUN
  wait_visible
  press_ok
  wait_until 20 "the Save dialog opens" dialog_open
  x_focus "$(x_window '^Save Picture$')"
  sleep 0.3
  say "paste $UNICODE_W\\$name"
  printf '%s' "$UNICODE_W\\$name" | xclip -selection clipboard -i
  press ctrl+a
  press ctrl+v
  sleep 0.3
  press Return
  wait_until 20 "the Save dialog closes" bash -c '! xdotool search --onlyvisible --name "^Save Picture$" >/dev/null'
  wait_hidden
  [ -f "$UNICODE_DIR/$name" ] || fail "no '$name' in '$FOLDER_NAME': $(ls -AR "$SAVED")"
  # Nothing beside it: no temporary file left, nothing written under a damaged name.
  [ "$(find "$SAVED" -type f | wc -l)" = 1 ] || fail "other files were written: $(find "$SAVED" -type f)"
}

# The picture must be exactly the screen's, pixel for pixel.
expect_the_screen() {
  local differing
  differing="$(compare -metric AE "$1" "$SCREEN_PICTURE" null: 2>&1 | awk '{ print int($1) }')"
  [ "$differing" = 0 ] || fail "$differing pixels of '$1' differ from the screen"
}

# ---- cases --------------------------------------------------------------------------------

bmp_lands_in_the_unicode_folder() {
  unicode_folder
  save_as 0 'снимок 🖼.bmp'
  [ "$(od -An -tu2 -j28 -N2 "$UNICODE_DIR/снимок 🖼.bmp" | tr -d ' ')" = 24 ] || fail "not a 24-bit bitmap"
  expect_the_screen "$UNICODE_DIR/снимок 🖼.bmp"
}

jpeg_lands_in_the_unicode_folder() {
  unicode_folder
  save_as 1 '写真 Ω.jpg'
  local facts
  facts="$(identify -format '%m %w %h %Q' "$UNICODE_DIR/写真 Ω.jpg")" || fail "not a picture"
  [ "$facts" = "JPEG $SCREEN_W $SCREEN_H 75" ] || fail "expected a ${SCREEN_W}x$SCREEN_H JPEG at quality 75; got $facts"
}

png_lands_in_the_unicode_folder() {
  unicode_folder
  save_as 0 'Ωμέγα.png'
  [ "$(od -An -tx1 -N8 "$UNICODE_DIR/Ωμέγα.png" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "not a PNG file"
  expect_the_screen "$UNICODE_DIR/Ωμέγα.png"
}

# The classic fault of double-byte code pages: Japanese 表 and ソ are 0x95 0x5C and 0x83 0x5C in
# code page 932, whose second byte is "\", so a byte-wise search for it splits such names. The
# whole case runs in a Japanese locale, from which Wine takes code page 932.
bmp_under_the_japanese_code_page() {
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  FOLDER_NAME='ソフト表'
  unicode_folder
  [ "$(probe acp | tr -d '\r')" = 932 ] || fail "Wine's code page is $(probe acp), not 932 (is the ja_JP.UTF-8 locale there?)"
  save_as 0 '表ソ 📷.bmp'
  expect_the_screen "$UNICODE_DIR/表ソ 📷.bmp"
}

e2e_setup "${SCREEN_W}x${SCREEN_H}x24"
PICTURE_DIR="$(mktemp -d "${TMPDIR:-/tmp}/vps-unicode.XXXXXX")"
VPS_TEMP_DIRS+=("$PICTURE_DIR")
"$IM_CONVERT" -size "${SCREEN_W}x${SCREEN_H}" -seed 11 plasma:green-yellow -depth 8 "$PICTURE_DIR/screen.png"
"$(command -v display-im6.q16 || command -v display)" -window root "$PICTURE_DIR/screen.png" >/dev/null 2>&1 || true
SCREEN_PICTURE="$PICTURE_DIR/shown.png"
import -window root "$SCREEN_PICTURE"
[ "$(compare -fuzz 1% -metric AE "$PICTURE_DIR/screen.png" "$SCREEN_PICTURE" null: 2>&1)" = 0 ] ||
  { echo "not ok - e2e/$E2E_FILE: setup: the screen does not show the test picture"; exit 1; }

run_case "Save as BMP into a Cyrillic, CJK and emoji folder, pasted into the dialog: the screen exactly" bmp_lands_in_the_unicode_folder
run_case "Save as JPEG into that folder under a CJK and Greek name: quality 75" jpeg_lands_in_the_unicode_folder
run_case "Save as PNG into that folder under a Greek name: the screen exactly" png_lands_in_the_unicode_folder
run_case "Under code page 932: Save as BMP into 'ソフト表' as '表ソ 📷.bmp'" bmp_under_the_japanese_code_page
e2e_finish
