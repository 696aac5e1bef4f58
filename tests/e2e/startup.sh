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

start_display || exit 1
wine_prefix_ready
run_scenario login-window scenario_login_window
run_scenario platform-down scenario_platform_down
run_scenario update scenario_update
run_scenario stored-credentials scenario_stored_credentials
run_scenario integrity scenario_integrity
stop_display
echo "end-to-end: $PASSED passed, $FAILED failed"
[ "$FAILED" = 0 ]
