# wakeburst send, and the refusals of send and wake: every send goes to 127.0.0.1 (where
# the test listens for the frames of 00-A0-C9-12-34-56), and a refusal sends nothing.

== send to an address or a host name, the Ethernet address in either spelling
: send 00-A0-C9-12-34-56 --to 127.0.0.1
> sent to 127.0.0.1
% 1 00a0c9123456
: send --to localhost 00-A0-C9-12-34-56
> sent to localhost
% 1 00a0c9123456
: send 00:a0:c9:12:34:56 --to=127.0.0.1
> sent to 127.0.0.1
% 1 00a0c9123456
: send 00.a0.c9.12.34.56 --to 127.0.0.1
> sent to 127.0.0.1
% 1 00a0c9123456

== several addresses from the arguments and from standard input; -- ends the options
: send --to 127.0.0.1 -- 00-A0-C9-12-34-56 00a0c9123456
> sent to 127.0.0.1
% 2 00a0c9123456
: send - --to 127.0.0.1 -q
< 00-a0-c9-12-34-56\n\n  00:A0:C9:12:34:56\r\n00a0c9123456
% 3 00a0c9123456

== options between the addresses; after -- even an option's name is an address
: send 00-A0-C9-12-34-56 -q 00a0c9123456 --to 127.0.0.1
% 2 00a0c9123456
: send --to 127.0.0.1 -- --to
! wakeburst send: Invalid Ethernet address: --to The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2

== options that are missing, unknown, given twice, or given a value they do not take
: send 00-A0-C9-12-34-56 --to
! wakeburst send: option --to needs a value
? 2
: send --nope 00-A0-C9-12-34-56
! wakeburst send: unknown option --nope
? 2
: send --quiet=1 00-A0-C9-12-34-56 --to 127.0.0.1
! wakeburst send: option --quiet takes no value
? 2
$ LANGUAGE= LC_ALL=C wakeburst send --quiet=1 00-A0-C9-12-34-56 --to 127.0.0.1
! wakeburst send: 选项 --quiet 不带值
? 2
$ LANGUAGE= LC_ALL=C wakeburst send --interface '' 00-A0-C9-12-34-56 --to 127.0.0.1
! wakeburst send: --interface 的值有误: '' (须为接口的名字)
? 2
: send --to 127.0.0.1 --to 127.0.0.2 00-A0-C9-12-34-56
! wakeburst send: option --to given twice
? 2
: send 00-A0-C9-12-34-56 -q --to 127.0.0.1 -q
! wakeburst send: option -q given twice
? 2
: send 00-A0-C9-12-34-56 --to=
! wakeburst send:  is not a valid IP address.
? 2

== one bad address refuses them all
: send - --to 127.0.0.1
< 00-a0-c9-12-34-56\n00-a0-c9\n
! wakeburst send: Invalid Ethernet address: 00-a0-c9 The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2
: send 00-A0-C9-12-34 --to 127.0.0.1
! wakeburst send: Invalid Ethernet address: 00-A0-C9-12-34 The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2
# Six pairs and nothing more, one kind of separator; no address that names no host.
: send 00:a0:c9:12:34:56:78 --to 127.0.0.1
! wakeburst send: Invalid Ethernet address: 00:a0:c9:12:34:56:78 The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2
: send 00:a0-c9:12:34:56 --to 127.0.0.1
! wakeburst send: Invalid Ethernet address: 00:a0-c9:12:34:56 The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2
: send 00a0.c912.3456 --to 127.0.0.1
! wakeburst send: Invalid Ethernet address: 00a0.c912.3456 The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2
: send 00-00-00-00-00-00 --to 127.0.0.1
! wakeburst send: Invalid Ethernet address: 00-00-00-00-00-00 The wakeburst was not sent. (the all-zero address names no host)
? 2
: send 000000000000 --to 127.0.0.1
! wakeburst send: Invalid Ethernet address: 000000000000 The wakeburst was not sent. (the all-zero address names no host)
? 2
: send 00-a0-c9-12-34-56 ff:ff:ff:ff:ff:FF --to 127.0.0.1
! wakeburst send: Invalid Ethernet address: ff:ff:ff:ff:ff:FF The wakeburst was not sent. (the broadcast address names no host)
? 2
: send - --to 127.0.0.1
! wakeburst send: no Ethernet address on standard input
? 2
: send --to 127.0.0.1
! wakeburst send: expects Ethernet addresses, or - to read them from standard input
? 2
: send 00-A0-C9-12-34-56 --to no-such-host.invalid
! wakeburst send: no-such-host.invalid is not a valid IP address.
? 2
: frobnicate
! wakeburst: unknown command 'frobnicate' (see wakeburst --help)
? 2

