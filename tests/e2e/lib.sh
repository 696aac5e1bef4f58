# Helpers of the end-to-end scenarios: the stand-in platform, the client under Wine, the probe.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$ROOT/scripts/lib/wine-env.sh"

BIN=${VARKON_BIN:-$ROOT/build/windows-test/bin}
EXE=$BIN/varkon.exe
DEVPLATFORM=${DEVPLATFORM:-$ROOT/build/linux/bin/devplatform}
OUT=$ROOT/build/e2e
SHOTS=$ROOT/build/screenshots
mkdir -p "$OUT" "$SHOTS"

PASSED=0
FAILED=0
PLATFORM_PID=
CLIENT_PID=
SCENARIO=

probe() { wine "$BIN/varkon-probe.exe" "$@" 2>>"$OUT/probe.err" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

fail() {
  echo "  FAIL [$SCENARIO] $*"
  SCENARIO_OK=0
}

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "  ok   $what"; else fail "$what"; fi
}

start_platform() {
  rm -f "$OUT/ready"
  "$DEVPLATFORM" --exe "$EXE" --ready-file "$OUT/ready" --log "$OUT/platform-$SCENARIO.log" "$@" \
    >"$OUT/platform-$SCENARIO.out" 2>&1 &
  PLATFORM_PID=$!
  for _ in $(seq 100); do [ -s "$OUT/ready" ] && return 0; sleep 0.1; done
  echo "stand-in platform did not start: $(cat "$OUT/platform-$SCENARIO.out")" >&2
  return 1
}

stop_platform() {
  [ -n "$PLATFORM_PID" ] && kill "$PLATFORM_PID" 2>/dev/null && wait "$PLATFORM_PID" 2>/dev/null
  PLATFORM_PID=
}

# The client runs in a folder of its own, as a player's copy would.
start_client() {
  RUN_DIR=$OUT/run-$SCENARIO
  rm -rf "$RUN_DIR"
  mkdir -p "$RUN_DIR"
  echo "previous client" >"$RUN_DIR/_update.tmp"
  (cd "$RUN_DIR" && exec wine "$EXE") >"$OUT/client-$SCENARIO.out" 2>&1 &
  CLIENT_PID=$!
}

# Waits for the client to end; CLIENT_CODE becomes its exit code, or "running" when it did
# not end in time. (Not in a subshell: only this shell can collect its child's status.)
wait_client_exit() {
  local limit=${1:-20}
  CLIENT_CODE=running
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$CLIENT_PID" 2>/dev/null; then
      wait "$CLIENT_PID"
      CLIENT_CODE=$?
      CLIENT_PID=
      return 0
    fi
    sleep 0.1
  done
}

stop_client() {
  if [ -n "$CLIENT_PID" ]; then
    kill "$CLIENT_PID" 2>/dev/null
    wait "$CLIENT_PID" 2>/dev/null
  fi
  CLIENT_PID=
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

registry_value() {  # registry_value KEY NAME: the data of a value, empty when missing
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}

screenshot() { import -window root "$SHOTS/$1.png" 2>/dev/null && echo "  shot $SHOTS/$1.png"; }

# The control lines of `probe list` whose class and text match.
control_line() {  # control_line CAPTION CLASS TEXT
  probe list "$1" | awk -F'\t' -v c="$2" -v t="$3" '$2 == c && $5 == t'
}

run_scenario() {  # run_scenario NAME FUNCTION
  SCENARIO=$1
  SCENARIO_OK=1
  echo "scenario $1"
  "$2"
  stop_client
  stop_platform
  if [ "$SCENARIO_OK" = 1 ]; then PASSED=$((PASSED + 1)); else FAILED=$((FAILED + 1)); fi
}
