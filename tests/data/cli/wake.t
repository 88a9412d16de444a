# wakeburst wake, tick and run-alarms: what they print, the frames 127.0.0.1 gets and the
# wake log Dawnly.log (GBK, CR LF) they write.

== wake tells the list's bad lines and the count, logs them and fails; quiet keeps the bad lines
: wake {data}/alarm/three_hosts.mp --to 127.0.0.1
> 	Error in file {data}/alarm/three_hosts.mp
> 	Line 5: check the IP address and the Ethernet [MAC] address.
> 	woke 3 hosts in {data}/alarm/three_hosts.mp
! wakeburst wake: 1 line of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)
? 1
% 3 02005e000010 02005e000011 02005e000012
~ Dawnly.log \r\n\t\xbb\xbd\xd0\xd1 3 hosts \xd3\xda {data}/alarm/three_hosts.mp\r\n
: wake -q {data}/alarm/three_hosts.mp --to 127.0.0.1 --repeat 2 --interval 0
! wakeburst wake: Error in file {data}/alarm/three_hosts.mp Line 5: check the IP address and the Ethernet [MAC] address.
! wakeburst wake: 1 line of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)
? 1
% 6 02005e000010 02005e000011 02005e000012

== wake failures exit 1 and are logged too
: wake gone.mp --dir {dir} --to 127.0.0.1
! wakeburst wake: Cannot open gone.mp for reading. (No such file or directory)
? 1
~ Dawnly.log gone.mp .\r\n
: wake {data}/alarm/one_host.mp --to no-such-host.invalid
! wakeburst wake: Error: no-such-host.invalid is not a valid IP broadcast address. File: {data}/alarm/one_host.mp
? 1
~ Dawnly.log one_host.mp\r\r\n
: wake
! wakeburst wake: expects one host-list file
? 2

== a list written with colons wakes nobody: wake and check fail and say how to write it
+ c.mp 127.0.0.1 pc1 00:a0:c9:12:34:56\n
: wake c.mp --to 127.0.0.1
> 	Error in file c.mp
> 	Line 1: check the IP address and the Ethernet [MAC] address.
> 	woke 0 hosts in c.mp
! wakeburst wake: 1 line of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)
? 1
: check c.mp
! wakeburst check: Error in file c.mp Line 1: check the IP address and the Ethernet [MAC] address.
! wakeburst check: 1 line of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)
? 1
$ LANGUAGE= LC_ALL=C wakeburst wake -q c.mp --to 127.0.0.1
! wakeburst wake: 错误 文件:c.mp 行 1: 请检查IP地址和以太网[MAC]地址.
! wakeburst wake: 列表中有 1 行无法读取: 这里的以太网地址写作 00-a0-c9-12-34-56 (wakeburst import 可以转换其他写法, 如 00:a0:c9:12:34:56)
? 1

== the bad lines a report leaves out are one message, counted alike on the screen and in the log
$ yes 198.51.100.1 | head -20000 >big.mp; wakeburst wake -q big.mp --to 127.0.0.1 2>&1 | tail -2
> wakeburst wake: Error in file big.mp And 6057 more lines: check the IP address and the Ethernet [MAC] address.
> wakeburst wake: 20000 lines of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)
~ Dawnly.log \r\n\t\xb4\xed\xce\xf3 \xce\xc4\xbc\xfe:big.mp\r\n\t\xc1\xed\xd3\xd0 6057 \xd0\xd0:

== a hang-up during a wake gives every host its frame and logs the entry before it ends
# The wake goes to a listener of the script's own, which tells when the first frame is in.
$ python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 2305)); open("ready", "w").write("x"); s.recv(200); open("got", "w").write("x")' & until_in ready x; wakeburst wake --port 2305 --to 127.0.0.1 --repeat 100 --interval 1000 "$DATA/../alarm/one_host.mp" >out & until_in got x; kill -HUP $!; wait $!; echo "exit $?"; cat out
> exit 129
> 	woke 1 host in {data}/cli/../alarm/one_host.mp
~ Dawnly.log one_host.mp\r\n

