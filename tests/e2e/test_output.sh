#!/usr/bin/env bash
# OK through the real program: Copy to Clipboard read back from X, a rectangle drawn with the
# mouse over the frozen screen, Save as a File (BMP, JPEG and PNG) checked on disk, and Email
# with a stand-in mail client that records what it is handed.
#
# The screen shows a known picture with detail everywhere (a seeded plasma), so a capture that
# is off by a pixel, a row or a colour channel differs from the screen's own pixels.
# E2E_DOCS_SHOT=FILE keeps a picture of the first drawn selection with its magnifier and size
# readout (docs/images/selection-aids.png).
# shellcheck disable=SC2119  # helpers take optional arguments
source "$(dirname "$0")/lib.sh"

SCREEN_W=640
SCREEN_H=480
STANDIN_DIR="$VPS_BUILD/tests/wine/mapi"
# shellcheck source=../../scripts/lib/mail.sh
source "$VPS_ROOT/scripts/lib/mail.sh"

# ---- helpers ------------------------------------------------------------------------------

press_ok() {
  focus_main
  press alt+k
}

# "W H" of an image file.
size_of() { "$IM_CONVERT" "$1" -format '%w %h' info:; }

# Number of pixels in which an image differs from the screen's picture cut at X Y W H.
pixels_differing() {
  local picture="$1" x="$2" y="$3" w="$4" h="$5"
  "$IM_CONVERT" "$SCREEN_PICTURE" -crop "${w}x${h}+${x}+${y}" +repage "$WINEPREFIX/../expected.png"
  compare -metric AE "$picture" "$WINEPREFIX/../expected.png" null: 2>&1 | awk '{ print int($1) }'
}

# The picture must be exactly the screen's picture cut at X Y W H, pixel for pixel.
expect_screen_part() {
  local picture="$1" x="$2" y="$3" w="$4" h="$5" size differing
  size="$(size_of "$picture")" || fail "cannot read $picture"
  [ "$size" = "$w $h" ] || fail "the picture is ${size/ /x}, expected ${w}x${h}"
  differing="$(pixels_differing "$@")"
  say "pixels differing from the screen at ${w}x${h}+${x}+${y}: $differing"
  [ "$differing" = 0 ] || {
    cp "$picture" "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.got.${picture##*.}"
    fail "$differing of the $((w * h)) pixels differ from the screen at ${w}x${h}+${x}+${y}"
  }
}

clipboard_has_bitmap() { xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'image/bmp'; }

# Saves the clipboard's picture as a file and names it in CLIPPED.
read_clipboard() {
  wait_until 10 "the clipboard offers image/bmp" clipboard_has_bitmap
  CLIPPED="$WINEPREFIX/../clipboard.bmp"
  xclip -selection clipboard -t image/bmp -o >"$CLIPPED" || fail "cannot read the clipboard"
}

clipboard_has_png() { xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'image/png'; }

# Saves the clipboard's PNG as a file and names it in CLIPPED_PNG.
read_clipboard_png() {
  wait_until 10 "the clipboard offers image/png" clipboard_has_png
  CLIPPED_PNG="$WINEPREFIX/../clipboard.png"
  xclip -selection clipboard -t image/png -o >"$CLIPPED_PNG" || fail "cannot read the clipboard's PNG"
}

