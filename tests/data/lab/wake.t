# Commands run in the host namespace of the plain lab (tests/lab/lab_test.cpp says how the
# lines read). Peers 0, 1, 2 are 198.51.100.10 ("peer-a"), .11 ("peer-b") and .12 (no name).

== directed broadcast reaches every peer
: send 00-A0-C9-12-34-56 --to 198.51.100.255
> sent to 198.51.100.255
@ 0 1 2: 198.51.100.255 FRAME

== limited broadcast reaches every peer
: send 00-A0-C9-12-34-56 --to 255.255.255.255
> sent to 255.255.255.255
@ 0 1 2: 255.255.255.255 FRAME

== a name from the hosts file reaches that peer only
: send 00-A0-C9-12-34-56 --to peer-a
> sent to peer-a
@ 0: 198.51.100.10 FRAME

== a unicast address reaches that peer only
: send 00-A0-C9-12-34-56 --to 198.51.100.12
> sent to 198.51.100.12
@ 2: 198.51.100.12 FRAME

== a name that does not resolve sends nothing
: send 00-A0-C9-12-34-56 --to nobody.invalid
! wakeburst send: nobody.invalid is not a valid IP address.
? 2

== a frame refused in the middle of many names that host alone; the frames after it leave
# Frames go out many to a system call; the host's own filter refuses the frames of host 64
# (the first of a call) and of host 200 (inside one), counting the frames it lets through.
$ nft 'add table ip refuse; add chain ip refuse out { type filter hook output priority 0; }; add rule ip refuse out udp dport 2304 @th,112,48 0x02005e000040 drop; add rule ip refuse out udp dport 2304 @th,112,48 0x02005e0000c8 drop; add rule ip refuse out udp dport 2304 counter'
$ for i in $(seq 0 299); do printf '02-00-5e-00-%02x-%02x\n' $((i / 256)) $((i % 256)); done | wakeburst send - --to 127.0.0.1 --repeat 2 --interval 0; echo "exit $?"; nft list table ip refuse | grep -o 'packets [0-9]*'; nft delete table ip refuse
> exit 1
> packets 596
! wakeburst send: 127.0.0.1: Operation not permitted (02-00-5e-00-00-40)
! wakeburst send: 127.0.0.1: Operation not permitted (02-00-5e-00-00-c8)

== scan: an output that cannot be written stops it before the poll
: scan -o missing/hosts.mp
! wakeburst scan: Cannot open missing/hosts.mp for writing.
? 1

== scan: another user's link at temp.mp in a shared sticky directory is not written through
# The capture is refused, so the scan stops: the listing at that name is none of its own.
$ echo old >victim && mkdir -m 1777 sh && setpriv --reuid=65534 --regid=65534 --clear-groups ln -s ../victim sh/temp.mp && cd sh && wakeburst scan --mask 255.255.255.254 -o list.mp; echo "exit $?"; cat ../victim; ls
> exit 1
> old
> temp.mp
! wakeburst scan: Getting the IP address of this host
! wakeburst scan: Polling all hosts of the local network.
! wakeburst scan: Reading the ARP cache.
! wakeburst scan: Refusing to write through temp.mp, a symbolic link of another user.
! wakeburst scan: Cannot read the ARP cache.

== scan: a refused mask sends nothing (the mask rules are tested on their own)
: scan --mask 255.255.255.255
! wakeburst scan: mask part 4 must be an integer from 0 to 254, not '255'
? 2

== scan: a mask of three parts sends nothing
: scan --mask 255.255.255
! wakeburst scan: the mask must have four parts A.B.C.D, not '255.255.255'
? 2

== scan: a positional argument sends nothing
: scan hosts.mp
! wakeburst scan: takes no positional arguments
? 2

== the local address is the host's own
$ lab_tool local
> 198.51.100.37

== a lookup finds a named peer
$ lab_tool lookup 198.51.100.10
> peer-a

== a lookup of an unnamed peer reports it once: the address, a line feed, the reason
$ lab_tool lookup 198.51.100.12 2>err; echo "exit $?"; head -1 err; grep -c ^MSG err
> *名称未被发现*
> exit 0
> MSG 198.51.100.12
> 1

== a lookup of the limited broadcast is the unknown error
$ lab_tool lookup 255.255.255.255
> *名称未被发现*
! MSG Unknown error!!!

