#!/usr/bin/env bash
# The file digest over a 256 MiB file against md5sum on the same file, side by side.
# Prints the best of three runs of each and the time ratio (goal: at most 1.1).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j2 --target varkon-cli >/dev/null
file=$(mktemp /tmp/varkon-digest-XXXXXX)
trap 'rm -f "$file"' EXIT
head -c $((256 << 20)) /dev/urandom >"$file"

best() {  # best COMMAND...: the fastest of three runs, in seconds
  local fastest=
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    fastest=$(echo "$end - $start" | bc -l | awk -v f="$fastest" '{ print (f == "" || $1 < f) ? $1 : f }')
  done
  echo "$fastest"
}

ours=$(best build/linux-release/bin/varkon-cli digest "$file")
theirs=$(best md5sum "$file")
[ "$(build/linux-release/bin/varkon-cli digest "$file" | cut -d' ' -f1)" = "$(md5sum "$file" | cut -d' ' -f1)" ] || {
  echo "digests differ" >&2
  exit 1
}
printf 'varkon-cli digest: %.3f s\nmd5sum:            %.3f s\nratio:             %.2f\n' \
  "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
