# Faults from outside, through the command line: host lists, alarm stores and wake logs that
# are no files, damaged or huge; paths GBK cannot hold; refusals of values with control
# characters. POSIX only (FIFOs, devices, mounts); `timeout` turns a wait for ever into a
# failure; `memcap` limits the address space, so that holding a whole input fails. The
# memory of the core's readers is measured in tests/reliability/fault_test.cpp.

== a host list that is a device or a FIFO is refused at once
posix
$ timeout 10 wakeburst check /dev/zero
! wakeburst check: Cannot open /dev/zero for reading. (not a regular file)
? 1
$ mkfifo f.mp && timeout 10 wakeburst check f.mp
! wakeburst check: Cannot open f.mp for reading. (not a regular file)
? 1

== binary data and a 1 MB line of addresses are read to the end
# The line is read in pieces of 254 bytes: an address that a cut splits is lost, one that
# lies whole inside a piece is taken; 31,696 of the 33,826 do.
$ python3 -c 'import sys; sys.stdout.buffer.write(bytes((i * 131 + i // 7) & 255 for i in range(3 * 65536)))' >bin.mp && wakeburst check bin.mp >/dev/null 2>&1; echo $?
> 0
$ python3 -c 'print("198.51.100.9 02-00-5e-00-00-09 " * 33826, end="\r\n")' >line.mp && wakeburst check line.mp 2>/dev/null | uniq -c
>   31696 02-00-5e-00-00-09

== endless input is refused in one line, a long host list is read as it is used
posix
# Under limits of the address space that holding the input would exceed.
$ head -c 300000000 /dev/zero | memcap 200000 wakeburst import - -o x.mp; echo "exit $?"; test ! -e x.mp
! wakeburst import: line 1 of - is longer than 4096 bytes; nothing was written
> exit 1
$ yes 02-00-5e-00-00-10 | memcap 200000 wakeburst send --to 127.0.0.1 -
! wakeburst send: standard input holds more than 100000 addresses; nothing was sent
? 1
$ yes '198.51.100.7 02-00-5e-00-00-07' | head -n 300000 >big.mp; memcap 20000 wakeburst check big.mp | uniq -c
>  300000 02-00-5e-00-00-07
$ memcap 20000 wakeburst export --format json big.mp | tail -n 2
>   {"ip":"198.51.100.7","name":"","mac":"02:00:5e:00:00:07"}
> ]
$ memcap 20000 wakeburst wake --port 2305 --to 127.0.0.1 big.mp
> 	woke 300000 hosts in big.mp

== a sparse gigabyte store is refused by a load and by a change
posix
+ g.mp 198.51.100.7 pc7 02-00-5e-00-00-07\r\n
+ DwnGs @reliability/two_records.DwnGs
# A good store at its start, so only its size can refuse it; a change reads it the same way.
$ truncate -s 1G DwnGs
: alarms list
! wakeburst alarms list: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
: alarms add --file g.mp --days mon --time 07:30
! wakeburst alarms add: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1

== a store that is a FIFO, a link to an endless device or a device is damaged, never waited on
posix
+ g.mp 198.51.100.7 02-00-5e-00-00-07\r\n
$ mkfifo DwnGs && timeout 10 wakeburst alarms list
! wakeburst alarms list: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
$ timeout 10 wakeburst alarms add --file g.mp --days mon --time 07:30
! wakeburst alarms add: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
$ rm DwnGs && ln -s /dev/zero DwnGs && timeout 10 wakeburst alarms list
! wakeburst alarms list: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
$ timeout 10 wakeburst alarms add --file g.mp --days mon --time 07:30
! wakeburst alarms add: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
# A device node of its own (root only): a check that only refused links would read it.
$ rm DwnGs && { mknod DwnGs c 1 5 2>/dev/null || exit 77; } && timeout 10 wakeburst alarms add --file g.mp --days mon --time 07:30
! wakeburst alarms add: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1

