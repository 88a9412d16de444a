#!/usr/bin/env bash
# Start-up of the desktop program against a bare Qt main window with Chinese menus and Qt's
# Chinese translation (bench/bare_window.cpp), in one run on one Xvfb server, the two
# interleaved (each pair in alternating order) with a kept home: from the exec of the
# program until its main window is first exposed, and the peak resident memory.
#
# Each program prints "shown NS" (the monotonic clock) at its window's first exposure and
# ends (dawnly with WAKEBURST_SHOWN_STAMP and WAKEBURST_EXIT_WHEN_SHOWN set). /usr/bin/time
# runs a small launcher that prints the same clock and execs the program (which inherits its
# alarm: a start that never shows a window ends after a minute).
# Runs in a network namespace of its own (dawnly arms its alarm scheduler).
#   bench/startup_bench.sh [BUILD_DIR] [PAIRS]      (defaults: build, 15)
# Needs: xvfb, GNU time (/usr/bin/time), a C compiler.
set -euo pipefail

if [[ "${WAKEBURST_IN_NETNS:-}" != 1 ]]; then
    exec unshare --net env WAKEBURST_IN_NETNS=1 bash "$0" "$@"
fi
ip link set lo up 2>/dev/null || true

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
pairs="${2:-15}"
dawnly="$build/src/gui/shell/dawnly"
bare="$build/bench/bare_window"
for p in "$dawnly" "$bare"; do
    [[ -x "$p" ]] || { echo "no $p: build dawnly and bare_window first" >&2; exit 2; }
done

work="$(mktemp -d)"
xvfb_pid=""
cleanup() { [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

cat >"$work/launch.c" <<'EOF'
#include <stdio.h>
#include <time.h>
#include <unistd.h>
int main(int argc, char** argv) {
    struct timespec t;
    alarm(60);
    clock_gettime(CLOCK_MONOTONIC, &t);
    printf("start %lld\n", (long long)t.tv_sec * 1000000000LL + t.tv_nsec);
    fflush(stdout);
    (void)argc;
    execv(argv[1], argv + 1);
    return 127;
}
EOF
cc -O2 -o "$work/launch" "$work/launch.c"

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb HOME="$work/home" \
       XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config" \
       XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/run" \
       WAKEBURST_SHELL_SERVER="wakeburst-bench-$$" WAKEBURST_EXIT_WHEN_SHOWN=1 \
       WAKEBURST_SHOWN_STAMP=1
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$HOME"
cd "$HOME"

# One start of each in the fresh home first: registers the desktop files, fills the font
# cache and warms the file cache; every measured start then finds a kept home.
"$work/launch" "$dawnly" >/dev/null 2>&1 || true
"$work/launch" "$bare" >/dev/null 2>&1 || true
sleep 1

# Prints "US KB CPU" for one start of $1: microseconds from exec to the first exposure, the
# peak RSS and the processor time (microseconds) the program had used by then.
measure() {
    local out start shown cpu
    out="$(/usr/bin/time -f %M -o "$work/rss" "$work/launch" "$1" 2>/dev/null)" || true
    start="$(sed -n 's/^start //p' <<<"$out")"
    read -r shown cpu < <(sed -n 's/^shown //p' <<<"$out")
    [[ -n "$shown" ]] || { echo "$1 showed no window" >&2; exit 1; }
    echo "$(( (shown - start) / 1000 )) $(cat "$work/rss") $cpu"
}

: >"$work/dawnly" && : >"$work/bare"
for i in $(seq "$pairs"); do
    if (( i % 2 )); then
        measure "$dawnly" >>"$work/dawnly"; measure "$bare" >>"$work/bare"
    else
        measure "$bare" >>"$work/bare"; measure "$dawnly" >>"$work/dawnly"
    fi
done

python3 - "$work/dawnly" "$work/bare" "$pairs" <<'PY'
import statistics, sys
d = [tuple(map(int, l.split())) for l in open(sys.argv[1])]
b = [tuple(map(int, l.split())) for l in open(sys.argv[2])]
med = lambda xs: statistics.median(xs)
dt, bt = med([x[0] for x in d]) / 1000, med([x[0] for x in b]) / 1000
dr, br = med([x[1] for x in d]) / 1024, med([x[1] for x in b]) / 1024
pair = med([x[0] / y[0] for x, y in zip(d, b)])
dc, bc = med([x[2] for x in d]) / 1000, med([x[2] for x in b]) / 1000
print(f"pairs: {sys.argv[3]}, interleaved, one Xvfb, kept home")
print(f"exec to window exposed, median: dawnly {dt:.1f} ms, bare window {bt:.1f} ms")
print(f"ratio of medians {dt / bt:.2f}x, median of pair ratios {pair:.2f}x (target at most 1.1x)")
print(f"processor time by then, median: dawnly {dc:.1f} ms, bare window {bc:.1f} ms ({dc / bc:.2f}x)")
print(f"peak RSS, median: dawnly {dr:.1f} MB, bare window {br:.1f} MB, "
      f"difference {dr - br:.1f} MB (target at most 5 MB)")
PY
