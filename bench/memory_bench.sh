#!/usr/bin/env bash
# Peak resident memory (GNU time's %M, in KiB) of the commands that read input of any size:
# import of a big ethers file and of endless NUL bytes, send - of many addresses, check,
# export in each format and wake of a big host list. wake and send go to 127.0.0.1 only;
# the script runs itself inside a network namespace of its own.
#   bench/memory_bench.sh [BUILD_DIR or WAKEBURST_BINARY]      (default: build)
# Sizes: HOSTS host-list lines (default 5,500,000, about 200 MB), ETHERS ethers lines
# (default 6,500,000, about 200 MB), ADDRESSES lines into send - (default 2,000,000).
set -euo pipefail

if [[ "${WAKEBURST_IN_NETNS:-}" != 1 ]]; then
    exec unshare --net env WAKEBURST_IN_NETNS=1 bash "$0" "$@"
fi
ip link set lo up

arg=${1:-build}
cli=$([[ -d "$arg" ]] && realpath "$arg/src/cli/wakeburst" || realpath "$arg")
hosts=${HOSTS:-5500000}
ethers=${ETHERS:-6500000}
addresses=${ADDRESSES:-2000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v n="$hosts" 'BEGIN { for (i = 0; i < n; i++)
    printf "10.%d.%d.%d\tpc%d\t00-a0-c9-%02x-%02x-%02x\r\n",
        int(i / 65536) % 256, int(i / 256) % 256, i % 256, i,
        int(i / 65536) % 256, int(i / 256) % 256, i % 256 }' >"$work/big.mp"
# The hosts by address, not by name: a name would cost a lookup a line, and time is not what
# is measured here.
awk -v n="$ethers" 'BEGIN { for (i = 0; i < n; i++)
    printf "00:a0:c9:%02x:%02x:%02x 10.%d.%d.%d\n", int(i / 65536) % 256, int(i / 256) % 256,
        i % 256, int(i / 65536) % 256, int(i / 256) % 256, i % 256 }' >"$work/big.ethers"
echo "inputs: host list $(( $(stat -c %s "$work/big.mp") / 1000000 )) MB ($hosts lines)," \
     "ethers $(( $(stat -c %s "$work/big.ethers") / 1000000 )) MB ($ethers lines)"

# Prints the peak RSS and the exit code of one command line (run by bash).
measure() {
    local label=$1 line=$2
    /usr/bin/time -f %M -o "$work/rss" bash -c "$line" >/dev/null 2>"$work/err" && rc=0 || rc=$?
    printf '%-28s %8s KiB  exit %s\n' "$label" "$(tail -1 "$work/rss")" "$rc"
}

export WB="$cli" W="$work"
measure "import ethers" 'exec "$WB" import "$W/big.ethers" -o "$W/out.mp"'
measure "import - </dev/zero 300MB" 'head -c 300000000 /dev/zero | exec "$WB" import - -o "$W/z.mp"'
for n in 100000 "$addresses"; do
    measure "send - ($n lines)" \
        "yes 00-a0-c9-12-34-56 | head -n $n | exec \"\$WB\" send --to 127.0.0.1 -"
done
measure "check" 'exec "$WB" check "$W/big.mp"'
for format in csv ethers json; do
    measure "export --format $format" "exec \"\$WB\" export --format $format \"\$W/big.mp\""
done
measure "wake" 'exec "$WB" wake --to 127.0.0.1 --dir "$W" "$W/big.mp"'
