#!/usr/bin/env bash
# Subnet discovery in the namespace lab (tests/lab/lab.sh: 198.51.100.0/24 on a bridge, the
# host at .37, peers at .10-.12, every other address silent): `wakeburst scan` against
# `arp-scan` and `nmap -sn` where they are installed, rounds interleaved, the host's
# neighbour table flushed before each run. Nothing leaves the lab's namespaces, which are
# removed at the end. Needs root:
#   bench/scan_compare.sh build [ROUNDS]
# SILENT_DNS=1 adds a name server on the host's 127.0.0.1:53 that takes queries and never
# answers; PEERS=N adds N-3 more live peers (.100 upwards) in one extra namespace.
set -euo pipefail
build=${1:-build}
rounds=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
lab=$here/../tests/lab/lab.sh
cli=$(realpath "$build/src/cli/wakeburst")
export PATH=$(realpath "$build/tests/lab"):$PATH
p=wb$$
work=$(mktemp -d)
dns=
cleanup() {
  [ -n "$dns" ] && kill "$dns" 2>/dev/null
  "$lab" down "$p" "$work/lab" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/lab"
"$lab" up "$p" "$work/lab" >/dev/null
h=${p}h
extra=$((${PEERS:-3} - 3))
if [ "$extra" -gt 0 ]; then
  # The extra peers share one namespace and one link, each with an address of its own.
  ip netns add "${p}p9"
  ip -n "${p}sw" link add vx type veth peer name eth0 netns "${p}p9"
  ip -n "${p}sw" link set vx master br0 up
  for k in $(seq 100 $((99 + extra))); do echo "addr add 198.51.100.$k/24 dev eth0"; done |
    ip -n "${p}p9" -batch -
  ip -n "${p}p9" link set eth0 up
  ip -n "${p}p9" link set lo up
fi
if [ "${SILENT_DNS:-0}" = 1 ]; then
  ip netns exec "$h" python3 -c 'import socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 53))
time.sleep(3600)' &
  dns=$!
  sleep 0.3
fi

tools=(wakeburst)
command -v arp-scan >/dev/null && tools+=(arp-scan) || echo "note: arp-scan not installed, skipped"
command -v nmap >/dev/null && tools+=(nmap) || echo "note: nmap not installed, skipped"
run() {
  case $1 in
    wakeburst) (cd "$work" && rm -f bench.mp && "$cli" scan -o bench >/dev/null 2>"$work/scan.err" && grep -ac "^198" bench.mp) || cat "$work/scan.err" >&2 ;;
    arp-scan) arp-scan -q -x -I eth0 198.51.100.0/24 | wc -l ;;
    nmap) nmap -sn -n -oG - 198.51.100.0/24 | grep -c 'Status: Up' ;;
  esac
}
for t in "${tools[@]}"; do : >"$work/$t.times"; done
for r in $(seq "$rounds"); do
  for t in "${tools[@]}"; do
    ip -n "$h" neigh flush all
    # Timed inside the namespace: the tool's run alone.
    ip netns exec "$h" bash -c "$(declare -f run); work=$work cli=$cli
      s=\$(date +%s%N); found=\$(run $t); e=\$(date +%s%N)
      echo \$(((e - s) / 1000000)) \$found" >>"$work/$t.times"
  done
done
for t in "${tools[@]}"; do
  sort -n "$work/$t.times" | awk -v t="$t" '{ ms[NR] = $1; f[NR] = $2 }
    END { printf "%-10s median %5d ms  (min %d, max %d; hosts found %s)\n", t, ms[int((NR + 1) / 2)], ms[1], ms[NR], f[1] }'
done
