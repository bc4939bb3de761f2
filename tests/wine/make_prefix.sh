#!/usr/bin/env bash
# Makes the Wine prefix named by WINEPREFIX, or brings an existing one up to date, and the Chinese
# locale in LOCPATH that Wine takes the code page of window names from.
set -euo pipefail
: "${WINEPREFIX:?}" "${LOCPATH:?}"
if [ ! -e "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8"
fi
mkdir -p "$WINEPREFIX"
# Without a display Wine still makes the prefix; it only complains.
env -u DISPLAY wineboot --init >/dev/null 2>&1
# No window manager runs in the tests: unmanaged windows go away at once instead of after two
# seconds of waiting for one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