# A PNG file by its signature and header, not by its name: 8-bit truecolour, no interlace.
expect_png_file() {
  local header
  header="$(od -An -tx1 -N29 "$1" | tr -d ' \n')"
  [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "'$1' is not a PNG file"
  [ "${header:48:10}" = 0802000000 ] || fail "'$1' is not an 8-bit truecolour PNG (header $header)"
}

# Something else on the clipboard first, so a stale picture cannot pass for the new one.
clear_clipboard() { printf 'nothing yet' | xclip -selection clipboard -i; }

# The Save dialog proposes a name in the remembered folder; Enter takes it.
accept_save_dialog() {
  wait_until 20 "the Save dialog opens" bash -c "xdotool search --onlyvisible --name '^Save Picture\$' >/dev/null"
  x_focus "$(x_window '^Save Picture$')"
  sleep 0.3
  press Return
  wait_until 20 "the Save dialog closes" bash -c "! xdotool search --onlyvisible --name '^Save Picture\$' >/dev/null"
}

# A folder for saved files, to be remembered as the Save dialog's folder. The program keeps it
# with a trailing backslash (SAVED_W); SAVED_BARE_W is the same folder as a person might type it.
# The program starts in it: a BMP's proposal looks for free names in the current directory.
save_folder() {
  SAVED="$WINEPREFIX/../saved"
  mkdir -p "$SAVED"
  cd "$SAVED" || fail "cannot enter $SAVED"
  SAVED_BARE_W="$(winepath -w "$SAVED")"
  SAVED_W="$SAVED_BARE_W\\"
}

# ---- cases --------------------------------------------------------------------------------

clipboard_holds_the_whole_screen() {
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=3'
  clear_clipboard
  app_start /FIRSTRUN
  wait_visible
  press_ok
  wait_hidden
  read_clipboard
  expect_screen_part "$CLIPPED" 0 0 "$SCREEN_W" "$SCREEN_H"
  # The PNG beside the bitmap, decoded here by ImageMagick.
  read_clipboard_png
  expect_png_file "$CLIPPED_PNG"
  expect_screen_part "$CLIPPED_PNG" 0 0 "$SCREEN_W" "$SCREEN_H"
}

# A rectangle dragged from (100, 100) to (300, 200), then KEYS pressed (the last one ends the
# selection; a word "at:X,Y" rests the pointer there instead); Copy to Clipboard must then hold
# exactly the screen's part at X Y W H.
selection_ended_by_key_copies() {
  local keys="$1" key
  shift
  settings_write '[Action]' 'ItemIndex=3'
  clear_clipboard
  app_start /FIRSTRUN
  wait_visible
  click_select_button
  drag 100 100 300 200
  if [ -n "${E2E_DOCS_SHOT:-}" ] && [ ! -e "$E2E_DOCS_SHOT" ]; then
    sleep 0.3
    import -window root -crop 480x340+40+40 +repage "$E2E_DOCS_SHOT" ||
      fail "cannot take the picture for the docs"
  fi
  for key in $keys; do
    case "$key" in
      at:*)
        key="${key#at:}"
        say "pointer to $key"
        xdotool mousemove "${key%,*}" "${key#*,}"
        ;;
      *) press "$key" ;;
    esac
    sleep 0.5
  done
  probe -c TfmSelectedArea wait hidden 15000 >/dev/null || fail "$key did not end the selection"
  press_ok
  wait_hidden
  read_clipboard
  expect_screen_part "$CLIPPED" "$@"
}

# Two saves in a row: the first free name each time, the file exactly the screen.
bmp_files_are_the_screen_under_free_names() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  app_start /FIRSTRUN
  local name
  for name in "Print Screen.bmp" "Print Screen001.bmp"; do
    wait_visible
    press_ok
    accept_save_dialog
    wait_hidden
    [ -f "$SAVED/$name" ] || fail "no '$name' in the folder: $(ls "$SAVED")"
    # 54 bytes of headers, then 640 rows of 3 x 640 bytes (already a multiple of 4).
    [ "$(stat -c %s "$SAVED/$name")" = $((54 + SCREEN_W * 3 * SCREEN_H)) ] ||
      fail "'$name' has $(stat -c %s "$SAVED/$name") bytes"
    [ "$(od -An -tu2 -j28 -N2 "$SAVED/$name" | tr -d ' ')" = 24 ] || fail "'$name' is not a 24-bit bitmap"
    expect_screen_part "$SAVED/$name" 0 0 "$SCREEN_W" "$SCREEN_H"
    [ "$name" = "Print Screen.bmp" ] && second_start
  done
  [ "$(find "$SAVED" -type f | wc -l)" = 2 ] || fail "left behind: $(ls -A "$SAVED")"
}

