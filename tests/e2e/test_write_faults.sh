#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# Saving over an existing file when the write cannot succeed. In every case the user saves a BMP
# over `target.bmp` in a folder of its own (typing its full name in the Save dialog and agreeing
# to replace it); then the write fails, and:
#   * the old file is byte for byte as it was (or, for a folder that went away, wherever it went),
#   * a message names the file and the system's reason, and the window stays up (nothing done),
#   * no temporary file is left in the folder.
#
# The tests run as root, for whom Unix permissions stop nothing, so each fault is made in a way
# that stops root too: an immutable folder (chattr +i), the file's own read-only attribute (which
# the program honours itself), another Windows process holding the file without sharing, a small
# tmpfs that fills part way through the picture, and a folder moved away while the Save dialog
# still asks whether to replace the file. A name no file may have never reaches the write: the
# Save dialog refuses it with its own message, and the user cancels (the in-process tests give
# such a name to the writer directly).
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

SCREEN_W=640
SCREEN_H=480
# A 640x480 BMP: 54 bytes of headers and 3 x 640 x 480 bytes of pixels.
PICTURE_BYTES=$((54 + SCREEN_W * 3 * SCREEN_H))
HOLDOPEN="$VPS_BUILD/tests/e2e/tools/holdopen.exe"

# Undone when the case ends however it ends, so no immutable folder or mount outlives it.
UNDO=()
undo_all() {
  local i
  for ((i = ${#UNDO[@]} - 1; i >= 0; i--)); do eval "${UNDO[$i]}" || true; done
  UNDO=()
}

# The folder the Save dialog remembers, with the old file in it and a copy of that file kept
# elsewhere to compare with afterwards.
prepare_folder() {
  SAVED="$WINEPREFIX/../saved"
  mkdir -p "$SAVED"
  TARGET="$SAVED/target.bmp"
  ORIGINAL="$WINEPREFIX/../original.bmp"
  head -c 4096 /dev/urandom >"$ORIGINAL"
  cp "$ORIGINAL" "$TARGET"
}

# ---- the faults ---------------------------------------------------------------------------

# Files in a folder with chattr +i cannot be created, renamed or removed, even by root.
fault_folder_read_only() {
  chattr +i "$SAVED" || fail "chattr +i is not supported here"
  UNDO+=("chattr -i '$SAVED'")
  # Proof that the fault is real for root before the program meets it.
  ! touch "$SAVED/probe" 2>/dev/null || fail "an immutable folder still takes new files"
}

# The Windows read-only attribute, which Wine shows for a file without write permission.
fault_target_read_only() { chmod a-w "$TARGET"; }

fault_target_held_open() {
  local out="$WINEPREFIX/../holdopen.out"
  wine "$HOLDOPEN" "$(winepath -w "$TARGET")" 600 </dev/null >"$out" 2>&1 &
  wait_until 30 "another process holds the file open" grep -q '^held' "$out"
}

# A tmpfs of 256 KB over the folder: the 900 KB picture fills it part way through.
fault_disk_full() {
  mount -t tmpfs -o size=256k tmpfs "$SAVED" || fail "cannot mount a tmpfs (needs CAP_SYS_ADMIN)"
  UNDO+=("umount -l '$SAVED'")
  cp "$ORIGINAL" "$TARGET"
  local free
  free=$(($(stat -f -c '%a * %S' "$SAVED")))
  say "free on the small file system: $free bytes; the picture needs $PICTURE_BYTES"
  [ "$free" -gt 0 ] && [ "$free" -lt "$PICTURE_BYTES" ] || fail "the tmpfs would not fill part way"
}

fault_none() { :; }

# While the dialog asks whether to replace the file, the whole folder goes (moved elsewhere,
# so the old file can still be compared); the dialog then closes with the name in a folder that
# is no longer there.
folder_moves_away() {
  MOVED="$WINEPREFIX/../moved"
  mv "$SAVED" "$MOVED" || fail "cannot move the folder"
  TARGET="$MOVED/target.bmp"
}

# ---- the case -----------------------------------------------------------------------------

dialog_open() { xdotool search --onlyvisible --name '^Save Picture$' >/dev/null; }

# Texts of every visible dialog box (the Save dialog, its question, message boxes).
dialog_texts() { probe -c '#32770' texts 2>/dev/null; }
showing() { dialog_texts | grep -q -- "$1"; }

# The Save dialog refuses a name no file may have with a message of its own (titled with the
# reason); the user answers it and cancels, so no write is ever tried.
refused_by_the_dialog() {
  local reason="$1" text
  wait_until 20 "the Save dialog refuses the name" showing "$reason"
  text="$(dialog_texts | grep -v '^Save Picture' | tr '\n' ' ')"
  say "message: $text"
  screenshot message
  press Return
  wait_until 10 "the refusal closes" bash -c "! probe -c '#32770' texts | grep -qv '^Save Picture'"
  x_focus "$(x_window '^Save Picture$')"
  press Escape
  wait_until 20 "the Save dialog closes" bash -c '! xdotool search --onlyvisible --name "^Save Picture$" >/dev/null'
}

# The program's own message, once the dialog closed with the name and the write failed.
write_failure_reported() {
  local name="$1" reason="$2" text
  wait_until 20 "the Save dialog closes" bash -c '! xdotool search --onlyvisible --name "^Save Picture$" >/dev/null'
  wait_until 20 "a message says the file could not be written" showing 'could not be written'
  text="$(dialog_texts | grep -F "$MAIN_TITLE" | cut -f2- | tr '\n' ' ')"
  say "message: $text"
  screenshot message
  [[ "$text" == *"$name"* ]] || fail "the message does not name the file: $text"
  [[ "$text" =~ $reason ]] || fail "the message does not give the reason /$reason/: $text"
  press Return
  wait_until 10 "the message closes" bash -c "! probe -c '#32770' texts >/dev/null 2>&1"
}

# write_fails FAULT NAME REASON STEP
#   FAULT   function that makes the fault after the folder is prepared
#   NAME    the file name typed into the Save dialog, inside the folder
#   REASON  extended regex the message must match (besides naming the file)
#   STEP    "-", or a function run while the dialog asks whether to replace the file, or
#           "refused": the dialog itself refuses the name
write_fails() {
  local fault="$1" name="$2" reason="$3" step="${4:--}"
  trap undo_all EXIT
  trap 'undo_all; exit 143' TERM
  prepare_folder
  local saved_w
  saved_w="$(winepath -w "$SAVED")"
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=2' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$saved_w\\"
  "$fault"
  app_start /FIRSTRUN
  wait_visible
  focus_main
  press alt+k
  wait_until 20 "the Save dialog opens" dialog_open
  x_focus "$(x_window '^Save Picture$')"
  sleep 0.3
  say "type: $saved_w\\$name"
  xdotool type --delay 5 "$saved_w\\$name"
  press Return
  if [ "$step" = refused ]; then
    refused_by_the_dialog "$reason"
  else
    # Wine asks in a box of the dialog's own title; y answers Yes.
    wait_until 20 "the dialog asks whether to replace the file" showing 'already exists'
    [ "$step" = - ] || "$step"
    press y
    write_failure_reported "$name" "$reason"
  fi
  is_visible || fail "the window hid, as if the picture had been saved"

  local folder
  folder="$(dirname "$TARGET")"
  cmp -s "$ORIGINAL" "$TARGET" || fail "the old file changed: $(stat -c %s "$TARGET" 2>&1) bytes now"
  [ "$(ls -A "$folder")" = target.bmp ] || fail "left in the folder: $(ls -A "$folder" | tr '\n' ' ')"
  [ "$step" != folder_moves_away ] || [ ! -e "$SAVED" ] || fail "the vanished folder was made again"
  undo_all
}

e2e_setup "${SCREEN_W}x${SCREEN_H}x24"
[ -f "$HOLDOPEN" ] || { echo "not ok - e2e/$E2E_FILE: setup: $HOLDOPEN is missing (run scripts/build)"; exit 1; }
# label ; fault ; name typed ; reason the message gives ; step
while IFS=';' read -r label fault name reason step; do
  run_case "write fault: $label" write_fails "$fault" "$name" "$reason" "$step"
done <<'CASES'
the folder is read-only;fault_folder_read_only;target.bmp;[Aa]ccess denied;-
the target is read-only;fault_target_read_only;target.bmp;[Aa]ccess denied;-
the target is open without sharing in another program;fault_target_held_open;target.bmp;[Aa]ccess denied|[Ss]haring violation;-
the disk fills part way through the picture;fault_disk_full;target.bmp;[Dd]isk full;-
the name is invalid (the dialog refuses it);fault_none;bad|name.bmp;Invalid character;refused
the folder disappeared after the dialog closed;fault_none;target.bmp;[Pp]ath not found;folder_moves_away
CASES
e2e_finish
