#!/usr/bin/env bash
# The cost of the "who is awake" marks: the desktop program shows a host list of 250 hosts
# (198.51.100.1 to .250) under Xvfb for SECONDS, and the script reports the probe rate (TCP
# connection attempts and ICMP echoes the namespace sent) and the CPU time the program used.
# Runs in a network namespace of its own: ANSWERING of the addresses (.1 upwards) sit on
# its loopback and answer at once; the rest lie behind a veth pair where nobody answers.
#   bench/probe_bench.sh [BUILD_DIR] [SECONDS] [ANSWERING]    (defaults: build, 60, 50)
# Needs: xvfb, xdotool, nstat (iproute2).
set -euo pipefail

if [[ "${WAKEBURST_IN_NETNS:-}" != 1 ]]; then
    exec unshare --net env WAKEBURST_IN_NETNS=1 bash "$0" "$@"
fi
ip link set lo up

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
seconds="${2:-60}"
answering="${3:-50}"
dawnly="$build/src/gui/shell/dawnly"
[[ -x "$dawnly" ]] || { echo "no dawnly at $dawnly: build it first" >&2; exit 2; }

for i in $(seq "$answering"); do ip addr add "198.51.100.$i/32" dev lo; done
ip link add wbp0 type veth peer name wbp1
ip link set wbp0 up
ip link set wbp1 up
ip addr add 198.51.100.254/24 dev wbp0

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

for i in $(seq 250); do
    printf '198.51.100.%d\thost-%d\t02-00-5e-00-%02x-%02x\r\n' "$i" "$i" $((i / 256)) $((i % 256))
done >"$work/hosts250.mp"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/xdg" \
       XDG_CONFIG_HOME="$work/cfg" XDG_RUNTIME_DIR="$work/run" \
       WAKEBURST_SHELL_SERVER="wakeburst-probe-bench-$$" WAKEBURST_NO_DESKTOP_CACHE=1
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

(cd "$work" && exec "$dawnly" --shell-open "$work/hosts250.mp") >"$work/dawnly.log" 2>&1 &
pid=$!
pids+=("$pid")
win=""
for _ in $(seq 100); do
    win="$(xdotool search --onlyvisible --name 'Wakeburst Utility' 2>/dev/null | head -1)" && [[ -n "$win" ]] && break
    sleep 0.1
done
[[ -n "$win" ]] || { echo "dawnly did not show a window" >&2; cat "$work/dawnly.log" >&2; exit 1; }
sleep 2

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
sent() { nstat -az TcpActiveOpens IcmpOutEchos | awk '/TcpActiveOpens|IcmpOutEchos/ {n += $2} END {print n + 0}'; }
measure() {  # label
    local c0 s0 c1 s1
    nstat -n >/dev/null
    c0=$(cpu); s0=$(sent)
    sleep "$seconds"
    c1=$(cpu); s1=$(sent)
    awk -v l="$1" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v t="$seconds" -v hz="$ticks" 'BEGIN {
        printf "%-10s probes %7d (%6.1f/s)  cpu %6.2f s (%5.2f%% of one core)\n", l, s, s / t, c / hz, 100 * c / hz / t }'
}
measure shown
