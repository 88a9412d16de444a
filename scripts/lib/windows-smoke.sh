#!/usr/bin/env bash
# Smoke test of wakeburst.exe under Wine: version, a frame to 127.0.0.1 that must arrive
# intact (sent once in each language), a host list read, and the exits for bad input. Sends
# to 127.0.0.1 only.
set -euo pipefail
exe=$1
data="$(cd "$(dirname "$0")/../.." && pwd)/tests/data/hostlist"
fail() { echo "windows smoke: $*" >&2; exit 1; }

out=$(wine "$exe" --version) || fail "--version exited $?"
[[ $out == "wakeburst "* ]] || fail "--version printed '$out'"

# Wine takes the UI language from LC_ALL, even for a locale the host has not generated
# (whose file names it would misread: nothing here names a file): the tool speaks Chinese
# under zh_CN and English under en_US.
frames=$(mktemp -d)
python3 - "$frames" <<'PY' &
import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 2304))
s.settimeout(30)
open(sys.argv[1] + "/ready", "w").close()
for i in range(2):
    data, _ = s.recvfrom(2048)
    open("%s/%d" % (sys.argv[1], i), "wb").write(data)
PY
receiver=$!
for _ in $(seq 100); do [ -e "$frames/ready" ] && break; sleep 0.1; done
out=$(LC_ALL=zh_CN.UTF-8 wine "$exe" send 00:A0:C9:12:34:56 --to 127.0.0.1) || fail "send exited $?"
[ "$out" = "发送到 127.0.0.1" ] || fail "send under zh_CN printed '$out'"
out=$(LC_ALL=en_US.UTF-8 wine "$exe" send 00:A0:C9:12:34:56 --to 127.0.0.1) || fail "send exited $?"
[ "$out" = "sent to 127.0.0.1" ] || fail "send under en_US printed '$out'"
wait "$receiver" || fail "two frames did not arrive on 127.0.0.1:2304"
want=$(python3 -c 'print((b"\xff" * 6 + bytes.fromhex("00a0c9123456") * 16).hex())')
for i in 0 1; do
  got=$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().hex())' "$frames/$i")
  [ "$got" = "$want" ] || fail "frame $i received was $got"
done
rm -rf "$frames"

wine "$exe" check "$data/written_by_scan.mp" >/dev/null || fail "check of a host list exited $?"

set +e
wine "$exe" send 00-A0-C9-12-34 --to 127.0.0.1 2>/dev/null
rc=$?
set -e
[ $rc = 2 ] || fail "a bad Ethernet address exited $rc, not 2"
echo "windows smoke: passed"