== under the C locale send says where it sent, and refuses a destination, in Chinese
$ export LANGUAGE= LC_ALL=C; wakeburst send 00-A0-C9-12-34-56 --to 127.0.0.1; wakeburst send 00-A0-C9-12-34-56 --to no-such-host.invalid
> 发送到 127.0.0.1
! wakeburst send: no-such-host.invalid 是无效的IP地址.
? 2
% 1 00a0c9123456

== the same address sent by wakeonlan gives the same bytes
$ command -v wakeonlan >/dev/null || exit 77; wakeburst send 00-A0-C9-12-34-56 --to 127.0.0.1 -q && wakeonlan -i 127.0.0.1 -p 2304 00:a0:c9:12:34:56 >/dev/null
% 2 00a0c9123456

== every refusal of an option value is one line naming the option and the value
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --port 0
! wakeburst send: bad value for --port: '0' (1..65535)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --port 65536
! wakeburst send: bad value for --port: '65536' (1..65535)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --port 0x10
! wakeburst send: bad value for --port: '0x10' (1..65535)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --port=-1
! wakeburst send: bad value for --port: '-1' (1..65535)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --repeat 0
! wakeburst send: bad value for --repeat: '0' (1..100)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --repeat 101
! wakeburst send: bad value for --repeat: '101' (1..100)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --interval 60001
! wakeburst send: bad value for --interval: '60001' (0..60000)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --interval 1.5
! wakeburst send: bad value for --interval: '1.5' (0..60000)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --wait 0
! wakeburst send: bad value for --wait: '0' (1..3600)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --password 00-11-22-33-44
! wakeburst send: bad value for --password: '00-11-22-33-44' (six bytes as 00-11-22-33-44-55 or four as 1.2.3.4)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --password 00-11-22:33-44-55
! wakeburst send: bad value for --password: '00-11-22:33-44-55' (six bytes as 00-11-22-33-44-55 or four as 1.2.3.4)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --password 1.2.3.256
! wakeburst send: bad value for --password: '1.2.3.256' (six bytes as 00-11-22-33-44-55 or four as 1.2.3.4)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --password 1.2.3
! wakeburst send: bad value for --password: '1.2.3' (six bytes as 00-11-22-33-44-55 or four as 1.2.3.4)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --interface no-such-if0
! wakeburst send: bad value for --interface: 'no-such-if0' (no such interface)
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --host 127.0.0.1
! wakeburst send: --host names the host to wait for and needs --wait
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --wait 1 --host no-such-host.invalid
! wakeburst send: bad value for --host: 'no-such-host.invalid' (an IP address (with its scope where it needs one) or a known host name)
? 2
: send 00-a0-c9-12-34-56 --wait 1
! wakeburst send: 255.255.255.255 reaches many hosts; --host names the one to wait for
? 2
: send 00-a0-c9-12-34-56 --to fe80::1
! wakeburst send: bad value for --to: 'fe80::1' (a link-local or multicast address needs its interface, as in fe80::1%eth0)
? 2
: wake no-such.mp --to 127.0.0.1 --repeat 1000
! wakeburst wake: bad value for --repeat: '1000' (1..100)
? 2
: wake no-such.mp --to 127.0.0.1 --host 127.0.0.1
! wakeburst wake: unknown option --host
? 2
: send 00-a0-c9-12-34-56 --to 127.0.0.1 --wait 1 --host fe80::1
! wakeburst send: bad value for --host: 'fe80::1' (an IP address (with its scope where it needs one) or a known host name)
? 2