== scan finds every peer, polls each three times at its own address and writes the list
$ ip neigh flush all; wakeburst scan 2>err; echo "exit $?"; head -5 err; wc -l <err
> 新建组.mp
> exit 0
> wakeburst scan: Getting the IP address of this host
> wakeburst scan: Polling all hosts of the local network.
> wakeburst scan: Reading the ARP cache.
> wakeburst scan: Mapping the IP addresses to host names.
> wakeburst scan: 198.51.100.12 Host not found, or server failure.
> 5
@ 0: 198.51.100.10 446f6f646168
@ 0: 198.51.100.10 446f6f646168
@ 0: 198.51.100.10 446f6f646168
@ 1: 198.51.100.11 446f6f646168
@ 1: 198.51.100.11 446f6f646168
@ 1: 198.51.100.11 446f6f646168
@ 2: 198.51.100.12 446f6f646168
@ 2: 198.51.100.12 446f6f646168
@ 2: 198.51.100.12 446f6f646168
$ tail -c +20 "$DATA/lab/peers.mp" | sed 's/\t\t/\t*\xc3\xfb\xb3\xc6\xce\xb4\xb1\xbb\xb7\xa2\xcf\xd6*\t/' | cat "$DATA/hostlist/header_only.mp" - | cmp - 新建组.mp && ls
> err
> 新建组.mp
: check 新建组.mp
> 02-00-5e-00-00-10
> 02-00-5e-00-00-11
> 02-00-5e-00-00-12

== scan finds a peer that misses the first address request and answers the second
# Peer 2 drops the first request for its address (the counter shows that it did).
$ ip netns exec ${LAB}p3 nft 'add table arp lossy; add chain arp lossy in { type filter hook input priority 0; }; add rule arp lossy in arp operation request arp daddr ip 198.51.100.12 quota until 50 bytes counter drop'
$ ip neigh flush all; wakeburst scan 2>/dev/null; echo "exit $?"
> 新建组.mp
> exit 0
@ 0: 198.51.100.10 446f6f646168
@ 0: 198.51.100.10 446f6f646168
@ 0: 198.51.100.10 446f6f646168
@ 1: 198.51.100.11 446f6f646168
@ 1: 198.51.100.11 446f6f646168
@ 1: 198.51.100.11 446f6f646168
@ 2: 198.51.100.12 446f6f646168
@ 2: 198.51.100.12 446f6f646168
@ 2: 198.51.100.12 446f6f646168
$ tail -c +20 "$DATA/lab/peers.mp" | sed 's/\t\t/\t*\xc3\xfb\xb3\xc6\xce\xb4\xb1\xbb\xb7\xa2\xcf\xd6*\t/' | cat "$DATA/hostlist/header_only.mp" - | cmp - 新建组.mp && ls
> 新建组.mp
$ ip netns exec ${LAB}p3 nft list table arp lossy | grep -o 'packets [0-9]*'; ip netns exec ${LAB}p3 nft delete table arp lossy
> packets 1

== scan with an empty neighbour table and a poll that reaches nobody writes a list without entries
$ ip neigh flush all; wakeburst scan --mask 255.255.255.254 -o empty; echo "exit $?"; cmp "$DATA/hostlist/header_only.mp" empty.mp && ls
> empty.mp
> exit 0
> empty.mp
! wakeburst scan: Getting the IP address of this host
! wakeburst scan: Polling all hosts of the local network.
! wakeburst scan: Reading the ARP cache.
! wakeburst scan: Mapping the IP addresses to host names.

== a directed-broadcast alarm wakes every host of its list at every peer, at its minute only
$ cp "$DATA/lab/peers.mp" . && wakeburst alarms add --file peers.mp --days mon --time 07:30 --to 198.51.100.255
: tick --at '2026-12-07 07:29'
# the service runs from a directory of its own: the alarm holds the list's whole path
$ cd / && wakeburst tick --at '2026-12-07 07:30' --dir "$OLDPWD" | sed "s|$OLDPWD/|./|"
> 	woke 3 hosts in ./peers.mp
@ 0 1 2: 198.51.100.255 FRAME(02005e000010)
@ 0 1 2: 198.51.100.255 FRAME(02005e000011)
@ 0 1 2: 198.51.100.255 FRAME(02005e000012)
$ head -2 Dawnly.log | iconv -f GB18030 -t UTF-8 | sed "s/\r$/<CR>/; s|$PWD/|./|"
> Monday, December 07, 2026 07:30<CR>
> 	唤醒 3 hosts 于 ./peers.mp<CR>

== an alarm to a broadcast name (a store written by hand) reaches that peer only
$ cp "$DATA/lab/peers.mp" . && wakeburst alarms add --file peers.mp --days all --time 23:59 && tail -c 16 DwnGs | tr '\17' '#' && echo && head -c -16 DwnGs >s && printf '\6peer-a' >>s && mv s DwnGs
> #255.255.255.255
$ wakeburst tick --at '2026-12-12 23:59' | sed "s|$PWD/|./|"
> 	woke 3 hosts in ./peers.mp
@ 0: 198.51.100.10 FRAME(02005e000010)
@ 0: 198.51.100.10 FRAME(02005e000011)
@ 0: 198.51.100.10 FRAME(02005e000012)
