# Commands run in the host namespace of the two-link lab with IPv6 and a sleeping host
# (tests/lab/lab_test.cpp says how the lines read). Peers 0, 1, 2 are 198.51.100.10, .11,
# .12 on eth0 (198.51.100.0/25, with IPv6 2001:db8::N and fe80::N), peer 3 is
# 198.51.100.140 behind eth1; dn0 is down; 198.51.100.13 sleeps until its frame arrives.
lab second ipv6 sleeper

== the limited broadcast leaves through eth0 only
: send 00-a0-c9-12-34-56 --interface eth0
> sent to 255.255.255.255
@ 0 1 2: 255.255.255.255 FRAME

== the limited broadcast leaves through eth1 only
: send 00-a0-c9-12-34-56 --interface eth1
> sent to 255.255.255.255
@ 3: 255.255.255.255 FRAME

== an interface that is down is refused
: send 00-a0-c9-12-34-56 --interface dn0
! wakeburst send: bad value for --interface: 'dn0' (the interface is down)
? 2

== another port
: send 00-a0-c9-12-34-56 --to 198.51.100.127 --port 40000
> sent to 198.51.100.127
@ 0 1 2: 198.51.100.127@40000 FRAME

== repeats
: send 00-a0-c9-12-34-56 --to 198.51.100.11 --repeat 3 --interval 0
> sent to 198.51.100.11
@ 1: 198.51.100.11 FRAME
@ 1: 198.51.100.11 FRAME
@ 1: 198.51.100.11 FRAME

== a password of six bytes follows the frame byte for byte
: send 00-a0-c9-12-34-56 --to 198.51.100.10 --password 01:23:45:67:89:AB
> sent to 198.51.100.10
@ 0: 198.51.100.10 FRAME0123456789ab

== a password of four bytes written as an address
: send 00-a0-c9-12-34-56 --to 198.51.100.10 --password 198.51.100.1
> sent to 198.51.100.10
@ 0: 198.51.100.10 FRAMEc6336401

== IPv6 unicast
: send 00-a0-c9-12-34-56 --to 2001:db8::10
> sent to 2001:db8::10
@ 0: 2001:db8::10 FRAME

== IPv6 link-local with its interface
: send 00-a0-c9-12-34-56 --to fe80::11%eth0
> sent to fe80::11%eth0
@ 1: fe80::11 FRAME

== all nodes of the link, the interface in the address
: send 00-a0-c9-12-34-56 --to ff02::1%eth0
> sent to ff02::1%eth0
@ 0 1 2: ff02::1 FRAME

== all nodes of the link, the interface as an option
: send 00-a0-c9-12-34-56 --to ff02::1 --interface eth0
> sent to ff02::1
@ 0 1 2: ff02::1 FRAME

== repeats keep their interval: three frames 300 ms apart span more than 400 ms
$ wakeburst send 00-a0-c9-12-34-56 --to 198.51.100.12 --repeat 3 --interval 300 && [ $(span p3) -gt 400 ] && echo spaced
> sent to 198.51.100.12
> spaced
@ 2: 198.51.100.12 FRAME
@ 2: 198.51.100.12 FRAME
@ 2: 198.51.100.12 FRAME

== a sleeping host is reported awake, no sooner than the two seconds it takes
$ out=$(wakeburst send 02:00:5e:00:00:13 --to 198.51.100.127 --host 198.51.100.13 --wait 10); echo "exit $?"; s=${out##* after }; echo "${out% after *}"; [ ${s% s} -ge 2 ] && [ ${s% s} -le 10 ] && echo "after 2 to 10 s"
> exit 0
> sent to 198.51.100.127
> 198.51.100.13 awake
> after 2 to 10 s
@ 0 1 2: 198.51.100.127 FRAME(02005e000013)

== a host that never wakes gives exit 3 in time
$ t=$(date +%s%3N); wakeburst send 02:00:5e:00:00:14 --to 198.51.100.127 --host 198.51.100.14 --wait 2 -q; echo "exit $?"; [ $(($(date +%s%3N) - t)) -lt 3500 ] && echo "in time"
> exit 3
> in time
! wakeburst send: 198.51.100.14 did not answer within 2 s
@ 0 1 2: 198.51.100.127 FRAME(02005e000014)

== a host that drops every TCP segment is awake when it answers a ping the program may send
$ ip netns exec ${LAB}p3 iptables -A INPUT -p tcp -j DROP; wakeburst send 00-a0-c9-12-34-56 --to 198.51.100.12 --wait 1; echo "exit $?"; sysctl -qw net.ipv4.ping_group_range='0 2147483647'; wakeburst send 00-a0-c9-12-34-56 --to 198.51.100.12 --wait 3 | sed 's/ after .*/ after/'; echo "exit ${PIPESTATUS[0]}"; sysctl -qw net.ipv4.ping_group_range='1 0'; ip netns exec ${LAB}p3 iptables -F INPUT
> sent to 198.51.100.12
> exit 3
> sent to 198.51.100.12
> 198.51.100.12 awake after
> exit 0
! wakeburst send: 198.51.100.12 did not answer within 1 s
@ 2: 198.51.100.12 FRAME
@ 2: 198.51.100.12 FRAME

== wake waits for every host of the list
$ tail -c +20 "$DATA/lab/peers.mp" >side-a.mp && wakeburst wake side-a.mp --to 198.51.100.127 --wait 5 --repeat 2 --interval 0 | sed 's/ after .*/ after/'; echo "exit ${PIPESTATUS[0]}"
> 	woke 3 hosts in side-a.mp
> 198.51.100.10 awake after
> 198.51.100.11 awake after
> 198.51.100.12 awake after
> exit 0
@ 0 1 2: 198.51.100.127 FRAME(02005e000010)
@ 0 1 2: 198.51.100.127 FRAME(02005e000011)
@ 0 1 2: 198.51.100.127 FRAME(02005e000012)
@ 0 1 2: 198.51.100.127 FRAME(02005e000010)
@ 0 1 2: 198.51.100.127 FRAME(02005e000011)
@ 0 1 2: 198.51.100.127 FRAME(02005e000012)

== without a route the frame cannot leave: a failure, not "sent to"
$ unshare --net sh -c 'ip link set lo up && exec wakeburst send 00-a0-c9-12-34-56 --to 198.51.100.255'
! wakeburst send: 198.51.100.255: Network is unreachable
? 1