== under the C locale the report on the screen is the log's own line, byte for byte
$ LANGUAGE= LC_ALL=C wakeburst wake --to 127.0.0.1 "$DATA/../alarm/two_hosts.mp"
> 	唤醒 2 hosts 于 {data}/cli/../alarm/two_hosts.mp
% 2

== under an English locale (LANG=en_US.UTF-8, LANGUAGE=en) the help, a refusal and the report are English
$ export LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 LANGUAGE=en; wakeburst wake --help | head -n 1; wakeburst wake; wakeburst wake --to 127.0.0.1 "$DATA/../alarm/two_hosts.mp"
> usage: wakeburst wake [options] FILE
! wakeburst wake: expects one host-list file
> 	woke 2 hosts in {data}/cli/../alarm/two_hosts.mp
% 2

== a name that is not UTF-8 is woken by its very bytes and shown escaped
+ caf\xe9a.mp 198.51.100.10 02-00-5e-00-00-10\r\n
: wake caf\xe9a.mp --to 127.0.0.1
> 	woke 1 host in caf\xE9a.mp
% 1 02005e000010

== tick wakes the alarms due at its minute and logs them
: alarms add --file {data}/alarm/two_hosts.mp --days mon --time 07:30 --to 127.0.0.1
: alarms add --file {data}/alarm/two_hosts.mp --days tue --time 07:30 --to 127.0.0.1
: tick --at '2026-12-07 07:30'
> 	woke 2 hosts in {data}/alarm/two_hosts.mp
% 2
= Dawnly.log Monday, December 07, 2026 07:30\r\n\t\xbb\xbd\xd0\xd1 2 hosts \xd3\xda {data}/alarm/two_hosts.mp\r\n
: tick --quiet --at '2026-12-08 07:30'
% 2

== tick refuses a bad time, and does nothing without a store
: tick --at '2026-02-30 07:30'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-02-30 07:30'
? 2
x DwnGs
: tick --at '2026-12-07 07:30'
x DwnGs

== tick fires nothing while another program runs the store's alarms
$ flock DwnGs.scheduler.lock wakeburst tick --at '2026-12-07 07:30'
! wakeburst tick: another program runs the alarms of {dir}/DwnGs
? 1
$ wakeburst tick

== parallel adds: each one stored says so, each past the sixteenth is refused, none is lost
$ adds 20
>      16 0 1 
>       4 1 0 wakeburst alarms add: No more than 16 alarms are allowed.
> 16
$ adds 10
>      10 0 1 
> 10

== run-alarms reads the store again when it changes, and stops on a signal
$ wakeburst run-alarms 2>err & sleep 0.5; add_one 07:30; sleep 0.8; kill -TERM $!; wait $! || echo "exit $?"; here <err
> wakeburst run-alarms: loaded 0 alarm(s) from ./DwnGs
> wakeburst run-alarms: loaded 1 alarm(s) from ./DwnGs

# The scripts start run-alarms a minute early and move its clock once it runs, since the
# minute a scheduler starts in is not looked at, however slowly it starts.
== run-alarms with its clock set back an hour fires at the new minutes
$ add_one 07:30 06:31; at 07:28:50; run 2>err & until_in err 'alarm(s)'; at 07:29:58; until_in Dawnly.log ' 07:30'; at 06:30:58; until_in Dawnly.log ' 06:31'; kill -TERM $!; wait $! || echo "exit $?"; grep -ao 'December 07, 2026 ..:..' Dawnly.log
> December 07, 2026 07:30
> December 07, 2026 06:31
% 2

== two run-alarms wake once, and the second takes over when the first ends
$ add_one 07:30 07:31; at 07:28:50; run 2>errA & a=$!; until_in errA 'alarm(s)'; run 2>errB & b=$!; until_in errB 'another program'; at 07:29:57; until_in Dawnly.log ' 07:30'; sleep 2; kill -TERM $a; wait $a || echo "exit $?"; until_in errB 'taking over'; at 07:30:58; until_in Dawnly.log ' 07:31'; sleep 1; kill -TERM $b; wait $b || echo "exit $?"; grep -ao 'December 07, 2026 ..:..' Dawnly.log; here <errB
> December 07, 2026 07:30
> December 07, 2026 07:31
> wakeburst run-alarms: loaded 2 alarm(s) from ./DwnGs
> wakeburst run-alarms: another program runs the alarms of ./DwnGs; waiting to take over
> wakeburst run-alarms: taking over the alarms of ./DwnGs
% 2

