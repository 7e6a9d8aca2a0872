# shellcheck shell=bash source-path=SCRIPTDIR
# Helpers for the end-to-end tests. Each test file gets one private X display; each case
# gets a fresh copy of the template Wine prefix, runs in a subshell under a watchdog, and
# leaves a screenshot and its log in build/e2e-artifacts/ when it fails.
#
# A test file sources this, defines case functions and calls:
#   e2e_setup
#   run_case "name" function args...
#   e2e_finish
# Inside a case, `fail` and `expect` end the case at the first broken expectation.
set -uo pipefail

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
VPS_ROOT="$(cd "$E2E_DIR/../.." && pwd)"
# shellcheck source=../../scripts/lib/display.sh
source "$VPS_ROOT/scripts/lib/display.sh"

E2E_FILE="$(basename "$0" .sh)"
# The build tree whose program is tested: win64 (the default) or win32 (VPS_TREE=win32). The
# probe and the stand-in mail client come from the same tree, so a 32-bit program is looked at
# by a 32-bit probe and loads a 32-bit MAPI32.DLL.
VPS_TREE="${VPS_TREE:-win64}"
VPS_BUILD="$VPS_ROOT/build/$VPS_TREE"
VPS_EXE="${VPS_EXE:-$VPS_BUILD/VantaroPrintScreen.exe}"
VPS_PROBE="${VPS_PROBE:-$VPS_BUILD/tests/e2e/tools/vpsprobe.exe}"
# Per tree, so the two programs' suites can run side by side.
E2E_ARTIFACTS="$VPS_ROOT/build/e2e-artifacts${VPS_TREE:+/$VPS_TREE}"
E2E_CASE_TIMEOUT="${E2E_CASE_TIMEOUT:-150}"
# Only cases whose name contains this text run (handy while working on one case).
E2E_ONLY="${E2E_ONLY:-}"

MAIN_CLASS="TfmKestrelPrintScreen"
MAIN_TITLE="Vantaro Print Screen"
# shellcheck disable=SC2034  # for the test files
WM_WAKEUP=1801
# A root colour no window paints, so a picture of the bare screen is easy to tell apart
# from a picture of a window, even after scaling.
ROOT_COLOR="#ff00ff"

E2E_PASSED=0
E2E_FAILED=0
E2E_CASE=""
APP_PID=""
APP_RC=""

e2e_setup() {
  local missing=0 f
  for f in "$VPS_EXE" "$VPS_PROBE"; do
    if [ ! -f "$f" ]; then
      echo "not ok - e2e/$E2E_FILE: setup: $f is missing (run scripts/build)"
      missing=1
    fi
  done
  [ "$missing" -eq 0 ] || exit 1
  mkdir -p "$E2E_ARTIFACTS"
  vps_template_ensure || { echo "not ok - e2e/$E2E_FILE: setup: no Wine template prefix"; exit 1; }
  # A test file that needs another kind of display names its starter (and its arguments).
  "${E2E_DISPLAY_START:-vps_display_start}" "$@" || { echo "not ok - e2e/$E2E_FILE: setup: no X display"; exit 1; }
  xsetroot -solid "$ROOT_COLOR"
}

e2e_finish() {
  echo "e2e/$E2E_FILE: $E2E_PASSED ok, $E2E_FAILED not ok"
  [ "$E2E_FAILED" -eq 0 ]
}

_slug() { printf '%s' "$1" | tr -c 'A-Za-z0-9_.-' '-'; }

run_case() {
  local name="$1"
  shift
  if [ -n "$E2E_ONLY" ] && [[ "$name" != *"$E2E_ONLY"* ]]; then return 0; fi
  E2E_CASE="$(_slug "$name")"
  local log="$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.log"
  rm -f "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE".*
  vps_prefix_new
  local started=$SECONDS
  (
    trap - EXIT INT TERM HUP
    "$@"
  ) >"$log" 2>&1 &
  local pid=$! rc=0
  # The watchdog only guards against a hung Wine; every wait inside a case has its own timeout.
  (
    trap 'kill "$s" 2>/dev/null; exit 0' TERM
    sleep "$E2E_CASE_TIMEOUT" &
    s=$!
    wait "$s"
    echo "FAIL: case still running after ${E2E_CASE_TIMEOUT}s" >>"$log"
    import -display "$DISPLAY" -window root "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.timeout.png" 2>/dev/null
    kill -TERM "$pid" 2>/dev/null
  ) &
  local dog=$!
  wait "$pid" || rc=$?
  kill -TERM "$dog" 2>/dev/null
  wait "$dog" 2>/dev/null
  vps_prefix_end "$WINEPREFIX"
  local took=$((SECONDS - started))
  if [ "$rc" -eq 0 ]; then
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "ok - e2e/$E2E_FILE: $name (${took}s)"
    rm -f "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE".*
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "not ok - e2e/$E2E_FILE: $name (${took}s)"
    sed 's/^/    | /' "$log"
    echo "    | (log and screenshots: build/e2e-artifacts/$E2E_FILE.$E2E_CASE.*)"
  fi
}

# ---- inside a case ------------------------------------------------------------------------

say() { echo "[$(date +%T.%N | cut -c1-12)] $*"; }

screenshot() {
  import -window root "$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.$1.png" 2>/dev/null || true
}

fail() {
  echo "FAIL: $*"
  screenshot failure
  echo "--- windows at failure:"
  probe list 2>&1 | grep -v -e 'class="WineDde' -e 'class="IME"' || true
  exit 1
}

expect() {
  local what="$1"
  shift
  "$@" || fail "$what"
}

probe() { wine "$VPS_PROBE" "$@" </dev/null; }

# wait_until SECONDS DESCRIPTION COMMAND...: polls the command until it succeeds.
wait_until() {
  local limit="$1" what="$2"
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out after ${limit}s waiting until $what"
    sleep 0.1
  done
}

# The program's settings file, where it looks for it: beside Windows, named after the exe.
settings_file() { echo "$WINEPREFIX/drive_c/windows/VantaroPrintScreen.INI"; }

# A settings file's text in UTF-8 without CRs: the program keeps it in UTF-16 with its mark,
# while a file of an earlier version (or one a test wrote) is bytes of the code page.
settings_text() {
  local file="$1"
  [ -f "$file" ] || return 1
  if [ "$(head -c 2 "$file" | od -An -tx1 | tr -d ' ')" = fffe ]; then
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r'
  else
    tr -d '\r' <"$file"
  fi
}

# settings_has PATTERN FILE: a line of the settings file matches the (grep) pattern.
settings_has() { grep -q -- "$1" <(settings_text "$2"); }

# Stores one setting before the program starts (each case starts with no settings file).
settings_set() {
  local section="$1" key="$2" value="$3" file
  file="$(settings_file)"
  grep -q "^\[$section\]" "$file" 2>/dev/null && fail "settings_set: [$section] is set already"
  printf '[%s]\r\n%s=%s\r\n' "$section" "$key" "$value" >>"$file"
}

# A fresh settings file: the cheat-sheet card off (it would take the front at every
# activation), then the given lines ("[Section]", "Key=Value", ...).
settings_write() {
  printf '%s\r\n' '[ShowCheatSheet1]' 'Checked=0' "$@" >"$(settings_file)"
}

# A test file may redefine this to prepare settings; app_start runs it before each start.
e2e_before_start() { :; }

# Starts the program as a user would, in the background, and waits for its main window.
app_start() {
  e2e_before_start
  say "start: VantaroPrintScreen.exe $*"
  wine "$VPS_EXE" "$@" </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 &
  APP_PID=$!
  probe wait exists 30000 >/dev/null || fail "the main window (class $MAIN_CLASS) never appeared"
}

# An ended child stays a zombie until waited for, and kill -0 still reaches a zombie.
pid_running() {
  local state
  state="$(ps -o stat= -p "$1" 2>/dev/null)" || return 1
  [[ "$state" != Z* ]]
}

app_alive() { pid_running "$APP_PID"; }
app_gone() { ! pid_running "$APP_PID"; }

# Waits for the resident process to end and leaves its exit code in APP_RC.
app_wait_exit() {
  wait_until "${1:-20}" "the program's process ends" app_gone
  APP_RC=0
  wait "$APP_PID" || APP_RC=$?
  say "program ended with exit code $APP_RC"
}

# A second start of the program, which should only wake the resident copy.
second_start() {
  say "second start"
  local rc=0
  timeout 60 wine "$VPS_EXE" "$@" </dev/null >>"$E2E_ARTIFACTS/$E2E_FILE.$E2E_CASE.app.log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] || fail "the second start exited with code $rc, expected 0"
}

is_visible() { [ "$(probe visible)" = 1 ]; }
wait_visible() { probe wait visible "${1:-15000}" >/dev/null || fail "the main window did not become visible"; }
wait_hidden() { probe wait hidden "${1:-15000}" >/dev/null || fail "the main window did not hide"; }

