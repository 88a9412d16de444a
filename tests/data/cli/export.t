# wakeburst export: the hosts of a host list (lines with an IP and an Ethernet address) in
# UTF-8, as CSV, ethers lines or JSON; JSON is checked by parsing it.

== CSV of a hand-edited GBK list: comments, lines without an IP or an Ethernet address left out
$ wakeburst export "$DATA/../hostlist/gbk_names.mp"
> ip,name,mac
> 192.168.0.7,张三的电脑,00:a0:c9:12:34:56
> 192.168.0.8,财务部打印机,00:a0:c9:ab:cd:ef

== JSON stays valid whatever the names hold: quotes, backslashes, control bytes, broken GBK
$ printf '198.51.100.1\ta"b\\c\x01 张三\t02-00-5e-00-00-01\n' | gbk list.mp && printf '198.51.100.2 x\xb0 02.00.5E.00.00.02 # x\r\n' >>list.mp && wakeburst export --format json list.mp | json
> {"ip": "198.51.100.1", "mac": "02:00:5e:00:00:01", "name": "a\"b\\c\u0001 张三"}
> {"ip": "198.51.100.2", "mac": "02:00:5e:00:00:02", "name": "x�"}
$ wakeburst export --format json "$DATA/../hostlist/header_only.mp" | json

== ethers names a host by its address where the name is the placeholder or not one word
$ wakeburst export --format ethers "$DATA/../hostlist/written_by_scan.mp"
> 02:00:5e:00:00:10 peer-a
> 02:00:5e:00:00:11 peer-b
> 02:00:5e:00:00:12 198.51.100.12

== a list written by scan goes out as CSV and back in unchanged
$ wakeburst export "$DATA/../hostlist/written_by_scan.mp" >l.csv && wakeburst import l.csv -o back.mp && cmp back.mp "$DATA/../hostlist/written_by_scan.mp"

== refusals
$ mkfifo fifo && wakeburst export fifo; wakeburst export gone.mp
! wakeburst export: 无法以只读方式打开 fifo . (not a regular file)
! wakeburst export: 无法以只读方式打开 gone.mp . (No such file or directory)
? 1
$ wakeburst export --format xml "$DATA/../hostlist/gbk_names.mp"
! wakeburst export: --format takes csv, ethers or json, not 'xml'
? 2
