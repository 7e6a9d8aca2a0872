# shellcheck shell=bash
# Private X displays and Wine prefixes for tests, benchmarks and `scripts/run`.
#
# Source it, then:
#   vps_display_start [WxHxD]   starts a private Xvfb, exports DISPLAY
#   vps_display_start_two_monitors [PRIMARY_WxH] [SECOND_WxH] [DX,DY]
#                               two monitors Wine sees as such (second at DX,DY from the
#                               primary's top-left), exports DISPLAY
#   vps_prefix_new              exports WINEPREFIX: a fresh copy of the template prefix
#   vps_prefix_set_dpi DPI      sets that prefix's screen DPI (96 = 100 %, 144 = 150 %, ...)
#   vps_prefix_end [PREFIX]     ends that prefix's wineserver (and its programs), removes it
#   vps_wm_start                runs a window manager (openbox) on that display
#   vps_display_stop            ends the Xvfb (and window manager) this shell started
#   vps_cleanup                 all of the above; also run by the EXIT/INT/TERM/HUP trap
# Only what this shell started is ever ended: by pid, or by `WINEPREFIX=... wineserver -k`.

VPS_ROOT="${VPS_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
VPS_TEMPLATE="$VPS_ROOT/build/wine-template"
# shellcheck source=machine.sh
source "$VPS_ROOT/scripts/lib/machine.sh"
vps_wine_loader_ensure

# mscoree/mshtml off: Wine would otherwise offer to install .NET and its HTML engine, and
# such a window waits for an answer nobody gives. winemenubuilder off: it would write menu
# entries and file associations into the user's home for every prefix we make.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export WINEDEBUG="${WINEDEBUG:--all}"

VPS_XVFB_PID=""
VPS_XEPHYR_PID=""
VPS_WM_PID=""
VPS_XVFB_DISPLAY=""
VPS_PREFIXES=()
VPS_TEMP_DIRS=()

vps_log() { printf '%s\n' "$*" >&2; }

# Ends a prefix's wineserver and with it every Windows program of that prefix.
vps_wineserver_kill() {
  local prefix="$1"
  [ -d "$prefix" ] || return 0
  WINEPREFIX="$prefix" timeout 20 wineserver -k >/dev/null 2>&1 || true
  # -k returns once the server was told; wait until it is really gone so the prefix can go.
  WINEPREFIX="$prefix" timeout 20 wineserver -w >/dev/null 2>&1 || true
}

# Waits until an X server started with `-displayfd 3 3>FILE` writes its display number to FILE,
# then exports DISPLAY. -displayfd lets the server choose a free display number itself and tell
# us once it accepts connections, so two runs on one machine never race for the same number.
_vps_wait_for_display() {
  local file="$1" pid="$2" log="$3" name="$4" i
  for ((i = 0; i < 200; i++)); do
    if [ -s "$file" ]; then
      DISPLAY=":$(tr -dc 0-9 <"$file")"
      export DISPLAY
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  vps_log "$name did not start:"
  cat "$log" >&2 || true
  return 1
}

vps_display_start() {
  local geometry="${1:-${VPS_SCREEN:-1024x768x24}}"
  local tmp
  tmp="$(mktemp -d "${TMPDIR:-/tmp}/vps-x.XXXXXX")"
  VPS_TEMP_DIRS+=("$tmp")
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset \
    3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 </dev/null &
  VPS_XVFB_PID=$!
  _vps_wait_for_display "$tmp/display" "$VPS_XVFB_PID" "$tmp/xvfb.log" Xvfb || return 1
  # shellcheck disable=SC2034  # for scripts that need the Xvfb itself (the host under Xephyr)
  VPS_XVFB_DISPLAY="$DISPLAY"
}

