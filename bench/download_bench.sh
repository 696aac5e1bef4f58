#!/usr/bin/env bash
# The download routine against curl, both fetching the same 256 MiB file from the same loopback
# HTTP server. Prints the best of five runs of each and the time ratio. Files live in /dev/shm
# when there is one, so the disk's write-back does not decide the figure.
# BUILD_DIR picks another build folder of the linux-release preset (default build/linux-release).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
BUILD_DIR=${BUILD_DIR:-build/linux-release}
SIZE_MB=${SIZE_MB:-256}
cmake --preset linux-release -B "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR" -j2 --target varkon_core >/dev/null

scratch=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
work=$(mktemp -d "$scratch/varkon-download-bench-XXXXXX")
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A driver that runs the routine once: download URL TARGET.
cat >"$work/driver.cpp" <<'CPP'
#include <cstdio>
#include "net/download.h"
int main(int argc, char** argv) {
  if (argc != 3) return 2;
  long pieces = 0;
  int result = Download(argv[1], argv[2], [&](int, int, int, int) { ++pieces; }, std::nullopt, 0);
  return result == 0 && pieces > 0 ? 0 : 1;
}
CPP
g++ -O2 -std=c++17 -I src -I "$BUILD_DIR/generated" "$work/driver.cpp" -o "$work/driver" \
  -L "$BUILD_DIR/lib" -lvarkon_core -lvarkon_toolkit -lvarkon_platform -lvarkon_base -pthread

mkdir "$work/www"
head -c $((SIZE_MB << 20)) /dev/urandom >"$work/www/file.bin"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do curl -sf -o /dev/null "http://127.0.0.1:$port/" && break; sleep 0.1; done
url="http://127.0.0.1:$port/file.bin"

best() {  # best COMMAND...: the fastest of five runs, in seconds
  local fastest=
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    fastest=$(echo "$end - $start" | bc -l | awk -v f="$fastest" '{ print (f == "" || $1 < f) ? $1 : f }')
  done
  echo "$fastest"
}

ours=$(best "$work/driver" "$url" "$work/ours.bin")
theirs=$(best curl -sf -o "$work/curl.bin" "$url")
cmp -s "$work/ours.bin" "$work/www/file.bin" && cmp -s "$work/curl.bin" "$work/www/file.bin" || {
  echo "downloads differ from the served file" >&2
  exit 1
}
printf 'Download (%d MiB): %.3f s\ncurl:              %.3f s\nratio:             %.2f\n' \
  "$SIZE_MB" "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
