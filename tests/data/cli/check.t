# wakeburst check and scan: their exits and streams (the reading rules are the reader's own).

== bad lines are told, the file named as it was given, and fail the check with a hint
+ rel.mp 192.168.0.7 pc7\r\n
: check {data}/hostlist/gbk_names.mp
> 00-a0-c9-12-34-56
> 00-A0-C9-AB-CD-EF
> 02-00-5e-00-00-10
! wakeburst check: Error in file {data}/hostlist/gbk_names.mp Line 14: check the IP address and the Ethernet [MAC] address.
! wakeburst check: Error in file {data}/hostlist/gbk_names.mp Line 15: check the IP address and the Ethernet [MAC] address.
! wakeburst check: 2 lines of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)
? 1
: check ./rel.mp
! wakeburst check: Error in file ./rel.mp Line 1: check the IP address and the Ethernet [MAC] address.
! wakeburst check: 1 line of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)
? 1

== a list that cannot be read, and two lists
: check {data}/hostlist/没有这个文件.mp
! wakeburst check: Cannot open {data}/hostlist/没有这个文件.mp for reading. (No such file or directory)
? 1
: check a.mp b.mp
! wakeburst check: expects one host-list file
? 2

== scan refuses an output it cannot write before it polls (in a network of its own)
$ unshare --net wakeburst scan -o "$PWD/missing/hosts.mp"
! wakeburst scan: Cannot open {dir}/missing/hosts.mp for writing.
? 1
