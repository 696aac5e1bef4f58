#!/bin/bash
# Drives varkon-probe-target with varkon-probe under Wine, once per input method, and
# checks what every command prints and does.
#   tools/probe/selftest/run.sh [BIN_DIR]     (default build/windows-test/bin)
# Uses $DISPLAY and $WINEPREFIX when set; otherwise starts its own Xvfb and prefix.
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../../../build/windows-test/bin}" && pwd) || exit 2
export LANG=zh_CN.UTF-8 WINEDEBUG=-all
export WINEDLLOVERRIDES="mshtml=d;mscoree=d;winemenubuilder.exe=d"

started=()
cleanup() { for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done; }
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  display=":$((100 + $$ % 100))"
  Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 & started+=($!)
  export DISPLAY=$display
  sleep 1
fi
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX=/tmp/varkon-probe-selftest-prefix
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
fi

W=探针测试窗口
failures=0
method=input
probe() { wine "$bin/varkon-probe.exe" "$@"; }
act() { probe "$@" --method "$method"; }
check() {  # check NAME WANT GOT
  if [ "$2" = "$3" ]; then echo "ok    [$method] $1"
  else echo "FAIL  [$method] $1: want [$2] got [$3]"; failures=$((failures + 1)); fi
}
# Field 5 (the text) and field 4 (the flags) of the list line with the given rectangle.
text_at() { probe list "$W" | awk -F'\t' -v r="$1" '$3 == r { print $5; exit }'; }
flags_at() { probe list "$2" | awk -F'\t' -v r="$1" '$3 == r { print $4; exit }'; }
log() { text_at 10,260,460,24; }
user=10,30,200,24
password=10,90,200,24
remember=10,125,150,24

run_suite() {
  wine "$bin/varkon-probe-target.exe" & local target=$!; started+=($target)
  check "wait prints the caption" "$W" "$(probe wait "$W" --timeout 20000)"
  check "wait --prefix" "$W" "$(probe wait 探针 --prefix)"
  probe wait 没有这个窗口 --timeout 300 2>/dev/null; check "wait times out" 1 $?
  probe gone "$W" --timeout 300 2>/dev/null; check "gone times out while it exists" 1 $?
  check "windows lists it" "VarkonProbeTarget	visible	$W" "$(probe windows | grep "$W")"
  [[ "$(probe pid "$W")" =~ ^[0-9]+$ ]]; check "pid is a number" 0 $?

  local listing; listing=$(probe list "$W")
  check "list: top level" "0	VarkonProbeTarget	100,100,500,340" "$(echo "$listing" | head -1 | cut -f1-3)"
  check "list: edit nested in the group box" "2	Edit	$user	visible,enabled	" \
    "$(echo "$listing" | sed -n 3p)"
  check "list: password edit" "visible,enabled,password=*" "$(flags_at $password "$W")"
  check "list: two-line caption escaped" '登录\n进入' "$(text_at 10,160,120,50)"
  check "list: disabled button" "visible,disabled" "$(flags_at 120,220,100,28 "$W")"

  check "click reports the control" "Edit	" "$(act click "$W" 30 50)"
  check "click gives an edit the focus" "visible,enabled,focused" "$(flags_at $user "$W")"
  act type "$W" '中文abc\x'
  check "typed Chinese reads back, backslash escaped" '中文abc\\x' "$(text_at $user)"
  act key "$W" backspace
  check "backspace" '中文abc\\' "$(text_at $user)"

  act click "$W" 20 130 >/dev/null
  check "check box checks" "visible,enabled,checked,focused" "$(flags_at $remember "$W")"
  act click "$W" 20 130 >/dev/null
  check "check box unchecks" "visible,enabled,focused" "$(flags_at $remember "$W")"
  act click "$W" 250 140 >/dev/null
  check "disabled click is refused" "disabled" "$(act click "$W" 130 230 2>&1 >/dev/null)"
  check "notify static sees the button down" \
    "focus:101;check=1;check=0;static-down;static-click;" "$(log)"

  act click "$W" 50 180 >/dev/null
  check "box prints caption and text" '提示	欢迎\n第二行' "$(act box --timeout 5000)"
  act click "$W" 50 230 >/dev/null
  check "box --answer none" '询问	继续吗？' "$(act box --caption 询问 --answer none)"
  check "main window is disabled under the box" "disabled" "$(act click "$W" 30 50 2>&1 >/dev/null)"
  act box --caption 询问 --answer no >/dev/null
  act click "$W" 50 230 >/dev/null
  act box --answer yes >/dev/null
  probe box --timeout 300 2>/dev/null; check "no box left" 1 $?

  act click "$W" 30 50 >/dev/null
  act key "$W" tab
  check "tab moves to the password" "visible,enabled,password=*,focused" "$(flags_at $password "$W")"
  act type "$W" 密码pw
  act key "$W" enter
  act key "$W" escape
  check "event order" \
    "focus:101;check=1;check=0;static-down;static-click;login;ok-closed;no;yes;focus:101;focus:102;enter;escape;" \
    "$(log)"
  check "text at a point" "$(log)" "$(probe text "$W" 20 265)"

  # Another window in front: a click or key brings ours back with its focus.
  wine "$bin/varkon-probe-target.exe" 前面的窗口 & started+=($!)
  probe wait 前面的窗口 >/dev/null
  act click 前面的窗口 30 50 >/dev/null
  act type "$W" 后
  check "typing reaches a window that was behind" "visible,enabled,password=*,focused" \
    "$(flags_at $password "$W")"
  check "and not the one in front" "" "$(probe list 前面的窗口 | awk -F'\t' -v r=$user '$3 == r { print $5 }')"
  check "password text" "密码pw后" "$(text_at $password)"

  kill "${started[-1]}" "$target" 2>/dev/null
  probe gone "$W" --timeout 10000; check "gone after exit" 0 $?
  probe gone 前面的窗口 --timeout 10000
}

probe 2>/dev/null; check "no command is bad usage" 2 $?
probe click "$W" x 1 2>/dev/null; check "non-numeric coordinate is bad usage" 2 $?
probe key "$W" 2>/dev/null; check "missing argument is bad usage" 2 $?
for method in input posted; do run_suite; done
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
