# shellcheck shell=bash
# The soak's figures, shared by tests/e2e/test_soak.sh (100 activations, a test) and
# scripts/bench-soak (1000, a benchmark). Source after lib.sh, inside a case.
#
#   soak_start               the program resident and hidden, its Save folder and settings ready
#   soak_run FIRST LAST      activations FIRST..LAST (clipboard, BMP, selection by turns); prints ms
#   soak_figures             "gdi user handles threads private_kb windows fds rss_anon_kb" now
#
# Windows' own counters come from the program's process through vpsprobe (GetGuiResources,
# GetProcessHandleCount, the thread snapshot, GetProcessMemoryInfo); Wine does not keep every one
# of them, so the Unix side is read too: the descriptors and anonymous memory of the Wine
# process in /proc (its threads are the program's threads plus a few of Wine's own), and the
# program's windows (the bulk of its USER objects).

SOAK_FIGURES=(gdi user handles threads private_kb windows fds tasks rss_anon_kb)

soak_start() {
  SOAK_FOLDER="$WINEPREFIX/../saved"
  mkdir -p "$SOAK_FOLDER"
  cd "$SOAK_FOLDER" || fail "cannot enter $SOAK_FOLDER"
  settings_write '[ScreenArea]' 'ItemIndex=0' '[Action]' 'ItemIndex=3' '[FileFormat]' 'ItemIndex=0' \
    '[TfmKestrelPrintScreen]' "SaveDialog_InitialDir=$(winepath -w "$SOAK_FOLDER")\\"
  app_start
  probe idle 20000 || fail "the program never became idle"
  SOAK_UNIX_PID="$(vps_unix_pid_of VantaroPrintScreen.exe)" || fail "cannot find the program's Unix process"
}

soak_run() {
  local ms
  ms="$(probe soak "$1" "$2" "$(winepath -w "$SOAK_FOLDER")")" || fail "the soak stopped between activations $1 and $2"
  echo "$ms"
}

soak_figures() {
  local line gdi user handles threads private_kb windows fds tasks rss
  # A moment for the hide's own clean-up (a worker's last step, a posted message) to finish.
  sleep 1
  line="$(probe resources)" || fail "vpsprobe resources failed"
  gdi="$(sed -nE 's/.* gdi=(-?[0-9]+).*/\1/p' <<<"$line")"
  user="$(sed -nE 's/.* user=(-?[0-9]+).*/\1/p' <<<"$line")"
  handles="$(sed -nE 's/.* handles=(-?[0-9]+).*/\1/p' <<<"$line")"
  threads="$(sed -nE 's/.* threads=(-?[0-9]+).*/\1/p' <<<"$line")"
  private_kb="$(sed -nE 's/.* private_kb=(-?[0-9]+).*/\1/p' <<<"$line")"
  windows="$(probe list | grep -c " pid=$(sed -nE 's/^pid=([0-9]+).*/\1/p' <<<"$line") ")"
  fds="$(find "/proc/$SOAK_UNIX_PID/fd" -mindepth 1 2>/dev/null | wc -l)"
  tasks="$(find "/proc/$SOAK_UNIX_PID/task" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)"
  rss="$(awk '/^RssAnon:/ { print $2 }' "/proc/$SOAK_UNIX_PID/status")"
  # A process with windows holds GDI and USER objects, handles and memory: a 0 means the system
  # keeps no such count for another process (Wine 8), not that there are none.
  local v
  for v in gdi user handles private_kb; do [ "${!v}" != 0 ] || printf -v "$v" '%s' -1; done
  echo "$gdi $user $handles $threads $private_kb $windows $fds $tasks $rss"
}