# In BMP mode a name typed with ".png" writes a PNG; the type is remembered, so the next save
# proposes the first free ".png" name. Each file is the screen exactly.
png_by_its_name_then_remembered() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  app_start /FIRSTRUN
  wait_visible
  press_ok
  wait_until 20 "the Save dialog opens" bash -c "xdotool search --onlyvisible --name '^Save Picture\$' >/dev/null"
  x_focus "$(x_window '^Save Picture$')"
  sleep 0.3
  say "type shot.png"
  press ctrl+a
  xdotool type --delay 30 "shot.png"
  press Return
  wait_until 20 "the Save dialog closes" bash -c "! xdotool search --onlyvisible --name '^Save Picture\$' >/dev/null"
  wait_hidden
  [ -f "$SAVED/shot.png" ] || fail "no 'shot.png' in the folder: $(ls "$SAVED")"
  expect_png_file "$SAVED/shot.png"
  expect_screen_part "$SAVED/shot.png" 0 0 "$SCREEN_W" "$SCREEN_H"
  settings_has '^FileType=[pP][nN][gG]' "$(settings_file)" || fail "the PNG type is not remembered: $(settings_text "$(settings_file)")"

  second_start
  wait_visible
  press_ok
  accept_save_dialog
  wait_hidden
  [ -f "$SAVED/Print Screen.png" ] || fail "the proposal was not 'Print Screen.png': $(ls "$SAVED")"
  expect_png_file "$SAVED/Print Screen.png"
  expect_screen_part "$SAVED/Print Screen.png" 0 0 "$SCREEN_W" "$SCREEN_H"
  [ "$(find "$SAVED" -type f | wc -l)" = 2 ] || fail "left behind: $(ls -A "$SAVED")"
}

# Quality position 3 is IJG quality 75; the picture is the screen's, within what JPEG keeps.
# The remembered folder lacks its trailing backslash: the file still goes inside it.
jpeg_file_has_the_chosen_quality() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=1' \
    '[JPEGQuality]' 'Position=3' '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_BARE_W"
  app_start /FIRSTRUN
  wait_visible
  press_ok
  accept_save_dialog
  wait_hidden
  local file="$SAVED/Print Screen.jpg" facts psnr
  [ -f "$file" ] || fail "no 'Print Screen.jpg' in the folder: $(ls "$SAVED")"
  facts="$(identify -format '%m %w %h %Q %[jpeg:sampling-factor]' "$file")" || fail "not a picture"
  say "saved: $facts"
  [ "$facts" = "JPEG $SCREEN_W $SCREEN_H 75 2x2,1x1,1x1" ] || fail "expected a 640x480 JPEG at quality 75, 4:2:0; got $facts"
  psnr="$(compare -metric PSNR "$file" "$SCREEN_PICTURE" null: 2>&1 | awk '{ print $1 }')"
  say "PSNR against the screen: $psnr dB"
  awk -v p="$psnr" 'BEGIN { exit !(p > 28) }' || fail "the JPEG is not the screen's picture (PSNR $psnr dB)"
}

# A copy of the program beside the stand-in MAPI32.DLL, which logs every call.
start_with_standin_mail_client() {
  local dir="$WINEPREFIX/../program"
  mkdir -p "$dir"
  cp "$VPS_EXE" "$(dirname "$VPS_EXE")/VANTAROPRINTSCREEN.HLP" "$dir/" ||
    fail "cannot copy the program"
  cp "$STANDIN_DIR/MAPI32.DLL" "$dir/" || fail "the stand-in MAPI32.DLL is not built"
  MAIL_LOG="$WINEPREFIX/../mapi.log"
  export VPS_STANDIN_MAPI_LOG WINEDLLOVERRIDES
  VPS_STANDIN_MAPI_LOG="$(winepath -w "$MAIL_LOG")"
  WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mapi32=n"
  VPS_EXE="$dir/VantaroPrintScreen.exe" app_start /FIRSTRUN
}