== damaged stores and every cut of a good one are refused with the message and left on disk
posix
+ DwnGs @alarm/damaged.DwnGs
+ good @reliability/two_records.DwnGs
: alarms list
! wakeburst alarms list: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
# Each row and each cut as the store: "refused" when the list showed nothing, told the
# message above and left the store as it was.
$ wakeburst alarms list 2>told; try() { cp "$1" before && cp "$1" DwnGs && wakeburst alarms list >out 2>err; [ $? = 1 ] && [ ! -s out ] && cmp -s err told && cmp -s DwnGs before && echo refused || echo "$2 taken"; }; grep -v '^#' "$DATA/../reliability/damaged_stores.cases" | while IFS='|' read -r name hex; do python3 -c 'import sys; sys.stdout.buffer.write(bytes.fromhex(sys.argv[1]))' "$hex" >row && try row "$name"; done | uniq -c; for n in $(seq 0 $(($(stat -c %s good) - 1))); do head -c $n good >cut && try cut "cut at $n"; done | uniq -c; cp good DwnGs && wakeburst alarms list | cut -c1-26
>       9 refused
>     385 refused
> 1	-M-----	07:30	198.51.100
> 2	-M-----	07:30	198.51.100

== paths that GBK cannot hold come back from the store unchanged
posix
+ g.mp 198.51.100.7 02-00-5e-00-00-07\r\n
+ éé.mp
: alarms add --file éé.mp --days mon --time 07:30
~ DwnGs /\xa8\xa6\xa8\xa6.mp\x04
$ wakeburst alarms list | here
> 1	-M-----	07:30	255.255.255.255	./éé.mp
# Bytes that are no UTF-8 (path and broadcast), and a path of 70,006 bytes: loaded, and
# written back byte for byte when another alarm is added and removed again.
$ printf '\x01\x00\xff\xff\x01\x00\x0d\x00CAlarmSetting\x0d/srv/\xff\xfe\x80/g.mp\xfe\x00\x00\x00\x00\x00\x00\x00\x00\x0d/srv/\xff\xfe\x80/g.mp' >DwnGs && cp DwnGs before && wakeburst alarms list && wakeburst alarms add --file g.mp --days mon --time 07:30 && wakeburst alarms remove 2 && cmp before DwnGs
> 1	SMTWTFS	00:00	/srv/\xFF\xFE\x80/g.mp	/srv/\xFF\xFE\x80/g.mp
$ python3 -c 'import sys; p = b"/srv/x" + b"x" * 70000; sys.stdout.buffer.write(b"\x01\0\xff\xff\x01\0\x0d\0CAlarmSetting\xff\xff\xff" + len(p).to_bytes(4, "little") + p + b"\xfe" + bytes(8) + b"\x0e198.51.100.255")' >DwnGs && cp DwnGs before && wakeburst alarms list | wc -c && wakeburst alarms add --file g.mp --days mon --time 07:30 && wakeburst alarms remove 2 && cmp before DwnGs
> 70038

== a wake log that is a directory or a FIFO loses only its entry
posix
+ two.mp 198.51.100.1 02-00-5e-00-00-01\r\n198.51.100.2 02-00-5e-00-00-02\r\n
$ mkdir -p d/Dawnly.log && wakeburst wake -q two.mp --to 127.0.0.1 --dir d
% 2 02005e000001 02005e000002
$ mkdir f && mkfifo f/Dawnly.log && timeout 10 wakeburst wake -q two.mp --to 127.0.0.1 --dir f
% 2 02005e000001 02005e000002
# With a reader that keeps the FIFO open: nothing may reach it.
$ mkdir r && mkfifo r/Dawnly.log && exec 3<>r/Dawnly.log && timeout 10 wakeburst wake -q two.mp --to 127.0.0.1 --dir r && { read -r -t 1 -n 1 c <&3 && echo "the entry went into the FIFO" || true; }
% 2 02005e000001 02005e000002

