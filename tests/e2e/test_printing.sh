#!/usr/bin/env bash
# Printing through the real program onto a CUPS printer that writes PDF files: the page is
# rasterised at the printer's 300 dpi and measured against the layout of the printed page; the
# print dialog's cancel and a stored printer that is not installed print nothing.
#
# The screen is 400 x 300 and shows a known picture: gold with a blue block, so the capture of
# the whole screen is that picture, and where it lands on paper can be measured to the pixel.
source "$(dirname "$0")/lib.sh"
# shellcheck source=../../scripts/lib/printer.sh
source "$VPS_ROOT/scripts/lib/printer.sh"

# Wine reads the printer list when a prefix's server starts; every case starts a fresh one.
# When the test runner started the printer already, this finds it and leaves it alone.
vps_printer_start || { echo "not ok - e2e/$E2E_FILE: setup: no PDF printer"; exit 1; }
# The cases count the printer's finished jobs and take the newest PDF of the user's folder, both
# shared by everything on this machine that prints: the other program's suite, run side by
# side, waits here until this file is done. Taken after cupsd may have been started, so the
# scheduler never inherits the lock and holds it past this file.
exec {PRINTER_LOCK}>"${TMPDIR:-/tmp}/vps-pdf-printer.lock"
flock "$PRINTER_LOCK"
vps_on_exit() { vps_printer_stop; }
PDF_DIR="$(vps_printer_pdf_dir)"
USER_NAME="$(id -un)"

SCREEN_W=400
SCREEN_H=300
GOLD='#ffd700'
BLUE='#0000ff'
# The blue block on the screen: left, top, width, height.
BLOCK=(100 75 200 150)
# Printer pixels are measured on a raster of the PDF; the picture's edges fall between pixels.
TOLERANCE=3

IM_DISPLAY="$(command -v display-im6.q16 || command -v display)"

# ---- helpers ------------------------------------------------------------------------------

# The fonts the printed page needs in the case's prefix, then a fresh settings file.
settings() {
  vps_printer_prefix_fonts
  settings_write "$@"
}

