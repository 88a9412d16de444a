# Commands run in the host namespace of the plain lab (lab_wake_test), each from an empty
# directory that must stay empty. "$" the arguments of wakeburst, ">" a line of its output,
# "!" a line of its error output ("\t" a tab), "?" its exit code (0 when not given),
# "@ PEERS: LINE" one datagram at each of those peers, as the recorder prints it (FRAME: the
# wake-up frame for 00-a0-c9-12-34-56). Peers 0, 1, 2 are 198.51.100.10 ("peer-a"), .11
# ("peer-b") and .12 (no name); a peer not named received nothing.

== directed broadcast reaches every peer
$ send 00-A0-C9-12-34-56 --to 198.51.100.255
> 发送到 198.51.100.255
@ 0 1 2: 198.51.100.255 FRAME

== limited broadcast reaches every peer
$ send 00-A0-C9-12-34-56 --to 255.255.255.255
> 发送到 255.255.255.255
@ 0 1 2: 255.255.255.255 FRAME

== a name from the hosts file reaches that peer only
$ send 00-A0-C9-12-34-56 --to peer-a
> 发送到 peer-a
@ 0: 198.51.100.10 FRAME

== a unicast address reaches that peer only
$ send 00-A0-C9-12-34-56 --to 198.51.100.12
> 发送到 198.51.100.12
@ 2: 198.51.100.12 FRAME

== a name that does not resolve sends nothing
$ send 00-A0-C9-12-34-56 --to nobody.invalid
! nobody.invalid 是无效的IP地址.
? 2

== scan: an output that cannot be written stops it before the poll
$ scan -o missing/hosts.mp
! \t无法以写入方式打开 missing/hosts.mp.
? 1

== scan: a refused mask sends nothing (the mask rules are tested on their own)
$ scan --mask 255.255.255.255
! wakeburst scan: mask part 4 must be an integer from 0 to 254, not '255'
? 2

== scan: a mask of three parts sends nothing
$ scan --mask 255.255.255
! wakeburst scan: the mask must have four parts A.B.C.D, not '255.255.255'
? 2

== scan: a positional argument sends nothing
$ scan hosts.mp
! wakeburst scan: takes no positional arguments
? 2
