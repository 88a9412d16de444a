# wakeburst export: the hosts of a host list (its Ethernet addresses) in UTF-8, as CSV,
# ethers lines or JSON; JSON and CSV are checked by parsing them.

== CSV of a hand-edited GBK list: comments left out, a host without an IP kept, a line without an Ethernet address counted
$ wakeburst export "$DATA/../hostlist/gbk_names.mp"
> ip,name,mac
> 192.168.0.7,张三的电脑,00:a0:c9:12:34:56
> 192.168.0.8,财务部打印机,00:a0:c9:ab:cd:ef
> ,无IP的机器,02:00:5e:00:00:10
! wakeburst export: 1 entry left out: 1 line holds an IP address but no Ethernet address

== JSON stays valid whatever the names hold: quotes, backslashes, control bytes (written as _, as in CSV), broken GBK
$ printf '198.51.100.1\ta"b\\c\x01 张三\t02-00-5e-00-00-01\n' | gbk list.mp && printf '198.51.100.2 x\xb0 02.00.5E.00.00.02 # x\r\n' >>list.mp && wakeburst export --format json list.mp | json
> {"ip": "198.51.100.1", "mac": "02:00:5e:00:00:01", "name": "a\"b\\c_ 张三"}
> {"ip": "198.51.100.2", "mac": "02:00:5e:00:00:02", "name": "x�"}
$ wakeburst export --format json "$DATA/../hostlist/header_only.mp" | json
$ wakeburst export list.mp | python3 -c 'import csv, sys; print(list(csv.reader(sys.stdin))[1])'
> ['198.51.100.1', 'a"b\\c_ 张三', '02:00:5e:00:00:01']

== names a spreadsheet would run as formulas get a leading ' in CSV; every format reads back as the same list
$ printf '198.51.100.1\t=HYPERLINK("x")\t02-00-5e-00-00-01\n198.51.100.2\t+pc\t02-00-5e-00-00-02\n198.51.100.3\t-router\t02-00-5e-00-00-03\n198.51.100.4\t@sum\t02-00-5e-00-00-04\n198.51.100.5\t\x27=x\t02-00-5e-00-00-05\n198.51.100.6\tpc#1\t02-00-5e-00-00-06\n198.51.100.7\t"q";\t02-00-5e-00-00-07\n0.0.0.0\t张三\t02-00-5e-00-00-09\n0.0.0.0\t*名称未被发现*\t02-00-5e-00-00-0a\n' | gbk body && cat "$DATA/../hostlist/header_only.mp" body >list.mp
$ wakeburst export list.mp
> ip,name,mac
> 198.51.100.1,"'=HYPERLINK(""x"")",02:00:5e:00:00:01
> 198.51.100.2,"'+pc",02:00:5e:00:00:02
> 198.51.100.3,"'-router",02:00:5e:00:00:03
> 198.51.100.4,"'@sum",02:00:5e:00:00:04
> 198.51.100.5,"''=x",02:00:5e:00:00:05
> 198.51.100.6,pc#1,02:00:5e:00:00:06
> 198.51.100.7,"""q"";",02:00:5e:00:00:07
> 0.0.0.0,张三,02:00:5e:00:00:09
> 0.0.0.0,*名称未被发现*,02:00:5e:00:00:0a
$ for f in csv json; do wakeburst export --format $f list.mp >l.$f && wakeburst import l.$f -o back.mp && cmp back.mp list.mp || echo "$f differs"; done
$ sed -n '1,10p;18p' list.mp >ethers.mp && tail -n 1 "$DATA/../hostlist/written_by_scan.mp" >>ethers.mp && wakeburst export --format ethers ethers.mp >l.ethers && wakeburst import l.ethers -o back.mp && cmp back.mp ethers.mp

== ethers writes only names glibc reads back whole (else the IP); a host with neither is left out and counted
$ printf '198.51.100.1\tpc#1\t02-00-5e-00-00-01\n198.51.100.2\t10.0.0.9\t02-00-5e-00-00-02\n0.0.0.0\t张三\t02-00-5e-00-00-03\n0.0.0.0\t*名称未被发现*\t02-00-5e-00-00-04\n02-00-5e-00-00-05\n02-00-5e-00-00-06 no ip\n' | gbk list.mp && wakeburst export --format ethers list.mp
> 02:00:5e:00:00:01 198.51.100.1
> 02:00:5e:00:00:02 198.51.100.2
> 02:00:5e:00:00:03 张三
! wakeburst export: 3 entries left out: 3 hosts have neither a name that ethers reads back whole nor an IP address

== ethers names a host by its address where the name is the placeholder or not one word
$ wakeburst export --format ethers "$DATA/../hostlist/written_by_scan.mp"
> 02:00:5e:00:00:10 peer-a
> 02:00:5e:00:00:11 peer-b
> 02:00:5e:00:00:12 198.51.100.12

== a list written by scan goes out as CSV and back in unchanged
$ wakeburst export "$DATA/../hostlist/written_by_scan.mp" >l.csv && wakeburst import l.csv -o back.mp && cmp back.mp "$DATA/../hostlist/written_by_scan.mp"

== refusals
$ mkfifo fifo && wakeburst export fifo; wakeburst export gone.mp
! wakeburst export: Cannot open fifo for reading. (not a regular file)
! wakeburst export: Cannot open gone.mp for reading. (No such file or directory)
? 1
$ wakeburst export --format xml "$DATA/../hostlist/gbk_names.mp"
! wakeburst export: --format takes csv, ethers or json, not 'xml'
? 2

== under the C locale the count of what was left out and the refusal of a format are Chinese
$ export LANGUAGE= LC_ALL=C; wakeburst export --format ethers "$DATA/../hostlist/gbk_names.mp" >/dev/null; wakeburst export --format xml x.mp
! wakeburst export: 略去 1 个条目: 1 行有 IP 地址而没有以太网地址
! wakeburst export: --format 须为 csv, ethers 或 json, 而不是 'xml'
? 2