completed_jobs() { lpstat -W completed -o "$VPS_PRINTER" 2>/dev/null | wc -l; }
more_jobs_than() { [ "$(completed_jobs)" -gt "$1" ]; }
# cups-pdf names files after the job; none of them holds a line break.
# shellcheck disable=SC2012
newest_pdf() { ls -t "$PDF_DIR"/*.pdf 2>/dev/null | head -n 1; }

print_dialog_open() { xdotool search --onlyvisible --name '^Print$' >/dev/null 2>&1; }
print_dialog_closed() { ! print_dialog_open; }

press_ok() {
  focus_main
  press alt+k
}

# Waits for exactly one more finished job than `before` and names its PDF in PDF.
wait_for_one_job() {
  local before="$1"
  wait_until 90 "the job reaches the PDF printer" more_jobs_than "$before"
  local now
  now="$(completed_jobs)"
  [ "$now" -eq $((before + 1)) ] || fail "expected one finished job, the printer has $((now - before))"
  local printed
  printed="$(newest_pdf)"
  [ -n "$printed" ] || fail "no PDF in $PDF_DIR"
  say "printed: $printed"
  # Moved beside the case's log, which goes when the case passes: nothing piles up.
  PDF="$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.pdf"
  mv "$printed" "$PDF" || fail "cannot move $printed"
}

# Starts the program showing its window, presses OK and waits for the one page it prints (PDF).
start_and_print_one_page() {
  app_start /FIRSTRUN
  wait_visible
  local before
  before="$(completed_jobs)"
  press_ok
  wait_for_one_job "$before"
  wait_hidden
}

# "W H X Y" of the pixels of an image that are not white (or, with a colour, of that colour),
# within rows TOP..TOP+HEIGHT-1.
box_of() {
  local png="$1" top="$2" height="$3" colour="${4:-}" width
  width="$("$IM_CONVERT" "$png" -format '%w' info:)"
  # The raster blends a few pixels across each edge; the fuzz puts the measured edge about
  # half way through the blend.
  local select=(-fuzz 15%)
  [ -n "$colour" ] && select=(-fuzz 30% -fill white +opaque "$colour")
  "$IM_CONVERT" "$png" -crop "${width}x${height}+0+${top}" +repage "${select[@]}" \
    -bordercolor white -border 1 -format '%@' info: |
    awk -F'[x+]' -v top="$top" '{ print $1, $2, $3 - 1, $4 - 1 + top }'
}

expect_box() {
  local what="$1" got="$2" w="$3" h="$4" x="$5" y="$6"
  local gw gh gx gy
  read -r gw gh gx gy <<<"$got"
  say "$what: measured ${gw}x${gh} at $gx,$gy; layout ${w}x${h} at $x,$y"
  local pair
  for pair in "$gw $w" "$gh $h" "$gx $x" "$gy $y"; do
    # shellcheck disable=SC2086
    set -- $pair
    if [ $(($1 - $2)) -gt "$TOLERANCE" ] || [ $(($2 - $1)) -gt "$TOLERANCE" ]; then
      fail "$what: measured ${gw}x${gh}+${gx}+${gy}, expected ${w}x${h}+${x}+${y} (±$TOLERANCE)"
    fi
  done
}

# Checks the PDF's page and measures the picture and its blue block on a 300 dpi raster.
# Arguments: orientation (portrait|landscape), then the layout's left top outW outH.
measure_page() {
  local orientation="$1" left="$2" top="$3" outW="$4" outH="$5"
  local info pages title rotation
  info="$(pdfinfo "$PDF")" || fail "pdfinfo cannot read $PDF"
  pages="$(sed -n 's/^Pages: *//p' <<<"$info")"
  title="$(sed -n 's/^Title: *//p' <<<"$info")"
  rotation="$(sed -n 's/^Page rot: *//p' <<<"$info")"
  [ "$pages" = 1 ] || fail "the PDF has $pages pages, expected 1"
  [ "$title" = "Print Screen by $USER_NAME" ] || fail "job name '$title', expected 'Print Screen by $USER_NAME'"
  case "$orientation" in
    portrait) [ "${rotation:-0}" = 0 ] || fail "portrait page rotated by $rotation" ;;
    landscape) [ "${rotation:-0}" = 90 ] || [ "${rotation:-0}" = 270 ] || fail "landscape page not rotated ($rotation)" ;;
  esac
  local png="$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.page.png"
  pdftoppm -png -r 300 -singlefile "$PDF" "${png%.png}" || fail "pdftoppm failed"
  local height
  height="$("$IM_CONVERT" "$png" -format '%h' info:)"
  # Rows between the title and the footer lines; the picture never reaches into them.
  local bandTop=70 bandHeight=$((height - 70 - 90))
  local scale_x scale_y
  expect_box "picture" "$(box_of "$png" "$bandTop" "$bandHeight")" "$outW" "$outH" "$left" "$top"
  # The block by the same scale: its edges fall on the screen pixels' edges.
  read -r scale_x scale_y < <(awk -v w="$outW" -v h="$outH" -v sw="$SCREEN_W" -v sh="$SCREEN_H" \
    'BEGIN { print w / sw, h / sh }')
  local bw bh bx by
  read -r bw bh bx by < <(awk -v sx="$scale_x" -v sy="$scale_y" -v l="$left" -v t="$top" \
    -v x="${BLOCK[0]}" -v y="${BLOCK[1]}" -v w="${BLOCK[2]}" -v h="${BLOCK[3]}" \
    'BEGIN { printf "%d %d %d %d\n", w * sx + 0.5, h * sy + 0.5, l + x * sx + 0.5, t + y * sy + 0.5 }')
  expect_box "blue block" "$(box_of "$png" "$bandTop" "$bandHeight" "$BLUE")" "$bw" "$bh" "$bx" "$by"
}

# The words of a line of the PDF with their box in points: "xMin yMin xMax yMax word" per word.
pdf_words() {
  pdftotext -bbox "$PDF" - | sed -n 's/.*xMin="\([0-9.]*\)" yMin="\([0-9.]*\)" xMax="\([0-9.]*\)" yMax="\([0-9.]*\)">\(.*\)<\/word>/\1 \2 \3 \4 \5/p'
}

# ---- cases --------------------------------------------------------------------------------

