# Sourced by the scripts that run Windows programs: a Wine prefix of the project's own under
# build/, Chinese locale and font, no browser engine, and a browser launcher that records.
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wine-prefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No browser engine and no .NET: their installers would otherwise offer a dialog.
export WINEDLLOVERRIDES="mshtml=d;mscoree=d;winemenubuilder.exe=d"
BROWSER_LOG=${BROWSER_LOG:-$ROOT/build/browser-opened.log}
export BROWSER_LOG

# Creates the prefix once; later calls only check it.
wine_prefix_ready() {
  local stamp=$WINEPREFIX/.varkon-ready
  [ -f "$stamp" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  local recorder=$ROOT/scripts/lib/record-browser
  # Pages go to a recording script instead of a real browser.
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$recorder" /f >/dev/null 2>&1
  # The client asks for 宋体 / SimSun, whose Latin letters and blanks are half the width of a
  # Chinese character; the monospaced WenQuanYi face keeps that, so layouts line up.
  for face in SimSun 宋体 NSimSun 新宋体 'MS Shell Dlg' 'MS Shell Dlg 2' Tahoma; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d 'WenQuanYi Micro Hei Mono' /f >/dev/null 2>&1
  done
  # One Wine desktop of its own: windows get their captions and frames without a window
  # manager, the way they look on Windows.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
}

# Starts Xvfb on a free display unless one is given; sets DISPLAY.
XVFB_PID=
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${VARKON_FORCE_XVFB:-}" ]; then return 0; fi
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && return 0; sleep 0.1; done
  done
  echo "no display could be started" >&2
  return 1
}

stop_display() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }
