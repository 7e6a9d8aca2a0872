# shellcheck shell=bash
# Whether the current Wine prefix announces a Simple MAPI mail client, for the mail tests.
#
#   vps_mail_announce 1|0|absent
#
# A prefix made with 32-bit Wine installed is a WoW64 prefix: it keeps the "MAPI" value twice,
# once in the 64-bit registry view and once in the 32-bit one (Wow6432Node) that 32-bit
# programs read, and its WIN.INI holds [mail] mapi=1 as well. All three must say the same, or a
# "no mail client" case still finds one in the place its program looks.
vps_mail_announce() {
  local value="$1" view
  local key='HKLM\SOFTWARE\Microsoft\Windows Messaging Subsystem'
  for view in 64 32; do
    if [ "$value" = absent ]; then
      wine reg delete "$key" /v MAPI /f "/reg:$view" >/dev/null 2>&1
    else
      wine reg add "$key" /v MAPI /d "$value" /f "/reg:$view" >/dev/null 2>&1
    fi
  done
  local ini="$WINEPREFIX/drive_c/windows/win.ini"
  [ -f "$ini" ] || return 0
  # Only the [mail] section's MAPI line (WIN.INI's keys are case-blind); CRLF lines stay CRLF.
  awk -v value="$value" '
    function add() { if (in_mail && !seen && value != "absent") print "mapi=" value "\r"; seen = 1 }
    /^\[/ { add(); in_mail = tolower($0) ~ /^\[mail\]/; if (in_mail) seen = 0 }
    in_mail && tolower($0) ~ /^mapi=/ { seen = 1; if (value != "absent") { sub(/=[^\r]*/, "=" value) } else next }
    { print }
    END { add() }
' "$ini" >"$ini.new" && mv "$ini.new" "$ini"
}