# Portrait A4, the title and footer as stored by default: the 400 x 300 capture prints at its
# size on the screen, 400 x 3.125 by 300 x 3.125 printer pixels (300 dpi over 96), truncated:
# 1250 x 937, centred on the page: ((2479 - 1250) / 2, (3508 - 937) / 2) = (614, 1285).
prints_title_picture_and_footer() {
  settings '[Action]' 'ItemIndex=0'
  start_and_print_one_page
  measure_page portrait 614 1285 1250 937

  local words title footer
  words="$(pdf_words)"
  # Title: 12 points at 300 dpi is 50 pixels; it starts 0.05" (15 pixels) below the top, inside
  # the top band of 15 + 50 + 15 = 80 pixels (19.2 points), centred on the page's width.
  title="$(awk '$4 < 19.2 { printf "%s%s", sep, $5; sep = " " }' <<<"$words")"
  [ "$title" = "Print Screen" ] || fail "title line '$title', expected 'Print Screen'"
  # Footer: its top 0.05" above the bottom, less the height of "X" (50 pixels): 3443 pixels,
  # 826.3 points; everything below it.
  footer="$(awk '$2 > 825 { printf "%s%s", sep, $5; sep = " " }' <<<"$words")"
  say "footer: '$footer'"
  [[ "$footer" =~ ^[0-9]{1,4}[/.-][0-9]{1,2}[/.-][0-9]{1,4}\ [0-9]{1,2}:[0-9]{2}(\ [AP]M)?\ by\ $USER_NAME$ ]] ||
    fail "footer '$footer' is not '<date> <time> by $USER_NAME'"
  [[ "$footer" == *"$(date +%Y)"* ]] || fail "footer '$footer' does not carry this year"
  # Both lines centred: half the page's width is 1239.5 pixels, 297.5 points.
  local centre
  for centre in "$(awk '$4 < 19.2' <<<"$words" | awk 'NR == 1 { l = $1 } { r = $3 } END { print (l + r) / 2 }')" \
    "$(awk '$2 > 825' <<<"$words" | awk 'NR == 1 { l = $1 } { r = $3 } END { print (l + r) / 2 }')"; do
    awk -v c="$centre" 'BEGIN { exit !(c > 295.5 && c < 299.5) }' || fail "a line is centred at ${centre}pt, not at 297.5pt"
  done
}

# Landscape A4 (3508 x 2479) with a 200-point title, not printed: its band is kept all the same.
# Title height 300 x 200 / 72 = 833, top band 15 + 833 + 15 = 863, which leaves
# 2479 - 2 x 863 = 753 pixels. 937 does not fit, the width fit (2631) neither, so the picture
# is fitted to that height: 753 high, 400 x 753 / 300 = 1004 wide, at ((3508 - 1004) / 2,
# (2479 - 753) / 2) = (1252, 863).
landscape_fits_between_large_bands() {
  settings '[Action]' 'ItemIndex=0' '[Orientation]' 'ItemIndex=2' \
    '[ReportTitleFontSize]' 'FontSize=200' '[PrintTitle]' 'Checked=0'
  start_and_print_one_page
  measure_page landscape 1252 863 1004 753
  pdftotext "$PDF" - | grep -q 'Print Screen' && fail "the title was printed although PrintTitle is off"
  return 0
}

# A title size typed into the settings file far outside what the printing options offer (it
# once overflowed the page's arithmetic): one warning names it, and the page prints exactly as
# with the design size of 12 points, the first case's page.
out_of_range_font_size_is_reported_once_and_the_design_size_printed() {
  settings '[Action]' 'ItemIndex=0' '[ReportTitleFontSize]' 'FontSize=999999999'
  app_start /FIRSTRUN
  wait_visible
  local before text
  before="$(completed_jobs)"
  press_ok
  wait_until 20 "the invalid setting is reported" probe -c TMessageForm wait exists 200
  text="$(probe -c TMessageForm controls | awk -F'\t' '$1 != "Button" && $3 ~ /Invalid setting/ { print $3 }')"
  say "warning: $text"
  [[ "$text" == *"ReportTitleFontSize"*"999999999"* ]] || fail "the warning does not name the stored size: '$text'"
  probe -c TMessageForm post 0x0111 1 0 >/dev/null || fail "cannot answer the warning"
  probe -c TMessageForm wait gone 10000 >/dev/null || fail "the warning did not close"
  wait_for_one_job "$before"
  wait_hidden
  ! probe -c TMessageForm wait exists 200 >/dev/null || fail "a second warning was shown"
  measure_page portrait 614 1285 1250 937
  local title
  title="$(pdf_words | awk '$4 < 19.2 { printf "%s%s", sep, $5; sep = " " }')"
  [ "$title" = "Print Screen" ] || fail "title line '$title', expected 'Print Screen' in the top band"
}