email_hands_the_saved_jpeg_to_the_mail_client() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=4' '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  vps_mail_announce 1
  start_with_standin_mail_client
  wait_visible
  press_ok
  accept_save_dialog
  wait_hidden
  local file="$SAVED/Print Screen.jpg"
  [ -f "$file" ] || fail "no 'Print Screen.jpg' in the folder: $(ls "$SAVED")"
  wait_until 10 "the mail client is handed a message" grep -q '^MAPILogoff' "$MAIL_LOG"
  sed 's/^/    mapi: /' "$MAIL_LOG"
  local path_w
  path_w="$(winepath -w "$file")"
  # Logon with no profile and a new session; no recipient, so the client's own window.
  grep -q '^MAPILogon ui=0x0 profile="" password="" flags=0x2 ' "$MAIL_LOG" || fail "logon not as expected"
  grep -q '^MAPISendMail session=0x5E55 ui=0x[0-9A-F]* flags=0x9 .*-> 0$' "$MAIL_LOG" || fail "send flags not MAPI_LOGON_UI | MAPI_DIALOG"
  grep -q ' subject="Title" .* recipients=0/null files=1/set$' "$MAIL_LOG" || fail "subject or counts not as expected"
  # The date and time follow the user's locale; the year is in every one of them.
  grep -q "^ note \"(Screen capture on [^\"]*$(date +%Y)[^\"]*)\"\$" "$MAIL_LOG" || fail "the body does not date the capture"
  grep -qF " path=\"$path_w\" name=\"Print Screen.jpg\" type=null" "$MAIL_LOG" || fail "the attachment is not the saved file"
  grep -q '^MAPILogoff session=0x5E55 ' "$MAIL_LOG" || fail "no logoff"
}

# The mail's dialog offers no PNG: a name typed with ".png" still writes and attaches a JPEG,
# under the typed name with ".jpg" appended.
email_of_a_name_typed_with_png_is_a_jpeg() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=4' '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  vps_mail_announce 1
  start_with_standin_mail_client
  wait_visible
  press_ok
  wait_until 20 "the Save dialog opens" bash -c "xdotool search --onlyvisible --name '^Save Picture\$' >/dev/null"
  x_focus "$(x_window '^Save Picture$')"
  sleep 0.3
  say "type shot.png"
  press ctrl+a
  xdotool type --delay 30 "shot.png"
  press Return
  wait_hidden
  local file="$SAVED/shot.png.jpg" facts
  [ "$(ls -A "$SAVED")" = shot.png.jpg ] || fail "expected only 'shot.png.jpg' in the folder: $(ls -A "$SAVED")"
  facts="$(identify -format '%m %w %h' "$file")" || fail "not a picture"
  [ "$facts" = "JPEG $SCREEN_W $SCREEN_H" ] || fail "expected a ${SCREEN_W}x${SCREEN_H} JPEG; got $facts"
  wait_until 10 "the mail client is handed a message" grep -q '^MAPILogoff' "$MAIL_LOG"
  sed 's/^/    mapi: /' "$MAIL_LOG"
  grep -qF " path=\"$(winepath -w "$file")\" name=\"shot.png.jpg\" type=null" "$MAIL_LOG" ||
    fail "the attachment is not the JPEG"
}

# The folder of the last save is where the next dialog opens, though the settings file still
# holds the folder of the start until the program shuts down: a save into B, a hide, a wake-up,
# and Enter on the proposal saves into B again.
next_save_opens_in_the_folder_of_the_last() {
  save_folder
  local first="$SAVED/first" second="$SAVED/second"
  mkdir -p "$first" "$second"
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$(winepath -w "$first")\\"
  app_start /FIRSTRUN
  wait_visible
  press_ok
  wait_until 20 "the Save dialog opens" bash -c "xdotool search --onlyvisible --name '^Save Picture\$' >/dev/null"
  x_focus "$(x_window '^Save Picture$')"
  sleep 0.3
  press ctrl+a
  xdotool type --delay 10 "$(winepath -w "$second")\\into second.bmp"
  press Return
  wait_hidden
  [ -f "$second/into second.bmp" ] || fail "the first save is not in the second folder: $(ls -AR "$SAVED")"
  second_start
  wait_visible
  press_ok
  accept_save_dialog
  wait_hidden
  [ -f "$second/Print Screen.bmp" ] || fail "the next save did not go to the second folder: $(ls -AR "$SAVED")"
  [ -z "$(ls -A "$first")" ] || fail "a save went to the folder of the start: $(ls -A "$first")"
}