# Wine 8 takes its monitors from RandR outputs, or from Xinerama when RandR is missing. Xvfb has
# one output whatever its screens, and cannot place Xinerama screens side by side (they all sit
# at 0,0), and `xrandr --setmonitor` monitors are not read. Xephyr can place its screens
# (-origin), so a nested Xephyr with two Xinerama screens and without RandR gives Wine two
# monitors of different sizes, checked with EnumDisplayMonitors. Wine puts the first screen,
# the primary, at (0, 0), so a second monitor at a negative offset has negative coordinates.
vps_display_start_two_monitors() {
  local primary="${1:-1280x1024}" second="${2:-1024x768}"
  local offset="${3:-${primary%%x*},0}"
  local dx="${offset%%,*}" dy="${offset##*,}"
  local pw="${primary%%x*}" ph="${primary##*x}" sw="${second%%x*}" sh="${second##*x}"
  # Xinerama origins cannot be negative: the one further left or up sits at 0.
  local px=$((dx < 0 ? -dx : 0)) py=$((dy < 0 ? -dy : 0))
  local sx=$((px + dx)) sy=$((py + dy))
  local w=$((px + pw > sx + sw ? px + pw : sx + sw)) h=$((py + ph > sy + sh ? py + ph : sy + sh))
  # The host holds Xephyr's two windows where their screens lie on the desk: Xephyr follows the
  # host's pointer too, and windows stacked at one place would send it to the wrong screen.
  vps_display_start "$((w + 16))x$((h + 16))x24" || return 1
  local tmp
  tmp="$(mktemp -d "${TMPDIR:-/tmp}/vps-x.XXXXXX")"
  VPS_TEMP_DIRS+=("$tmp")
  Xephyr -displayfd 3 +xinerama -extension RANDR -nolisten tcp -noreset \
    -origin "$px,$py" -screen "${primary}+$px+${py}x24" -origin "$sx,$sy" -screen "${second}+$sx+${sy}x24" \
    3>"$tmp/display" >"$tmp/xephyr.log" 2>&1 </dev/null &
  VPS_XEPHYR_PID=$!
  _vps_wait_for_display "$tmp/display" "$VPS_XEPHYR_PID" "$tmp/xephyr.log" Xephyr
}

# Without a window manager Wine waits up to two seconds for one each time a window it had
# hidden is shown again; figures that should mean something on a desktop need one.
vps_wm_start() {
  openbox --sm-disable >/dev/null 2>&1 </dev/null &
  VPS_WM_PID=$!
  local i
  for ((i = 0; i < 200; i++)); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$VPS_WM_PID" 2>/dev/null || break
    sleep 0.05
  done
  vps_log "the window manager did not start"
  return 1
}

vps_display_stop() {
  if [ -n "$VPS_WM_PID" ]; then
    kill "$VPS_WM_PID" 2>/dev/null || true
    wait "$VPS_WM_PID" 2>/dev/null || true
    VPS_WM_PID=""
  fi
  if [ -n "$VPS_XEPHYR_PID" ]; then
    kill "$VPS_XEPHYR_PID" 2>/dev/null || true
    wait "$VPS_XEPHYR_PID" 2>/dev/null || true
    VPS_XEPHYR_PID=""
  fi
  if [ -n "$VPS_XVFB_PID" ]; then
    kill "$VPS_XVFB_PID" 2>/dev/null || true
    wait "$VPS_XVFB_PID" 2>/dev/null || true
    VPS_XVFB_PID=""
VPS_WM_PID=""
  fi
}

# Makes the template prefix once (wineboot takes a dozen seconds); copies of it take about
# a fraction of a second, so every test case can start from a fresh prefix.
# A prefix made with 32-bit Wine installed is a WoW64 prefix (syswow64, 32-bit registry
# view); one made before cannot run 32-bit programs. So 32-bit Wine belongs in the stamp.
vps_wine32_present() { dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; }
# 32-bit Windows programs run only where both the machine and Wine can; prints why not.
vps_wine32_usable() {
  if ! vps_runs_32bit; then
    echo "$VPS_NO_32BIT_REASON"
    return 1
  fi
  if [ -f "$VPS_ROOT/build/wine32-unavailable" ]; then
    cat "$VPS_ROOT/build/wine32-unavailable"
    return 1
  fi
  vps_wine32_present || { echo "wine32:i386 is not installed"; return 1; }
}

vps_template_ensure() {
  local version stamp="$VPS_TEMPLATE/.vps-template"
  version="$(wine --version 2>/dev/null) wine32=$(vps_wine32_usable >/dev/null && echo yes || echo no)"
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ] && return 0
  mkdir -p "$VPS_ROOT/build"
  (
    flock 9
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ] && exit 0
    local work
    work="$(mktemp -d "$VPS_ROOT/build/wine-template.new.XXXXXX")"
    vps_log "Making the Wine template prefix (once)..."
    # wineboot needs no display when none is set; with one it may draw its progress box there.
    if ! WINEPREFIX="$work" DISPLAY="${DISPLAY:-}" timeout 300 wineboot -i >"$work.log" 2>&1; then
      cat "$work.log" >&2
      vps_wineserver_kill "$work"
      rm -rf "$work" "$work.log"
      exit 1
    fi
    vps_wineserver_kill "$work"
    rm -f "$work.log"
    printf '%s\n' "$version" >"$work/.vps-template"
    rm -rf "$VPS_TEMPLATE"
    mv "$work" "$VPS_TEMPLATE"
  ) 9>"$VPS_ROOT/build/.wine-template.lock"
}