== a wake log on a full disk is left as it was, and the wake goes on
posix
+ two.mp 198.51.100.1 02-00-5e-00-00-01\r\n198.51.100.2 02-00-5e-00-00-02\r\n
# The old log ends 20 bytes before a page boundary: a new entry would be cut there.
$ unshare --mount true 2>/dev/null || exit 77; unshare --mount bash -c 'mkdir full && mount -t tmpfs -o size=64k tmpfs full || exit 4; { head -c 4074 /dev/zero | tr "\0" o; printf "\r\n"; } >old && cp old full/Dawnly.log && dd if=/dev/zero of=full/fill bs=4k 2>/dev/null; wakeburst wake -q two.mp --to 127.0.0.1 --dir full && cmp old full/Dawnly.log && echo kept'
> kept
% 2 02005e000001 02005e000002
# Another program appends its entry while ours is on its way (the shell holds the log's lock
# until wakeburst says it waits for it): ours fails on the full disk and takes out only its
# own bytes.
$ unshare --mount bash -c 'mkdir full2 && mount -t tmpfs -o size=64k tmpfs full2 || exit 4; cp old full2/Dawnly.log && dd if=/dev/zero of=full2/fill bs=4k 2>/dev/null; exec 3>>full2/Dawnly.log && flock 3 || exit 4; : >err; wakeburst wake -q two.mp --to 127.0.0.1 --dir full2 2>err & pid=$!; until grep -q Dawnly.log err; do kill -0 $pid 2>/dev/null || { echo "it did not wait for the lock"; break; }; sleep 0.1; done; printf "theirs\r\n" >&3 && flock -u 3 && wait $pid && printf "theirs\r\n" | cat old - | cmp - full2/Dawnly.log && echo theirs kept; cat err'
> theirs kept
> wakeburst wake: Waiting for another program to release {dir}/full2/Dawnly.log ...
% 2 02005e000001 02005e000002
# A lock that another program (anyone who may read the log) never lets go holds up nobody
# for ever: the wait is told once, and the entry is written without the lock after a while.
$ exec 3>>Dawnly.log && flock 3 && wakeburst wake -q two.mp --to 127.0.0.1; echo "exit $?"; grep -c "2 hosts" Dawnly.log
! wakeburst wake: Waiting for another program to release {dir}/Dawnly.log ...
> exit 0
> 1
% 2 02005e000001 02005e000002

== links that another user planted in a shared sticky directory are not written through
posix
+ in.txt 00:a0:c9:12:34:56\n
+ g.mp 198.51.100.7 02-00-5e-00-00-07\r\n
# Made as user 65534, so root only. The kernel would not follow these links for us either.
$ [ "$(id -u)" = 0 ] || exit 77; echo old >victim && mkdir -m 1777 sh && for l in v.mp Dawnly.log; do setpriv --reuid=65534 --regid=65534 --clear-groups ln -s ../victim sh/$l; done && for l in new.mp DwnGs; do setpriv --reuid=65534 --regid=65534 --clear-groups ln -s ../made sh/$l; done
$ cd sh && wakeburst import ../in.txt -o v.mp
! wakeburst import: Refusing to write through v.mp, a symbolic link of another user.
? 1
$ cd sh && wakeburst import ../in.txt -o new.mp
! wakeburst import: Refusing to write through new.mp, a symbolic link of another user.
? 1
: alarms add --dir sh --file g.mp --days mon --time 07:30
! wakeburst alarms add: Refusing to write through {dir}/sh/DwnGs, a symbolic link of another user.
? 1
# The wake log's entry is lost, as for any log that cannot be opened; the wake goes on.
: wake -q g.mp --to 127.0.0.1 --dir sh
% 1 02005e000007
$ cat victim; test ! -e made && echo nothing made
> old
> nothing made
# The user's own link in the same place is written through and stays a link.
$ ln -s ../mine.mp sh/own.mp && cd sh && wakeburst import ../in.txt -o own.mp && test -L own.mp && wakeburst check ../mine.mp
> 00-a0-c9-12-34-56

