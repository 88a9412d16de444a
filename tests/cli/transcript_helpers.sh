# Helpers for the transcripts in tests/data/cli.

# json: reads one JSON document and prints it back one array element (or the whole
# document) per line with sorted keys, so that transcripts compare what was meant, not
# how it was spaced.
json() {
    python3 -c '
import json, sys
doc = json.load(sys.stdin)
for item in doc if isinstance(doc, list) else [doc]:
    print(json.dumps(item, sort_keys=True, ensure_ascii=False))'
}

# comp WORD...: what the installed completion offers for the last word, sorted, one a line.
comp() {
    . "$COMPLETION"
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _wakeburst
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}

# gbk FILE: a UTF-8 text with LF written as the system's files are (GBK, CR LF).
gbk() { sed 's/$/\r/' | iconv -f UTF-8 -t GB18030 >"$1"; }

# here: the output with this case's directory shown as "./" (the alarm store keeps
# absolute paths).
here() { sed "s|$PWD/|./|g"; }

# For run-alarms on a moved clock: `run ARGS` starts run-alarms in this directory under
# libfaketime, its wall clock offset by the seconds in ./clock (read at every call; steady
# time stays real); `at HH:MM:SS` sets that clock to a time of Monday 2026-12-07;
# `until_in FILE TEXT` waits for TEXT in FILE; `add_one HH:MM...` adds Monday alarms
# waking one_host.mp at 127.0.0.1.
export FAKETIME_TIMESTAMP_FILE="$PWD/clock" FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    NO_FAKE_STAT=1
# An instrumented build wants its own runtime first; the preloaded clock comes before.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0"
run() { LD_PRELOAD="$FAKETIME_LIB" exec wakeburst run-alarms "$@" >/dev/null; }
at() { printf %+d $(($(date -d "2026-12-07 $1" +%s) - $(date +%s))) >clock; }
until_in() {
    for _ in $(seq 150); do
        grep -q "$2" "$1" 2>/dev/null && return
        sleep 0.2
    done
    echo "no '$2' in $1" >&2
    exit 5
}
# adds N: N `alarms add` at once in ./N; per outcome "count exit-status listed error",
# then how many the list holds.
adds() {
    mkdir $1
    for i in $(seq 10 $((9 + $1))); do
        (wakeburst alarms add --dir $1 --file "$DATA/../alarm/one_host.mp" --days mon \
            --time 07:$i 2>err$i; echo $? >rc$i) &
    done
    wait
    wakeburst alarms list --dir $1 >list
    for i in $(seq 10 $((9 + $1))); do echo "$(cat rc$i) $(grep -c "	07:$i	" list) $(cat err$i)"; done |
        sort | uniq -c
    wc -l <list
}
trap 'kill $(jobs -p) 2>/dev/null' EXIT
add_one() {
    for t; do
        wakeburst alarms add --file "$DATA/../alarm/one_host.mp" --days mon --time "$t" \
            --to 127.0.0.1 || exit 3
    done
}

# failed_save ro|full|half: in a mount namespace of its own, a store on a 64 KiB tmpfs with
# fifteen alarms (fourteen with a path of 253 bytes: 281 bytes each, so that the store fills
# most of a 4 KiB page and one more alarm crosses into a second one); then the directory is
# made read-only, filled up, or filled but for one page, and one more alarm added. Prints
# the add's exit status, "kept" when the store is as before, and any other file by its name.
failed_save() {
    unshare --mount bash -c '
        set -u
        D=$PWD/$1 L=$PWD/$(printf "%0$((253 - ${#PWD} - 4))d" 0 | tr 0 g).mp
        mkdir "$D" && mount -t tmpfs -o size=64k tmpfs "$D" || exit 4
        printf "198.51.100.10 02-00-5e-00-00-10\r\n" >g.mp && : >"$L"
        wakeburst alarms add --dir "$D" --file g.mp --days mon --time 07:30 || exit 4
        for h in $(seq 10 23); do
            wakeburst alarms add --dir "$D" --file "$L" --days all --time $h:00 || exit 4
        done
        cp "$D/DwnGs" before
        size=$(stat -c %s before)
        [ $size -lt 4096 ] && [ $((size + 281)) -gt 4096 ] || exit 6
        case $1 in
        ro) mount -o remount,ro "$D" ;;
        full) dd if=/dev/zero of="$D/fill" bs=4k 2>/dev/null ;;
        half) dd if=/dev/zero of="$D/fill" bs=4k 2>/dev/null; truncate -s -4096 "$D/fill" ;;
        esac
        wakeburst alarms add --dir "$D" --file "$L" --days all --time 06:00
        echo "$1 $?"
        cmp -s before "$D/DwnGs" && echo kept
        ls -A "$D" | grep -v "^DwnGs$\|^fill$\|^DwnGs.lock$"
        true' _ "$1"
}

# memcap KIB COMMAND...: COMMAND with its address space limited to KIB (not under
# AddressSanitizer, whose shadow memory alone takes far more).
memcap() (
    ldd "$(command -v wakeburst)" | grep -q libasan || ulimit -v "$1"
    shift
    "$@"
)
