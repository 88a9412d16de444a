#!/usr/bin/env bash
# Builds and removes the namespace lab described in lab_network.h:
#   lab.sh up PREFIX WORKDIR [sink] [second] [ipv6] [sleeper]
#   lab.sh down PREFIX WORKDIR
# PREFIX is "wb" and the test's process id; lab_tool (the helper program) is on PATH.
# Each recorder writes WORKDIR/NODE.rec (p1..p4, sk). Only 198.51.100.0/24, 2001:db8::/64
# and link-local addresses on the lab's own bridges are used.
#
# Sourced (by the lab transcripts' bash steps, LAB_WORK the work directory) it only defines:
#   polls     after address resolution had its time, how many datagrams each address of the
#             subnet got at the peers and the sink, as runs of last octets ("1-36 x3"), any
#             datagram that is not a poll shown whole; the records are emptied
#   span P    milliseconds between the first and the last datagram at peer P (p1, p2, ...)
if [ "${BASH_SOURCE[0]}" != "$0" ]; then
  polls() {
    sleep 1.5
    cat "$LAB_WORK"/*.rec | awk '$2 != "446f6f646168" { print "not a poll: " $0; next }
      { n[$1]++ } END { for (a in n) print a, n[a] }' | sort -t. -k4n |
      awk '{ split($1, o, "."); k = o[4] } k == last + 1 && $2 == c { last = k; next }
        NR > 1 { print first "-" last " x" c } { first = k; last = k; c = $2 }
        END { if (NR) print first "-" last " x" c }'
    for f in "$LAB_WORK"/*.rec; do : >"$f"; done
  }
  span() {
    sleep 0.2
    echo $(($(tail -1 "$LAB_WORK/$1.rec.t") - $(head -1 "$LAB_WORK/$1.rec.t")))
  }
  return 0
fi
set -euo pipefail
trap 'echo "failed: $BASH_COMMAND" >&2' ERR
cmd=$1 p=$2 work=$3
shift 3
opts=" $* "
has() { [[ $opts == *" $1 "* ]]; }
net=198.51.100
sw=${p}sw

if [ "$cmd" = down ]; then
  if [ -f "$work/pids" ]; then xargs -r kill <"$work/pids" 2>/dev/null || true; fi
  for ns in $(ip netns list | grep -oE "^${p}(h|sw|sk|p[0-9])\b" || true); do ip netns del "$ns"; done
  rm -rf "/etc/netns/${p}h" "$work"
  exit 0
fi

# Labs of test processes that died without cleaning up go first.
for pid in $(ip netns list | grep -oE '^wb[0-9]+' | sort -u | cut -c3-); do
  kill -0 "$pid" 2>/dev/null || "$0" down "wb$pid" /nonexistent
done

len=$(has second && echo 25 || echo 24)
ip netns add "$sw"
ip -n "$sw" link set lo up
for br in br0 $(has second && echo br1); do
  ip -n "$sw" link add "$br" type bridge
  ip -n "$sw" link set "$br" up
done

n=0
# node NAMESPACE DEVICE BRIDGE ETHERNET [LAST_OCTET]
node() {
  local ns=$p$1 dev=$2 v=v$((n++))
  if [ "$dev" = eth0 ]; then ip netns add "$ns" && ip -n "$ns" link set lo up; fi
  ip -n "$sw" link add $v type veth peer name "$dev" netns "$ns"
  ip -n "$sw" link set $v master "$3" up
  ip -n "$ns" link set "$dev" address "$4"
  if [ -n "${5:-}" ]; then
    ip -n "$ns" addr add "$net.$5/$len" dev "$dev"
    if has ipv6 && [ "$3" = br0 ]; then
      ip -n "$ns" addr add "2001:db8::$5/64" dev "$dev" nodad
      ip -n "$ns" addr add "fe80::$5/64" dev "$dev" nodad
    fi
  fi
  ip -n "$ns" link set "$dev" up
}
node h eth0 br0 02:00:5e:00:00:37 37
for i in 0 1 2; do node p$((i + 1)) eth0 br0 02:00:5e:00:00:1$i 1$i; done
ip -n "${p}h" route add default dev eth0
if has sink; then
  # Every other address of the subnet lives here, so that polls can be counted.
  node sk eth0 br0 02:00:5e:00:00:fe
  for k in $(seq 1 254); do
    case $k in 10 | 11 | 12 | 37) ;; *) echo "addr add $net.$k/24 dev eth0" ;; esac
  done | ip -n "${p}sk" -batch -
fi
if has second; then
  node h eth1 br1 02:00:5e:00:01:37 137
  node p4 eth0 br1 02:00:5e:00:00:40 140
  ip -n "${p}h" link add dn0 type veth peer name dn1
fi

start() {
  "$@" </dev/null >/dev/null 2>&1 &
  echo $! >>"$work/pids"
}
if has sleeper; then
  # Asleep: its link is down until the watcher on the bridge sees its wake-up frame.
  node p5 eth0 br0 02:00:5e:00:00:13 13
  ip -n "${p}p5" link set eth0 down
  start ip netns exec "$sw" lab_tool sleeper br0 02-00-5e-00-00-13 2000 "${p}p5"
fi

# The host's own name resolves to its lab address; peers .10 and .11 have names, .12 has
# not; the resolver points at nothing, so unknown names fail at once.
mkdir -p "/etc/netns/${p}h"
printf '127.0.0.1\tlocalhost\n%s.37\t%s\n%s.10\tpeer-a\n%s.11\tpeer-b\n' \
  $net "$(cat /proc/sys/kernel/hostname)" $net $net >"/etc/netns/${p}h/hosts"
printf 'nameserver 127.0.0.1\noptions timeout:1 attempts:1\n' >"/etc/netns/${p}h/resolv.conf"

recorders="p1 p2 p3"
if has second; then recorders+=" p4"; fi
if has sink; then recorders+=" sk"; fi
for r in $recorders; do start ip netns exec "$p$r" lab_tool record 2304,40000 "$work/$r.rec"; done
# A recorder creates its file once it is bound.
for r in $recorders; do
  for _ in $(seq 500); do if [ -e "$work/$r.rec" ]; then break; fi; sleep 0.01; done
  [ -e "$work/$r.rec" ] || { echo "recorder did not start in $p$r" >&2; exit 1; }
done
