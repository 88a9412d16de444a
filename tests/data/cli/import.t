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

== CSV with a byte-order mark, columns in any order and case, quoted fields, names made one field
$ wakeburst import "$DATA/import/inventory.csv" -o inv.mp
! wakeburst import: line 5 cannot be read: bad;00:a0:c9:00:00:04;d;198.51.100.300
! wakeburst import: line 6 cannot be read: "unterminated;00:a0:c9:00:00:05;e;
$ printf '198.51.100.21\tpc;7__2\t00-A0-C9-00-00-01\n0.0.0.0\t实验室\t00-a0-c9-00-00-02\n198.51.100.23\t02_00_5e_00_00_99\t00-a0-c9-00-00-03\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body | cmp - inv.mp
$ wakeburst check inv.mp
> 00-A0-C9-00-00-01
> 00-a0-c9-00-00-02
> 00-a0-c9-00-00-03

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
> wakeburst import: 无法以写入方式打开 nodir/x.mp.

== usage errors
$ wakeburst import "$DATA/import/hosts.ethers"
! wakeburst import: expects one input file (or -) and -o OUT.mp
? 2
$ wakeburst import --format xml - -o x.mp </dev/null
! wakeburst import: --format takes auto, ethers, csv or plain, not 'xml'
? 2
