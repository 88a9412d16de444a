#!/usr/bin/env bash
# Start-up of the desktop program under Xvfb: from process start until the main window is
# exposed (the program then ends at once, so each figure also holds its exit), and the
# peak resident memory. Runs in a network namespace of its own.
#   bench/startup_bench.sh [BUILD_DIR] [RUNS]      (defaults: build, 20)
# Needs: xvfb, GNU time (/usr/bin/time).
set -euo pipefail

if [[ "${WAKEBURST_IN_NETNS:-}" != 1 ]]; then
    exec unshare --net env WAKEBURST_IN_NETNS=1 bash "$0" "$@"
fi
ip link set lo up 2>/dev/null || true

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-20}"
dawnly="$build/src/gui/shell/dawnly"
[[ -x "$dawnly" ]] || { echo "no dawnly at $dawnly: build it first" >&2; exit 2; }

work="$(mktemp -d)"
xvfb_pid=""
cleanup() { [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/xdg" \
       XDG_RUNTIME_DIR="$work/run" WAKEBURST_SHELL_SERVER="wakeburst-bench-$$" \
       WAKEBURST_EXIT_WHEN_SHOWN=1 WAKEBURST_NO_DESKTOP_CACHE=1
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
cd "$work"

"$dawnly" >/dev/null 2>&1 || true   # warm the file cache; registers the desktop files
times=()
rss=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/rss" "$dawnly" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
    rss+=("$(cat "$work/rss")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}'; }
max() { printf '%s\n' "$@" | sort -n | tail -1; }
echo "runs: $runs"
echo "start to window shown: median $(median "${times[@]}") ms, max $(max "${times[@]}") ms"
echo "peak RSS: median $(( $(median "${rss[@]}") / 1024 )) MB, max $(( $(max "${rss[@]}") / 1024 )) MB"
