#!/usr/bin/env bash
# A group wake of 10,000 hosts to 127.0.0.1, as a whole process: `wakeburst wake` against
# Debian's `wakeonlan -f` on the same addresses and against a bare C loop of 10,000 sendto
# calls; and `wakeburst wake --repeat 3 --interval 0` against the bare loop of the same
# 30,000 frames. Sends only to 127.0.0.1; run it inside an isolated network namespace:
#   unshare --net bash -c 'ip link set lo up; bench/wake_group_bench.sh build'
set -euo pipefail
build=${1:-build}
hosts=${HOSTS:-10000}
here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "$build/src/cli/wakeburst")
work=$(mktemp -d)
sink=
trap '[ -n "$sink" ] && kill "$sink"; rm -rf "$work"' EXIT

# The same addresses in both formats: a host list (CR LF, as the system writes it) and a
# wakeonlan file of "MAC IP PORT" lines.
awk -v n="$hosts" 'BEGIN {
  for (i = 0; i < n; i++) {
    b4 = int(i / 65536) % 256; b5 = int(i / 256) % 256; b6 = i % 256;
    mac = sprintf("02-00-5e-%02x-%02x-%02x", b4, b5, b6);
    printf "10.%d.%d.%d\thost%d\t%s\r\n", b4, b5, b6, i, mac > "'"$work"'/group.mp";
    gsub("-", ":", mac);
    printf "%s 127.0.0.1 2304\n", mac > "'"$work"'/group.wol";
  }
}'
cc -O2 -o "$work/sendto_loop" "$here/sendto_loop.c"

# With SINK=1 a socket that never reads is bound to 127.0.0.1:2304, so the frames are
# dropped at its full buffer instead of each raising a port-unreachable error.
if [ "${SINK:-0}" = 1 ]; then
  python3 -c 'import socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 2304))
time.sleep(3600)' &
  sink=$!
  sleep 0.3
fi

hyperfine -N --warmup 5 --runs "${RUNS:-40}" --export-json "$work/result.json" \
  -n "wakeburst wake" "$cli wake $work/group.mp --to 127.0.0.1 --dir $work" \
  -n "wakeonlan -f" "wakeonlan -f $work/group.wol" \
  -n "C sendto loop" "$work/sendto_loop $hosts" \
  -n "wakeburst wake --repeat 3" \
  "$cli wake $work/group.mp --to 127.0.0.1 --dir $work --repeat 3 --interval 0 -q" \
  -n "C sendto loop x3" "$work/sendto_loop $((hosts * 3))"
python3 - "$work/result.json" "$hosts" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
ours, theirs, floor = (r[k]["median"] * 1000 for k in ("wakeburst wake", "wakeonlan -f", "C sendto loop"))
print(f"medians: wakeburst wake {ours:.1f} ms, wakeonlan -f {theirs:.1f} ms, C sendto loop {floor:.1f} ms")
print(f"wakeburst / wakeonlan = 1/{theirs / ours:.1f} (target at most 1/8)")
print(f"wakeburst / C loop = {ours / floor:.2f}x (target at most 1.2x)")
rep, floor3 = (r[k]["median"] * 1000 for k in ("wakeburst wake --repeat 3", "C sendto loop x3"))
print(f"medians: wakeburst wake --repeat 3 --interval 0 {rep:.1f} ms, C sendto loop of {3 * int(sys.argv[2])} frames {floor3:.1f} ms")
print(f"wakeburst --repeat 3 / C loop = {rep / floor3:.2f}x (target at most 1.2x)")
PY
