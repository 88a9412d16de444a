# Commands run in the host namespace of the two-link lab (lab_send_test), written as in
# wake.t. Peers 0, 1, 2 are 198.51.100.10, .11, .12 on eth0 (198.51.100.0/25, with IPv6
# 2001:db8::N and fe80::N), peer 3 is 198.51.100.140 behind eth1; dn0 is down.

== the limited broadcast leaves through eth0 only
$ send 00-a0-c9-12-34-56 --interface eth0
> 发送到 255.255.255.255
@ 0 1 2: 255.255.255.255 FRAME

== the limited broadcast leaves through eth1 only
$ send 00-a0-c9-12-34-56 --interface eth1
> 发送到 255.255.255.255
@ 3: 255.255.255.255 FRAME

== an interface that is down is refused
$ send 00-a0-c9-12-34-56 --interface dn0
! wakeburst send: bad value for --interface: 'dn0' (the interface is down)
? 2

== another port
$ send 00-a0-c9-12-34-56 --to 198.51.100.127 --port 40000
> 发送到 198.51.100.127
@ 0 1 2: 198.51.100.127@40000 FRAME

== repeats
$ send 00-a0-c9-12-34-56 --to 198.51.100.11 --repeat 3 --interval 0
> 发送到 198.51.100.11
@ 1: 198.51.100.11 FRAME
@ 1: 198.51.100.11 FRAME
@ 1: 198.51.100.11 FRAME

== a password of six bytes follows the frame byte for byte
$ send 00-a0-c9-12-34-56 --to 198.51.100.10 --password 01:23:45:67:89:AB
> 发送到 198.51.100.10
@ 0: 198.51.100.10 FRAME0123456789ab

== a password of four bytes written as an address
$ send 00-a0-c9-12-34-56 --to 198.51.100.10 --password 198.51.100.1
> 发送到 198.51.100.10
@ 0: 198.51.100.10 FRAMEc6336401

== IPv6 unicast
$ send 00-a0-c9-12-34-56 --to 2001:db8::10
> 发送到 2001:db8::10
@ 0: 2001:db8::10 FRAME

== IPv6 link-local with its interface
$ send 00-a0-c9-12-34-56 --to fe80::11%eth0
> 发送到 fe80::11%eth0
@ 1: fe80::11 FRAME

== all nodes of the link, the interface in the address
$ send 00-a0-c9-12-34-56 --to ff02::1%eth0
> 发送到 ff02::1%eth0
@ 0 1 2: ff02::1 FRAME

== all nodes of the link, the interface as an option
$ send 00-a0-c9-12-34-56 --to ff02::1 --interface eth0
> 发送到 ff02::1
@ 0 1 2: ff02::1 FRAME