email_without_a_mail_client_says_user_abort() {
  save_folder
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=4' '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$SAVED_W"
  vps_mail_announce absent
  start_with_standin_mail_client
  wait_visible
  press_ok
  accept_save_dialog
  wait_until 20 "the logon warning is shown" probe -c TMessageForm child-rect $'Error: Logging on the profile ""\rUser Abort'
  screenshot warning
  [ ! -s "$MAIL_LOG" ] || fail "the mail client was called although none is announced: $(cat "$MAIL_LOG")"
  probe -c TMessageForm post 0x0111 1 0 >/dev/null || fail "cannot answer the warning"
  # The mail's outcome does not matter: the action is done and the window goes.
  wait_hidden
  [ -f "$SAVED/Print Screen.jpg" ] || fail "the JPEG was not kept"
}

e2e_setup "${SCREEN_W}x${SCREEN_H}x24"
PICTURE_DIR="$(mktemp -d "${TMPDIR:-/tmp}/vps-output.XXXXXX")"
VPS_TEMP_DIRS+=("$PICTURE_DIR")
"$IM_CONVERT" -size "${SCREEN_W}x${SCREEN_H}" -seed 7 plasma:red-blue -depth 8 "$PICTURE_DIR/screen.png"
"$(command -v display-im6.q16 || command -v display)" -window root "$PICTURE_DIR/screen.png" >/dev/null 2>&1 || true
# What the screen really shows, as X holds it, is what every capture must equal.
SCREEN_PICTURE="$PICTURE_DIR/shown.png"
import -window root "$SCREEN_PICTURE"
[ "$(compare -fuzz 1% -metric AE "$PICTURE_DIR/screen.png" "$SCREEN_PICTURE" null: 2>&1)" = 0 ] ||
  { echo "not ok - e2e/$E2E_FILE: setup: the screen does not show the test picture"; exit 1; }

run_case "Copy to Clipboard: the whole screen, pixel for pixel, read back from X as BMP and PNG" clipboard_holds_the_whole_screen
# Both corners are inside: 201 x 101 pixels. Escape leaves (0, 0, 0, 0): the corner pixel.
run_case "Selected Area: a rectangle dragged with the mouse is the crop (201x101)" selection_ended_by_key_copies Return 100 100 201 101
# The magnifier and the size readout then stand inside the rectangle, over the very pixels cut.
run_case "Selected Area: with the pointer resting inside, the crop has no aid's pixel" selection_ended_by_key_copies "at:160,120 Return" 100 100 201 101
run_case "Selected Area: Escape gives (0,0,0,0), the corner pixel" selection_ended_by_key_copies Escape 0 0 1 1
# The selection shows the frozen screen with its outline: a snapshot taken then would carry the
# outline into the crop.
run_case "Selected Area: Print Screen during the selection changes nothing" selection_ended_by_key_copies "Print Return" 100 100 201 101
run_case "Save as BMP: the first free names, each file the screen exactly" bmp_files_are_the_screen_under_free_names
run_case "Save as JPEG: quality position 3 is quality 75, 4:2:0, the screen's picture" jpeg_file_has_the_chosen_quality
run_case "Save as PNG: a name ending in .png, then the remembered type proposes .png; the screen exactly" png_by_its_name_then_remembered
run_case "Email: the saved JPEG, subject and body handed to the mail client" email_hands_the_saved_jpeg_to_the_mail_client
run_case "Email: a name typed with .png mails the JPEG shot.png.jpg" email_of_a_name_typed_with_png_is_a_jpeg
run_case "Email without a mail client: the logon warning 'User Abort', the JPEG kept" email_without_a_mail_client_says_user_abort
run_case "Save: after a save into another folder, a wake-up and Enter save there again" next_save_opens_in_the_folder_of_the_last
e2e_finish
