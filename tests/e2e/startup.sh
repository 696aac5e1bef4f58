#!/usr/bin/env bash
# End to end: the real varkon.exe under Wine against the stand-in platform, watched from outside.
set -u
source "$(dirname "$0")/lib.sh"

TITLE="Varkon在线CS同盟平台 Ver2.5.6.18"
UPDATING="Varkon在线CS同盟平台正在更新..."
FORUM_HOME="http://127.0.0.1:8889/forum/index.php?from=client&lang=zh"
SIGNUP="http://127.0.0.1:8889/forum/member.php?mod=register&from=client"
MANUAL="http://127.0.0.1:8889/forum/forum.php?mod=viewthread&tid=1&from=client"
# Design coordinates (client area) of the controls a person uses.
USER_BOX="173 195"
PASSWORD_BOX="173 227"
SIGNUP_LINK="112 254"
MANUAL_LINK="346 263"

pages_opened() { [ -f "$BROWSER_LOG" ] && cat "$BROWSER_LOG"; }

scenario_login_window() {
  wine reg delete 'HKCU\Software\varkon' /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Valve\Steam' /v LastContentProviderURL /f >/dev/null 2>&1
  rm -f "$BROWSER_LOG"
  start_platform || return
  start_client
  check "login window appears with the version caption" probe wait "$TITLE" --timeout 30000
  local list
  list=$(probe list "$TITLE")
  check "user-name placeholder shown" grep -qP '\tEdit\t.*\t请输入您的英文名$' <<<"$list"
  check "password placeholder shown readable" grep -qP '\tEdit\t89,54,158,20\t(?!.*password=).*\t请输入您的密码$' <<<"$list"
  check "login button enabled" grep -qP '\tButton\t267,25,89,65\t[^\t]*enabled[^\t]*\t登陆\\r\\n\[Login\]$' <<<"$list"
  check "Steam provider value is the served Provide2" \
    test "$(registry_value 'HKCU\Software\Valve\Steam' LastContentProviderURL)" = "http://127.0.0.1:8888/steam/provider.txt"
  check "previous client file deleted" test ! -e "$RUN_DIR/_update.tmp"
  sleep 1
  screenshot login-window

  # A person clicks into the boxes and types; the window's own rules switch the boxes.
  probe click "$TITLE" $USER_BOX >/dev/null
  check "focused user box is emptied" test -n "$(probe list "$TITLE" | awk -F'\t' '$3 == "89,22,158,20" && $5 == ""')"
  probe type "$TITLE" "player1" >/dev/null
  probe click "$TITLE" $PASSWORD_BOX >/dev/null
  probe type "$TITLE" "pw&1" >/dev/null
  list=$(probe list "$TITLE")
  check "typed user name stays" grep -qP '\tEdit\t89,22,158,20\t.*\tplayer1$' <<<"$list"
  check "typing masks the password" grep -qP '\tEdit\t89,54,158,20\t[^\t]*password=\*' <<<"$list"
  screenshot login-window-typed

  probe click "$TITLE" $SIGNUP_LINK >/dev/null
  sleep 2
  check "forum home reached the browser whole" grep -qxF "$FORUM_HOME" <(pages_opened)
  check "registration page reached the browser whole" grep -qxF "$SIGNUP" <(pages_opened)
  check "nothing else was opened" test "$(pages_opened | wc -l)" -eq 2

  probe close "$TITLE" >/dev/null
  wait_client_exit
  check "closing the window ends the program with code 0 (ended: $CLIENT_CODE)" test "$CLIENT_CODE" = 0
}

scenario_platform_down() {
  start_platform --down both || return
  start_client
  local box
  box=$(probe box --caption "错误!" --timeout 30000)
  check "the fetch failure is reported" test "$box" = "$(printf '错误!\t信息获取失败!')"
  wait_client_exit
  check "the program then ends with code 0 (ended: $CLIENT_CODE)" test "$CLIENT_CODE" = 0
}

scenario_update() {
  rm -f "$BROWSER_LOG"
  start_platform --set ver=2.6.0.1 || return
  start_client
  check "update caption shown" probe wait "$UPDATING" --timeout 30000
  sleep 1.5
  local list
  list=$(probe list "$UPDATING")
  check "login button disabled" grep -qP '\tButton\t267,25,89,65\t[^\t]*disabled' <<<"$list"
  check "update panel unrolled over the form" grep -qP '\tButton\t5,163,380,115\tvisible.*\t注:若更新不成功' <<<"$list"
  check "newest version shown" grep -qP '\tStatic\t[^\t]*\tvisible[^\t]*\t2\.6\.0\.1$' <<<"$list"
  check "no forum page on an update start" test ! -s "$BROWSER_LOG"
  screenshot update-window
  probe click "$UPDATING" $MANUAL_LINK >/dev/null
  sleep 2
  check "manual download page reached the browser whole" grep -qxF "$MANUAL" <(pages_opened)
}