== refusals are one line on stderr, the bytes of the value escaped
posix
: send --t\no x
! wakeburst send: unknown option --t\x0Ao
? 2
: check --\x1b[2J f.mp
! wakeburst check: unknown option --\x1B[2J
? 2
: scan --mask\r\nx=1
! wakeburst scan: unknown option --mask\x0D\x0Ax
? 2
: send --to a --to b
! wakeburst send: option --to given twice
? 2
: sen\n\x1b[2Jd
! wakeburst: unknown command 'sen\x0A\x1B[2Jd' (see wakeburst --help)
? 2
: scan --mask 255.255.\n\x1b[2J.0
! wakeburst scan: mask part 3 must be an integer from 0 to 255, not '\x0A\x1B[2J'
? 2
: scan --mask 255.\n\x1b[2J
! wakeburst scan: the mask must have four parts A.B.C.D, not '255.\x0A\x1B[2J'
? 2
: scan -o {dir}/missing\n\x1b[2J/x.mp
! wakeburst scan: Cannot open {dir}/missing\x0A\x1B[2J/x.mp for writing.
? 1
: alarms add --file g.mp --days mon\n\x1b[2J --time 07:30
! wakeburst alarms add: --days takes sun,mon,tue,wed,thu,fri,sat or all, not 'mon\x0A\x1B[2J'
? 2
: alarms add --file g.mp --days mon --time 07:3\n\x1b[2J
! wakeburst alarms add: --time takes HH:MM from 00:00 to 23:59, not '07:3\x0A\x1B[2J'
? 2
: alarms add --file g.mp --days mon --time 07:30 --to 1.2.3.\n\x1b[2J
! wakeburst alarms add: --to takes four numbers 0..255 joined by points, not '1.2.3.\x0A\x1B[2J'
? 2
: alarms remove 1\n\x1b[2J
! wakeburst alarms remove: no alarm '1\x0A\x1B[2J' (the list holds 0)
? 2
: tick --at '2026-12-07 07:3\n\x1b[2J'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-12-07 07:3\x0A\x1B[2J'
? 2
: check {dir}/gone\n\x1b[2J.mp
! wakeburst check: Cannot open {dir}/gone\x0A\x1B[2J.mp for reading. (No such file or directory)
? 1
: wake {dir}/gone\n\x1b[2J.mp --to 127.0.0.1 --dir {dir}
! wakeburst wake: Cannot open {dir}/gone\x0A\x1B[2J.mp for reading. (No such file or directory)
? 1
# Names that are never looked up outside: no network here.
$ unshare --net wakeburst send 0$'\n\x1b[2J'-a0-c9-12-34-56
! wakeburst send: Invalid Ethernet address: 0\x0A\x1B[2J-a0-c9-12-34-56 The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2
$ unshare --net wakeburst send 00-a0-c9-12-34-56 --to no-such$'\n\x1b[2J'.invalid
! wakeburst send: no-such\x0A\x1B[2J.invalid is not a valid IP address.
? 2
$ unshare --net wakeburst wake gone.mp --to no-such$'\n\x1b[2J'.invalid
! wakeburst wake: Error: no-such\x0A\x1B[2J.invalid is not a valid IP broadcast address. File: gone.mp
? 1
: alarms next --count 1\n2
! wakeburst alarms next: --count takes a number from 1 to 10000, not '1\x0A2'
? 2
: alarms next --from '2026-12-07\n07:00'
! wakeburst alarms next: --from takes a local time "YYYY-MM-DD HH:MM", not '2026-12-07\x0A07:00'
? 2
: export --format x\ny gone.mp
! wakeburst export: --format takes csv, ethers or json, not 'x\x0Ay'
? 2
: export gone\n.mp
! wakeburst export: Cannot open gone\x0A.mp for reading. (No such file or directory)
? 1
: import --format x\ny gone -o x.mp
! wakeburst import: --format takes auto, ethers, csv, plain, neigh or json, not 'x\x0Ay'
? 2
: import gone\n -o x.mp
! wakeburst import: cannot read gone\x0A (No such file or directory)
? 1
: log --tail 1\n
! wakeburst log: --tail takes a number of entries, not '1\x0A'
? 2

== a directory that is not there is refused by every command that keeps its files there
: alarms list --dir gone
! wakeburst alarms list: cannot read the directory gone (No such file or directory)
? 1
: alarms --json --dir gone
! wakeburst alarms list: cannot read the directory gone (No such file or directory)
? 1
: alarms next --dir gone
! wakeburst alarms next: cannot read the directory gone (No such file or directory)
? 1
: alarms add --file file --days mon --time 07:30 --dir gone
! wakeburst alarms add: cannot read the directory gone (No such file or directory)
? 1
: alarms remove 1 --dir gone
! wakeburst alarms remove: cannot read the directory gone (No such file or directory)
? 1
: log --dir gone
! wakeburst log: cannot read the directory gone (No such file or directory)
? 1
: tick --dir gone
! wakeburst tick: cannot read the directory gone (No such file or directory)
? 1
: run-alarms --dir gone
! wakeburst run-alarms: cannot read the directory gone (No such file or directory)
? 1

== a file given as the directory is refused too
posix
+ file
: run-alarms --dir {dir}/file
! wakeburst run-alarms: cannot read the directory {dir}/file (Not a directory)
? 1

== output that cannot be written in full is a failure, said on stderr
posix
+ g.mp 198.51.100.7 pc7 02-00-5e-00-00-07\r\n
+ Dawnly.log Monday, December 07, 2026 07:30\r\n
: alarms add --file g.mp --days mon --time 07:30
$ for c in 'alarms list' 'alarms list --json' 'alarms next' 'export g.mp' 'check g.mp' log 'send 00-a0-c9-12-34-56 --to 127.0.0.1' --help --version 'export --help'; do wakeburst $c 2>&1 >/dev/full; echo "$c: $?"; done
> wakeburst: write error: No space left on device
> alarms list: 1
> wakeburst: write error: No space left on device
> alarms list --json: 1
> wakeburst: write error: No space left on device
> alarms next: 1
> wakeburst: write error: No space left on device
> export g.mp: 1
> wakeburst: write error: No space left on device
> check g.mp: 1
> wakeburst: write error: No space left on device
> log: 1
> wakeburst: write error: No space left on device
> send 00-a0-c9-12-34-56 --to 127.0.0.1: 1
> wakeburst: write error: No space left on device
> --help: 1
> wakeburst: write error: No space left on device
> --version: 1
> wakeburst: write error: No space left on device
> export --help: 1
% 1 00a0c9123456
# A refusal that cannot be told is a failure too.
$ wakeburst send zz 2>/dev/full; echo $?
> 1
# A big list into a small file system, and into a pipe closed early with SIGPIPE ignored
# (as under a service manager): the part written is no success.
$ python3 -c 'print("".join("198.51.100.%d pc 02-00-5e-00-%02x-%02x\r\n" % (i % 250 + 1, i // 256, i % 256) for i in range(10001)), end="")' >big.mp && wakeburst export big.mp | wc -l
> 10002
$ unshare --mount true 2>/dev/null || exit 77; unshare --mount bash -c 'mkdir small && mount -t tmpfs -o size=64k tmpfs small || exit 4; wakeburst export big.mp >small/out.csv; echo "exit $?"'
! wakeburst: write error: No space left on device
> exit 1
$ trap '' PIPE; wakeburst export big.mp | head -n 1; echo "exit ${PIPESTATUS[0]}"
! wakeburst: write error: Broken pipe
> ip,name,mac
> exit 1
