#!/usr/bin/env bash
# From pressing the login button to the main window shown, for the real varkon.exe under Wine
# against the stand-in on loopback, measured from outside: the probe's clock around the click
# and the wait, and the stand-in's request times. Prints the whole time and the client's own
# share (the time not spent between a request arriving and its reply leaving the stand-in).
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
RUNS=${RUNS:-5}
cmake --preset linux >/dev/null && cmake --build --preset linux -j2 --target devplatform >/dev/null
cmake --preset windows-test >/dev/null && cmake --build --preset windows-test -j2 --target varkon varkon-probe >/dev/null
source tests/e2e/lib.sh
export VARKON_FORCE_XVFB=1
start_display
wine_prefix_ready
TITLE="Varkon在线CS同盟平台 Ver2.5.6.18"
MAIN="$TITLE  -  127.0.0.1"
ms() { date +%s%3N; }

for run in $(seq "$RUNS"); do
  SCENARIO=bench$run
  wine reg delete 'HKCU\Software\varkon' /f >/dev/null 2>&1
  start_platform
  start_client
  probe wait "$TITLE" --timeout 30000 >/dev/null
  probe click "$TITLE" 173 195 >/dev/null
  probe type "$TITLE" demo >/dev/null
  probe click "$TITLE" 173 227 >/dev/null
  probe type "$TITLE" demo123 >/dev/null
  t0=$(ms)
  probe click "$TITLE" 316 220 >/dev/null
  probe wait "$MAIN" --timeout 20000 >/dev/null
  t1=$(ms)
  log=$OUT/platform-$SCENARIO.log
  # HH:MM:SS.mmm of the login and profile requests, as the stand-in logged them.
  login=$(grep -m1 ' POST /user/login.php' "$log" | cut -d' ' -f1)
  profile=$(grep -m1 ' GET /user/profile.php' "$log" | cut -d' ' -f1)
  to_ms() { IFS=:. read -r h m s f <<<"$1"; echo $(( ((10#$h * 60 + 10#$m) * 60 + 10#$s) * 1000 + 10#$f )); }
  day=$(( $(date -d "$(date +%F)" +%s) * 1000 ))
  echo "run $run: click to main window $((t1 - t0)) ms; click to login request $(( $(to_ms "$login") + day - t0 )) ms; login to profile request $(( $(to_ms "$profile") - $(to_ms "$login") )) ms; profile request to window seen $(( t1 - day - $(to_ms "$profile") )) ms"
  stop_client
  stop_platform
done
stop_display
