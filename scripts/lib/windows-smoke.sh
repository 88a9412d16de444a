#!/usr/bin/env bash
# Smoke test of wakeburst.exe under Wine: version, a frame to 127.0.0.1 that must arrive
# intact, a host list read, and the exits for bad input. Sends to 127.0.0.1 only.
set -euo pipefail
exe=$1
data="$(cd "$(dirname "$0")/../.." && pwd)/tests/data/hostlist"
fail() { echo "windows smoke: $*" >&2; exit 1; }

out=$(wine "$exe" --version) || fail "--version exited $?"
[[ $out == "wakeburst "* ]] || fail "--version printed '$out'"

frame=$(mktemp)
python3 - "$frame" <<'PY' &
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 2304))
s.settimeout(30)
open(sys.argv[1] + ".ready", "w").close()
data, _ = s.recvfrom(2048)
open(sys.argv[1], "wb").write(data)
PY
receiver=$!
for _ in $(seq 100); do [ -e "$frame.ready" ] && break; sleep 0.1; done
out=$(wine "$exe" send 00:A0:C9:12:34:56 --to 127.0.0.1) || fail "send exited $?"
[ "$out" = "发送到 127.0.0.1" ] || fail "send printed '$out'"
wait "$receiver" || fail "no frame arrived on 127.0.0.1:2304"
want=$(python3 -c 'print((b"\xff" * 6 + bytes.fromhex("00a0c9123456") * 16).hex())')
got=$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().hex())' "$frame")
rm -f "$frame" "$frame.ready"
[ "$got" = "$want" ] || fail "the frame received was $got"

wine "$exe" check "$data/written_by_scan.mp" >/dev/null || fail "check of a host list exited $?"

set +e
wine "$exe" send 00-A0-C9-12-34 --to 127.0.0.1 2>/dev/null
rc=$?
set -e
[ $rc = 2 ] || fail "a bad Ethernet address exited $rc, not 2"
echo "windows smoke: passed"