scenario_stored_credentials() {
  wine reg add 'HKCU\Software\varkon' /v username /t REG_SZ /d 'gamer' /f >/dev/null
  wine reg add 'HKCU\Software\varkon' /v password /t REG_SZ /d 's3cret' /f >/dev/null
  wine reg add 'HKCU\Software\varkon' /v Note /t REG_DWORD /d 1 /f >/dev/null
  start_platform || return
  start_client
  probe wait "$TITLE" --timeout 30000 >/dev/null
  local list
  list=$(probe list "$TITLE")
  check "stored user name restored" grep -qP '\tEdit\t89,22,158,20\t.*\tgamer$' <<<"$list"
  check "stored password restored masked" grep -qP '\tEdit\t89,54,158,20\t[^\t]*password=\*[^\t]*\ts3cret$' <<<"$list"
  check "remember box ticked" grep -qP '\tButton\t172,81,70,20\t[^\t]*checked' <<<"$list"
  wine reg delete 'HKCU\Software\varkon' /f >/dev/null 2>&1
}

scenario_integrity() {
  start_platform --set Hash=0123456789abcdef0123456789abcdef || return
  start_client
  local box
  box=$(probe box --caption "错误" --timeout 30000)
  check "the integrity failure is reported" test "$box" = "$(printf '错误\t程序文件校验失败，请重新下载客户端！')"
  wait_client_exit
  check "the program then ends with code 0 (ended: $CLIENT_CODE)" test "$CLIENT_CODE" = 0
}

MAIN="Varkon在线CS同盟平台 Ver2.5.6.18  -  127.0.0.1"
LOGIN_BUTTON="316 220"

# A person types the account into the boxes and presses the login button.
log_in() {
  probe click "$TITLE" $USER_BOX >/dev/null
  probe type "$TITLE" "$1" >/dev/null
  probe click "$TITLE" $PASSWORD_BOX >/dev/null
  probe type "$TITLE" "$2" >/dev/null
  probe click "$TITLE" $LOGIN_BUTTON >/dev/null
}

scenario_login() {
  wine reg delete 'HKCU\Software\varkon' /f >/dev/null 2>&1
  start_platform || return
  start_client
  probe wait "$TITLE" --timeout 30000 >/dev/null
  log_in demo demo123
  check "the main window opens after the login" probe wait "$MAIN" --timeout 20000
  sleep 2
  local list
  list=$(probe list "$MAIN")
  check "player name shown" grep -qP '\tStatic\t63,9,145,18\t.*\t演示玩家$' <<<"$list"
  check "ranking shown" grep -qP '\tStatic\t63,33,145,18\t.*\t12位$' <<<"$list"
  check "time online shown" grep -qP '\tStatic\t63,105,145,18\t.*\t1时2分5秒$' <<<"$list"
  check "K/D shown" grep -qP '\tStatic\t328,57,45,18\t.*\t2\.5$' <<<"$list"
  check "location line shown" grep -qP '\t中国广东深圳电信 IP:127\.0\.0\.1$' <<<"$list"
  check "the login window is gone" probe gone "$TITLE" --timeout 5000
  check "user name stored" test "$(registry_value 'HKCU\Software\varkon' username)" = demo
  check "password stored" test "$(registry_value 'HKCU\Software\varkon' password)" = demo123
  check "Note stored as 0" test "$(registry_value 'HKCU\Software\varkon' Note)" = 0x0
  screenshot main-window
}

scenario_refused() {
  wine reg delete 'HKCU\Software\varkon' /f >/dev/null 2>&1
  start_platform || return
  start_client
  probe wait "$TITLE" --timeout 30000 >/dev/null
  log_in demo wrong
  local box
  box=$(probe box --caption "登录失败" --timeout 20000 --answer none)
  check "a wrong password is refused" test "$box" = "$(printf '登录失败\t密码错误!')"
  screenshot login-refused
  probe box --caption "登录失败" --timeout 5000 >/dev/null
  sleep 0.5
  check "the button is usable again as 登录" grep -qP '\tButton\t267,25,89,65\t[^\t]*enabled[^\t]*\t登录$' <<<"$(probe list "$TITLE")"
}

# The Windows build of the command-line companion: wide command line in, UTF-8 out.
scenario_cli() {
  local cli=$BIN/varkon-cli.exe
  check "Chinese arguments reach varkon-cli.exe whole" \
    test "$(wine "$cli" unescape '玩家\u4e2d%41' 2>/dev/null | tr -d '\r')" = "玩家中A"
  check "digest under Windows equals md5sum" \
    test "$(wine "$cli" digest 'Z:\etc\hostname' 2>/dev/null | cut -d' ' -f1)" = "$(md5sum /etc/hostname | cut -d' ' -f1)"
  wine "$cli" query 127.0.0.1:1 >/dev/null 2>&1
  check "an unanswered query exits 1" test $? = 1
}

start_display || exit 1
wine_prefix_ready
run_scenario login-window scenario_login_window
run_scenario platform-down scenario_platform_down
run_scenario update scenario_update
run_scenario stored-credentials scenario_stored_credentials
run_scenario integrity scenario_integrity
run_scenario login scenario_login
run_scenario refused scenario_refused
run_scenario cli scenario_cli
stop_display
echo "end-to-end: $PASSED passed, $FAILED failed"
[ "$FAILED" = 0 ]