# The DLL folders make up nearly all of a prefix and Wine never writes to them after
# wineboot, so a copy hard-links them (when on one file system) and copies only the rest:
# the registry, the user folders and whatever a test may change.
VPS_SHARED_DIRS=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)

vps_prefix_copy() {
  local from="$1" to="$2" d
  local excludes=()
  for d in "${VPS_SHARED_DIRS[@]}"; do excludes+=("--exclude=./$d"); done
  mkdir -p "$to"
  (cd "$from" && tar "${excludes[@]}" -cf - .) | (cd "$to" && tar -xpf -)
  for d in "${VPS_SHARED_DIRS[@]}"; do
    [ -d "$from/$d" ] || continue
    cp -al "$from/$d" "$to/$d" 2>/dev/null || { rm -rf "${to:?}/$d"; cp -a "$from/$d" "$to/$d"; }
  done
}

vps_prefix_new() {
  vps_template_ensure
  local tmp
  # Beside the template, so the hard links stay on one file system.
  mkdir -p "$VPS_ROOT/build/run"
  tmp="$(mktemp -d "$VPS_ROOT/build/run/prefix.XXXXXX")"
  VPS_TEMP_DIRS+=("$tmp")
  vps_prefix_copy "$VPS_TEMPLATE" "$tmp/prefix"
  VPS_PREFIXES+=("$tmp/prefix")
  export WINEPREFIX="$tmp/prefix"
}

vps_prefix_set_dpi() {
  local dpi="$1" value
  # Both places Windows keeps it, the user's and the machine's, set alike so nothing in the
  # prefix answers 96; the DPI tests check that GetDeviceCaps(LOGPIXELSY) then answers it.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 &&
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || return 1
  # The DPI is read when the server starts: the next program starts a fresh one.
  vps_wineserver_kill "$WINEPREFIX"
  value="$(wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2>/dev/null | tr -d '\r' |
    awk '/LogPixels/ {print $3}')"
  vps_wineserver_kill "$WINEPREFIX"
  [ "$((value))" -eq "$dpi" ]
}

# Unix pid of the Wine process running NAME.exe (e.g. notepad.exe) in $WINEPREFIX. Reads the
# files directly rather than through pipes, which `pipefail` would fail when grep -q stops early.
vps_unix_pid_of() {
  local want="${1,,}" p program
  for p in /proc/[0-9]*; do
    IFS= read -r -d '' program 2>/dev/null <"$p/cmdline" || continue
    program="${program,,}"
    [[ "$program" == */"$want" || "$program" == *\\"$want" ]] || continue
    grep -qxz -- "WINEPREFIX=$WINEPREFIX" "$p/environ" 2>/dev/null || continue
    echo "${p#/proc/}"
    return 0
  done
  return 1
}

vps_prefix_end() {
  local prefix="${1:-${WINEPREFIX:-}}"
  [ -n "$prefix" ] || return 0
  vps_wineserver_kill "$prefix"
  local i
  for i in "${!VPS_PREFIXES[@]}"; do
    if [ "${VPS_PREFIXES[$i]}" = "$prefix" ]; then
      unset 'VPS_PREFIXES[i]'
      rm -rf "$(dirname "$prefix")"
    fi
  done
}

vps_cleanup() {
  local p d
  for p in "${VPS_PREFIXES[@]}"; do
    vps_wineserver_kill "$p"
  done
  VPS_PREFIXES=()
  vps_display_stop
  for d in "${VPS_TEMP_DIRS[@]}"; do
    rm -rf "$d"
  done
  VPS_TEMP_DIRS=()
}

# Scripts that need their own last words put them in this function; it runs before cleanup.
vps_on_exit() { :; }

_vps_trap_exit() {
  local rc=$?
  trap - EXIT INT TERM HUP
  vps_on_exit || true
  vps_cleanup
  exit "$rc"
}
_vps_trap_signal() {
  trap - EXIT INT TERM HUP
  vps_on_exit || true
  vps_cleanup
  exit "$1"
}
trap _vps_trap_exit EXIT
trap '_vps_trap_signal 130' INT
trap '_vps_trap_signal 143' TERM
trap '_vps_trap_signal 129' HUP
