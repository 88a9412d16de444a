#!/usr/bin/env bash
# Whole-process time and peak memory of one send, against Debian's wakeonlan, both to
# 127.0.0.1 only. Run inside an isolated network namespace:
#   unshare --net bash -c 'ip link set lo up; bench/send_process.sh build'
set -euo pipefail
build=${1:-build}
cli="$build/src/cli/wakeburst"
hyperfine -N --warmup 20 --runs 300 \
  "$cli send 00-A0-C9-12-34-56 --to 127.0.0.1" \
  "wakeonlan -i 127.0.0.1 -p 2304 00:a0:c9:12:34:56"
for cmd in "$cli send 00-A0-C9-12-34-56 --to 127.0.0.1" "wakeonlan -i 127.0.0.1 -p 2304 00:a0:c9:12:34:56"; do
  rss=$(/usr/bin/time -f %M $cmd 2>&1 >/dev/null | tail -1)
  echo "peak RSS ${rss} KiB: $cmd"
done
