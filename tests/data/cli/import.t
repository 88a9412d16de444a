# wakeburst import: other tools' host lists into the system's own (header, GBK, CR LF,
# IP TAB name TAB Ethernet with hyphens), which `check` then reads without a word.

== ethers lines with comments, names resolved from the hosts file, unreadable lines named
$ wakeburst import "$DATA/import/hosts.ethers" -o out.mp
! wakeburst import: line 7 cannot be read: bad line here
! wakeburst import: line 8 cannot be read: 00:00:00:00:00:00 zero
! wakeburst import: line 9 cannot be read: 00:a0:c9:12:34 short
$ printf '127.0.0.1\tlocalhost\t00-a0-c9-12-34-56\n0.0.0.0\tno-such-host.invalid\t08-00-20-01-02-03\n198.51.100.7\t*名称未被发现*\t00-A0-C9-12-34-57\n0.0.0.0\t*名称未被发现*\t00-a0-c9-12-34-58\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body | cmp - out.mp
$ wakeburst check out.mp
> 00-a0-c9-12-34-56
> 08-00-20-01-02-03
> 00-A0-C9-12-34-57
> 00-a0-c9-12-34-58

== an address field that is no whole dotted quad is a name; one read as a number is not looked up
$ printf '00:a0:c9:00:00:61 10.lab\n00:a0:c9:00:00:62 1.2.3.4.5\n00:a0:c9:00:00:63 192.168.1\n00:a0:c9:00:00:64 7.example.invalid\n00:a0:c9:00:00:65 12345\n00:a0:c9:00:00:66 0x7f.1\n00:a0:c9:00:00:67 198.51.100.007\n' | wakeburst import - -o n.mp
$ printf '0.0.0.0\t10.lab\t00-a0-c9-00-00-61\n0.0.0.0\t1.2.3.4.5\t00-a0-c9-00-00-62\n0.0.0.0\t192.168.1\t00-a0-c9-00-00-63\n0.0.0.0\t7.example.invalid\t00-a0-c9-00-00-64\n0.0.0.0\t12345\t00-a0-c9-00-00-65\n0.0.0.0\t0x7f.1\t00-a0-c9-00-00-66\n198.51.100.7\t*名称未被发现*\t00-a0-c9-00-00-67\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body | cmp - n.mp

== CSV with a byte-order mark, columns in any order and case, quoted fields, names made one field and each change said
$ wakeburst import "$DATA/import/inventory.csv" -o inv.mp
! wakeburst import: line 2: the name 'pc;7 #2' is written as 'pc;7_#2' to fit a host list
! wakeburst import: line 4: the name '02-00-5e-00-00-99' is written as '02_00_5e_00_00_99' to fit a host list
! wakeburst import: line 5 cannot be read: bad;00:a0:c9:00:00:04;d;198.51.100.300
! wakeburst import: line 6 cannot be read: "unterminated;00:a0:c9:00:00:05;e;
$ printf '198.51.100.21\tpc;7_#2\t00-A0-C9-00-00-01\n0.0.0.0\t实验室\t00-a0-c9-00-00-02\n198.51.100.23\t02_00_5e_00_00_99\t00-a0-c9-00-00-03\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body | cmp - inv.mp
$ wakeburst check inv.mp
> 00-A0-C9-00-00-01
> 00-a0-c9-00-00-02
> 00-a0-c9-00-00-03

== CSV as RFC 4180 has it: quoted commas, quotes and line breaks, other header spellings, guarded formulas
$ printf 'HostName,MAC_Address,IP Address\r\n"Smith, John",00:a0:c9:00:00:01,198.51.100.1\r\n"my\r\npc",00:a0:c9:00:00:02,198.51.100.2\r\n"say ""hi""",00:a0:c9:00:00:03,198.51.100.3\r\n"\x27=1+2",00:a0:c9:00:00:04,198.51.100.4\r\n' | wakeburst import - -o c.mp
! wakeburst import: line 2: the name 'Smith, John' is written as 'Smith__John' to fit a host list
! wakeburst import: line 3: the name 'my\x0Apc' is written as 'my_pc' to fit a host list
! wakeburst import: line 5: the name 'say "hi"' is written as 'say_"hi"' to fit a host list
$ printf 'ethernet;Host;address\n02-00-5e-00-00-05;peer;198.51.100.5\n' | wakeburst import - -o d.mp && printf 'hwaddr,ip_address,host\n02-00-5e-00-00-06,198.51.100.6,x\n' | wakeburst import - -o e.mp
$ printf '198.51.100.1\tSmith__John\t00-a0-c9-00-00-01\n198.51.100.2\tmy_pc\t00-a0-c9-00-00-02\n198.51.100.3\tsay_"hi"\t00-a0-c9-00-00-03\n198.51.100.4\t=1+2\t00-a0-c9-00-00-04\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body | cmp - c.mp && tail -q -n 1 d.mp e.mp | tr -d '\r'
> 198.51.100.5	peer	02-00-5e-00-00-05
> 198.51.100.6	x	02-00-5e-00-00-06
$ { printf 'ip,name,mac\n198.51.100.1,"'; seq 2000; } | wakeburst import - -o x.mp; echo "exit $?"; test ! -e x.mp
! wakeburst import: the quoted field from line 2 of - is longer than 4096 bytes; nothing was written
> exit 1