selected_printer_cancel_prints_nothing() {
  settings '[Action]' 'ItemIndex=1'
  app_start /FIRSTRUN
  wait_visible
  local before
  before="$(completed_jobs)"
  press_ok
  wait_until 20 "the print dialog opens" print_dialog_open
  x_focus "$(x_window '^Print$')"
  press Escape
  wait_until 20 "the print dialog closes" print_dialog_closed
  expect "the main window stays open after the dialog was cancelled" is_visible
  # A second OK works as the first; the one finished job it makes shows the cancelled one
  # made none.
  press_ok
  wait_until 20 "the print dialog opens again" print_dialog_open
  x_focus "$(x_window '^Print$')"
  press Return
  wait_for_one_job "$before"
  wait_hidden
  [ "$(pdfinfo "$PDF" | sed -n 's/^Pages: *//p')" = 1 ] || fail "the confirmed print is not one page"
}

missing_printer_is_named_and_window_stays() {
  settings '[Action]' 'ItemIndex=0' '[WindowsDefaultPrinter]' 'Checked=0' '[DefaultPrinter]' 'Text=Nowhere'
  app_start /FIRSTRUN
  wait_visible
  local before
  before="$(completed_jobs)"
  press_ok
  wait_until 20 "the error 'Printer not found:  Nowhere' is shown" \
    probe -c '#32770' child-rect 'Printer not found:  Nowhere'
  screenshot error
  probe -c '#32770' post 0x0111 1 0 >/dev/null || fail "cannot answer the error box"
  probe -c '#32770' wait gone 10000 >/dev/null || fail "the error box did not close"
  expect "the main window stays open after the error" is_visible
  # With the Windows default printer the same OK prints; one finished job in all shows the
  # failed attempt printed nothing.
  settings '[Action]' 'ItemIndex=0' '[WindowsDefaultPrinter]' 'Checked=1'
  press_ok
  wait_for_one_job "$before"
  wait_hidden
}

# A title in Cyrillic and Greek, stored in the settings file as the program keeps it (UTF-16 with
# its byte-order mark), prints as it is spelled
# and centred (measured as it is drawn, not as bytes of the ANSI code page). No Greek mu or
# omega: Arial draws them with the glyphs of the micro and ohm signs, which the PDF's text then
# reads back as those signs.
title_in_any_script_prints_as_spelled() {
  local title='Снимок γραφή'
  settings '[Action]' 'ItemIndex=0' '[ReportTitle]' "Text=$title"
  local file
  file="$(settings_file)"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$file"; } >"$file.utf16" && mv "$file.utf16" "$file"
  start_and_print_one_page
  local words printed centre
  words="$(pdf_words)"
  printed="$(awk '$4 < 19.2 { printf "%s%s", sep, $5; sep = " " }' <<<"$words")"
  [ "$printed" = "$title" ] || fail "title line '$printed', expected '$title'"
  centre="$(awk '$4 < 19.2' <<<"$words" | awk 'NR == 1 { l = $1 } { r = $3 } END { print (l + r) / 2 }')"
  awk -v c="$centre" 'BEGIN { exit !(c > 295.5 && c < 299.5) }' || fail "the title is centred at ${centre}pt, not at 297.5pt"
}

e2e_setup "${SCREEN_W}x${SCREEN_H}x24"
PICTURE="$(mktemp -d "${TMPDIR:-/tmp}/vps-print.XXXXXX")"
VPS_TEMP_DIRS+=("$PICTURE")
"$IM_CONVERT" -size "${SCREEN_W}x${SCREEN_H}" "xc:$GOLD" -fill "$BLUE" \
  -draw "rectangle ${BLOCK[0]},${BLOCK[1]} $((BLOCK[0] + BLOCK[2] - 1)),$((BLOCK[1] + BLOCK[3] - 1))" \
  "$PICTURE/screen.png"
# display(1) sets the root's background and leaves; its exit code says nothing useful here.
"$IM_DISPLAY" -window root "$PICTURE/screen.png" >/dev/null 2>&1 || true
import -window root "$PICTURE/shown.png"
[ "$("$IM_CONVERT" "$PICTURE/shown.png" -format '%[hex:p{150,100}]' info:)" = 0000FF ] ||
  { echo "not ok - e2e/$E2E_FILE: setup: the screen does not show the test picture"; exit 1; }

run_case "Print to Default Printer: title, picture at its screen size, footer" prints_title_picture_and_footer
run_case "landscape: a picture fitted between large bands" landscape_fits_between_large_bands
run_case "a title in Cyrillic and Greek prints as it is spelled, centred" title_in_any_script_prints_as_spelled
run_case "a font size out of range is reported once; the design size prints" out_of_range_font_size_is_reported_once_and_the_design_size_printed
run_case "Print to Selected Printer: a cancelled dialog prints nothing" selected_printer_cancel_prints_nothing
run_case "a stored printer that is not installed is named; the window stays" missing_printer_is_named_and_window_stays
e2e_finish