# X window of a visible top-level Wine window whose caption matches the regex.
x_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# Gives an X window the keyboard focus; without a window manager nobody else does.
x_focus() {
  local id="$1"
  xdotool windowfocus "$id" 2>/dev/null || true
  wait_until 10 "X window $id has the focus" bash -c "[ \"\$(xdotool getwindowfocus)\" = $id ]"
}

focus_main() {
  local id
  wait_until 10 "the main window is mapped on X" bash -c "xdotool search --onlyvisible --name '^$MAIN_TITLE\$' >/dev/null"
  id="$(x_window "^$MAIN_TITLE\$")"
  x_focus "$id"
}

press() {
  say "key: $*"
  xdotool key "$@"
}

# Starts Wine's notepad as a bystander window that can hold the keyboard focus.
start_notepad() {
  wine notepad </dev/null >/dev/null 2>&1 &
  probe -c Notepad wait visible 30000 >/dev/null || fail "notepad did not start"
}

# Clicks the small "..." button beside "&Selected Area". It has no caption to find it by; it
# stands at (113, 74) in the panel where the screen-area group stands at (8, 0).
click_select_button() {
  local l t r b
  read -r l t r b < <(probe child-rect 'Please Select Screen Area:') || fail "no screen-area group"
  say "click the select button"
  xdotool mousemove $((l + 105 + 7)) $((t + 74 + 7)) click 1
  probe -c TfmSelectedArea wait visible 15000 >/dev/null || fail "the selection window did not open"
}

drag() {
  say "drag from $1,$2 to $3,$4"
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2))
  sleep 0.1
  xdotool mousemove "$3" "$4"
  sleep 0.2
  xdotool mouseup 1
  sleep 0.2
}

# ---- General Options and the program started shown -----------------------------------------

START_BOX='Start Vantaro Print Screen when I sign in'

open_general_options() {
  focus_main
  press alt+o
  press g
  wait_until 15 "General Options opens" bash -c "xdotool search --onlyvisible --name '^General Options\$' >/dev/null"
}

# 1 or 0: the Start with Windows box as General Options shows it.
start_box_state() { probe -t 'General Options' controls | awk -F'\t' -v c="$START_BOX" '$3 == c { print $2 }'; }

click_start_box() {
  local l t r b
  read -r l t r b < <(probe -t 'General Options' child-rect "$START_BOX") || fail "no '$START_BOX' box"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

close_general_options() {
  x_focus "$(x_window '^General Options$')"
  press "$1"
  wait_until 15 "General Options closes" bash -c "! xdotool search --onlyvisible --name '^General Options\$' >/dev/null"
}

start_shown() {
  settings_write
  app_start
  probe idle 20000 || fail "the program never became idle"
  second_start
  wait_visible
}

# ---- the process as Linux sees it ---------------------------------------------------------

thread_count() { find "/proc/$1/task" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l; }

# Processor time (user + system) a process has used so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# ---- pictures -----------------------------------------------------------------------------

# The Debian name, so a wrapper called `convert` earlier on PATH cannot stand in for it.
IM_CONVERT="$(command -v convert-im6.q16 || command -v convert)"

screen_size() { xdotool getdisplaygeometry; }

# Bounding box "X Y W H" of the pixels close to the root colour in an image. A black border
# is added first, so trimming always trims non-root pixels whatever the corners show.
root_color_bbox() {
  "$IM_CONVERT" "$1" -fuzz 20% -fill black +opaque "$ROOT_COLOR" -fill white -opaque "$ROOT_COLOR" \
    -bordercolor black -border 1 -format '%@' info: |
    awk -F'[x+]' '{ print $3 - 1, $4 - 1, $1, $2 }'
}

# Share (0..1) of pixels close to the root colour inside the rectangle X Y W H of an image.
root_color_share() {
  "$IM_CONVERT" "$1" -crop "${4}x${5}+${2}+${3}" +repage \
    -fuzz 20% -fill black +opaque "$ROOT_COLOR" -fill white -opaque "$ROOT_COLOR" \
    -colorspace gray -format '%[fx:mean]' info:
}

# The main window's client area cut out of a screenshot of the whole screen.
crop_client() {
  local shot="$1" out="$2" cw ch cx cy
  read -r cw ch cx cy < <(probe client) || return 1
  "$IM_CONVERT" "$shot" -crop "${cw}x${ch}+${cx}+${cy}" +repage "$out"
}