== neighbour tables of ip neigh, ip -4 neigh, arp -an, arp -n and /proc/net/arp: resolved entries taken, failed, incomplete and IPv6 ones counted
$ for f in ip_neigh ip4_neigh arp_an arp_n proc_net_arp; do wakeburst import "$DATA/import/$f.txt" -o $f.mp || echo "$f failed"; done
! wakeburst import: 3 neighbour entries left out: failed, incomplete or not IPv4
! wakeburst import: 2 neighbour entries left out: failed, incomplete or not IPv4
! wakeburst import: 2 neighbour entries left out: failed, incomplete or not IPv4
! wakeburst import: 2 neighbour entries left out: failed, incomplete or not IPv4
! wakeburst import: 2 neighbour entries left out: failed, incomplete or not IPv4
$ printf '198.51.100.14\t*名称未被发现*\t02-00-5e-00-00-14\n198.51.100.19\t*名称未被发现*\t02-00-5e-00-00-19\n198.51.100.11\t*名称未被发现*\t02-00-5e-00-00-11\n198.51.100.12\t*名称未被发现*\t02-00-5e-00-00-12\n198.51.100.10\t*名称未被发现*\t02-00-5e-00-00-10\n198.51.100.13\t*名称未被发现*\t02-00-5e-00-00-13\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body >want && for f in ip_neigh ip4_neigh arp_an arp_n proc_net_arp; do cmp want $f.mp; done
$ wakeburst import --format neigh - -o n.mp <"$DATA/import/ip4_neigh.txt" && cmp want n.mp
! wakeburst import: 2 neighbour entries left out: failed, incomplete or not IPv4

== a name arp -a shows is kept; a line of a neighbour table that is none is named
$ printf 'router.lab (198.51.100.1) at 02:00:5e:00:00:01 [ether] on veth0\n? (198.51.100.2) at <incomplete> on veth0\nno neighbour here\n' | wakeburst import - -o a.mp && tail -n 1 a.mp | tr -d '\r'
! wakeburst import: line 3 cannot be read: no neighbour here
! wakeburst import: 1 neighbour entry left out: failed, incomplete or not IPv4
> 198.51.100.1	router.lab	02-00-5e-00-00-01

== JSON as export writes it, as jq -c and Python write it: escapes, null, members of no interest
$ printf '[{"ip":"198.51.100.1","name":"\\u5f20\\ud83d\\ude00","mac":"02:00:5e:00:00:01","room":3,"on":true},{"ip":null,"name":"peer","mac":"02-00-5e-00-00-02"},{"ip":"198.51.100.3","mac":null},{}]' | wakeburst import - -o j.mp
! wakeburst import: line 1 cannot be read: ip '198.51.100.3', mac ''
! wakeburst import: line 1 cannot be read: ip '', mac ''
$ printf '198.51.100.1\t张😀\t02-00-5e-00-00-01\n0.0.0.0\tpeer\t02-00-5e-00-00-02\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body | cmp - j.mp
$ printf '[\n  {"ip":"198.51.100.1","mac":"02:00:5e:00:00:01"},\n  {"ip":[1]}\n]\n' | wakeburst import --format json - -o k.mp; echo "exit $?"; test ! -e k.mp
! wakeburst import: line 3 of -: a string or null expected; nothing was written
> exit 1
$ for j in '[{"mac":"02:00:5e:00:00:01"}] x' '{"mac":"02:00:5e:00:00:01"}' '[{"mac":"02:00:5e:00:00:01'; do printf %s "$j" | wakeburst import --format json - -o k.mp; echo "exit $?"; done; test ! -e k.mp
! wakeburst import: line 1 of -: text after the array; nothing was written
! wakeburst import: line 1 of -: no JSON array; nothing was written
! wakeburst import: line 1 of -: a string is not closed; nothing was written
> exit 1
> exit 1
> exit 1

== plain addresses from standard input; auto takes them as plain, --format plain refuses more
$ printf '00:a0:c9:12:34:56\r\n02-00-5E-00-00-10\n' | wakeburst import - -o p.mp && wakeburst check p.mp
> 00-a0-c9-12-34-56
> 02-00-5E-00-00-10
$ printf '00:a0:c9:12:34:56 pc1\n02-00-5e-00-00-10\n' | wakeburst import --format plain - -o p.mp && wakeburst check p.mp
! wakeburst import: line 1 cannot be read: 00:a0:c9:12:34:56 pc1
> 02-00-5e-00-00-10
$ printf 'mac,ip\n02-00-5e-00-00-10,198.51.100.9\n' | wakeburst import --format ethers - -o e.mp
! wakeburst import: line 1 cannot be read: mac,ip
! wakeburst import: line 2 cannot be read: 02-00-5e-00-00-10,198.51.100.9
! wakeburst import: no host could be read from -
? 1

== nothing readable: exit 1 and no file
$ printf '# only a comment\nfoo bar\n' | wakeburst import - -o x.mp; echo "exit $?"; test ! -e x.mp
! wakeburst import: line 2 cannot be read: foo bar
! wakeburst import: no host could be read from -
> exit 1
$ printf 'ip,name\n198.51.100.9,a\n' | wakeburst import --format csv - -o x.mp; echo "exit $?"; test ! -e x.mp
! wakeburst import: line 1: the CSV header names no mac column
> exit 1

== a pipe or a directory is refused, not waited on; an unwritable target keeps nothing
$ mkfifo fifo && mkdir dir && wakeburst import fifo -o x.mp; wakeburst import dir -o x.mp
! wakeburst import: cannot read fifo (not a regular file)
! wakeburst import: cannot read dir (not a regular file)
? 1
$ wakeburst import "$DATA/import/hosts.ethers" -o nodir/x.mp 2>&1 | tail -n 1; test ! -e nodir
> wakeburst import: Cannot open nodir/x.mp for writing.

== usage errors
$ wakeburst import "$DATA/import/hosts.ethers"
! wakeburst import: expects one input file (or -) and -o OUT.mp
? 2
$ wakeburst import --format xml - -o x.mp </dev/null
! wakeburst import: --format takes auto, ethers, csv, plain, neigh or json, not 'xml'
? 2