== run-alarms stopped for nine minutes logs the alarm it missed and fires the current one
$ add_one 07:30 07:33 07:40; at 07:28:50; LD_PRELOAD="$FAKETIME_LIB" wakeburst run-alarms >out 2>err & until_in err 'alarm(s)'; at 07:29:58; until_in Dawnly.log ' 07:30'; kill -STOP $!; at 07:40:05; kill -CONT $!; until_in out Missed; kill -TERM $!; wait $! || echo "exit $?"; cat out
> Monday, December 07, 2026 07:30
> 	woke 1 host in {data}/cli/../alarm/one_host.mp
> Monday, December 07, 2026 07:40
> 	Missed the alarm for {data}/cli/../alarm/one_host.mp (2026-12-07 07:33).
> Monday, December 07, 2026 07:40
> 	woke 1 host in {data}/cli/../alarm/one_host.mp
= Dawnly.log Monday, December 07, 2026 07:30\r\n\t\xbb\xbd\xd0\xd1 1 host \xd3\xda {data}/cli/../alarm/one_host.mp\r\nMonday, December 07, 2026 07:40\r\n\t\xb4\xed\xb9\xfd {data}/cli/../alarm/one_host.mp \xb5\xc4\xcc\xe1\xd0\xd1 (2026-12-07 07:33).\r\nMonday, December 07, 2026 07:40\r\n\t\xbb\xbd\xd0\xd1 1 host \xd3\xda {data}/cli/../alarm/one_host.mp\r\n
% 2

== lock files are private, and a change that waits long for the lock says so once
$ wakeburst tick; (flock DwnGs.lock bash -c 'echo x >held; for _ in $(seq 300); do grep -q DwnGs.lock err && break; sleep 0.1; done' >/dev/null 2>&1 &); until_in held x; timeout 60 wakeburst alarms add --file "$DATA/../alarm/one_host.mp" --days mon --time 07:30 2>err; echo "exit $?"; here <err; stat -c '%a %n' DwnGs.lock DwnGs.scheduler.lock
> exit 0
> wakeburst alarms add: Waiting for another program to release ./DwnGs.lock ...
> 600 DwnGs.lock
> 600 DwnGs.scheduler.lock

== a lock file of another user, or a link, is refused at once in one line
$ touch DwnGs.lock DwnGs.scheduler.lock; chown 65534 DwnGs.lock DwnGs.scheduler.lock
$ timeout 10 wakeburst tick
! wakeburst tick: cannot lock {dir}/DwnGs.scheduler.lock: owned by another user
? 1
$ timeout 10 wakeburst run-alarms
! wakeburst run-alarms: cannot lock {dir}/DwnGs.scheduler.lock: owned by another user
? 1
$ timeout 10 wakeburst alarms add --file "$DATA/../alarm/one_host.mp" --days mon --time 07:30
! wakeburst alarms add: Cannot create the file DwnGs. The alarms were not saved. {dir}/DwnGs.lock: owned by another user
? 1
$ rm DwnGs.scheduler.lock; ln -s elsewhere DwnGs.scheduler.lock; timeout 10 wakeburst tick; echo "exit $?"; ls
! wakeburst tick: cannot lock {dir}/DwnGs.scheduler.lock: a symbolic link
> exit 1
> DwnGs.lock
> DwnGs.scheduler.lock

== run-alarms and tick on a read-only directory say why, and fire nothing
# A missing one is refused with every other command that takes --dir (faults.t).
$ mkdir ro; unshare --mount bash -c 'mount -t tmpfs -o ro tmpfs ro && timeout 10 wakeburst run-alarms --dir ro; echo "exit $?"; wakeburst tick --dir ro'
! wakeburst run-alarms: cannot lock {dir}/ro/DwnGs.scheduler.lock: Read-only file system
> exit 1
! wakeburst tick: cannot lock {dir}/ro/DwnGs.scheduler.lock: Read-only file system
? 1
