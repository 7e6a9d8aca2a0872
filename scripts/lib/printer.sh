# shellcheck shell=bash
# A PDF printer for the printing tests: the CUPS scheduler with the cups-pdf queue "PDF" as the
# system's default printer. Printed jobs arrive as PDF files (see vps_printer_pdf_dir).
#
# Source it, then:
#   vps_printer_install    installs what is missing (cups, cups-bsd, cups-pdf, poppler-utils)
#   vps_printer_start      starts cupsd unless one answers already, adds the PDF queue unless it
#                          exists, makes it the default; exports VPS_PRINTER=PDF
#   vps_printer_pdf_dir    prints the folder cups-pdf writes the current user's jobs to
#   vps_printer_stop       undoes what vps_printer_start of this shell did: removes the queue it
#                          added and ends the cupsd it started, by pid
#
# Wine reads the printer list when a prefix's wineserver starts: call vps_printer_start before
# any Wine program of the run starts, or that prefix sees no printer until its server restarts.

VPS_PRINTER="${VPS_PRINTER:-PDF}"
VPS_PRINTER_PPD="/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"
VPS_CUPSD_PID=""
VPS_PRINTER_ADDED=""

_vps_printer_log() { printf 'printer: %s\n' "$*" >&2; }

vps_printer_install() {
  local p missing=()
  for p in cups cups-bsd printer-driver-cups-pdf poppler-utils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  _vps_printer_log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
}

# True when a scheduler answers on the default socket.
_vps_cupsd_answers() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

vps_printer_start() {
  vps_printer_install || { _vps_printer_log "cannot install CUPS"; return 1; }
  if ! _vps_cupsd_answers; then
    # In the foreground (-f) so the pid we keep is the scheduler's own; the package's init
    # scripts need a service manager that these machines may not run.
    /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    VPS_CUPSD_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
      _vps_cupsd_answers && break
      kill -0 "$VPS_CUPSD_PID" 2>/dev/null || break
      sleep 0.1
    done
    if ! _vps_cupsd_answers; then
      _vps_printer_log "cupsd did not start (see /var/log/cups/error_log)"
      vps_printer_stop
      return 1
    fi
  fi
  if ! lpstat -p "$VPS_PRINTER" >/dev/null 2>&1; then
    # lpadmin warns on every use of a PPD that drivers are deprecated; show it only on failure.
    local said
    # A4 whatever the machine's paper size, so the tests' page measures hold everywhere.
    said="$(lpadmin -p "$VPS_PRINTER" -E -v cups-pdf:/ -P "$VPS_PRINTER_PPD" -o PageSize=A4 2>&1)" ||
      { _vps_printer_log "cannot add the $VPS_PRINTER queue: $said"; return 1; }
    VPS_PRINTER_ADDED=1
  fi
  # A queue left disabled by an earlier failed job would hold every job back.
  cupsenable "$VPS_PRINTER" 2>/dev/null || true
  cupsaccept "$VPS_PRINTER" 2>/dev/null || true
  lpadmin -d "$VPS_PRINTER" || { _vps_printer_log "cannot make $VPS_PRINTER the default"; return 1; }
  export VPS_PRINTER
}

# cups-pdf's "Out" folder with ${HOME} and ${USER} expanded for the user who prints.
vps_printer_pdf_dir() {
  local user home out
  user="$(id -un)"
  home="$(getent passwd "$user" | cut -d: -f6)"
  out="$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)"
  # The marks as cups-pdf writes them, not expanded here.
  # shellcheck disable=SC2016
  local home_mark='${HOME}' user_mark='${USER}'
  out="${out:-$home_mark/PDF}"
  out="${out//"$home_mark"/$home}"
  out="${out//"$user_mark"/$user}"
  printf '%s\n' "${out%/}"
}

vps_printer_stop() {
  if [ -n "$VPS_PRINTER_ADDED" ]; then
    lpadmin -x "$VPS_PRINTER" 2>/dev/null || true
    VPS_PRINTER_ADDED=""
  fi
  if [ -n "$VPS_CUPSD_PID" ]; then
    kill "$VPS_CUPSD_PID" 2>/dev/null || true
    wait "$VPS_CUPSD_PID" 2>/dev/null || true
    VPS_CUPSD_PID=""
  fi
}

# Gives the Wine prefix in WINEPREFIX an "Arial", as every Windows machine has: the program's
# printing options default to it. Debian ships no Arial; Liberation Sans has its metrics.
# Wine reads font replacements when a program starts, so call this before starting one.
vps_printer_prefix_fonts() {
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' \
    /f >/dev/null 2>&1
}
