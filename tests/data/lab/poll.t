# The poll of a subnet, counted at the peers and at a sink that owns every other address of
# 198.51.100.0/24 (tests/lab/lab_test.cpp says how the lines read; lab.sh's "polls" helper
# prints how many polls each last octet got, in runs).
lab sink

== the whole subnet three times each; .37 is the host itself, its own polls never leave
$ lab_tool poll 255.255.255.0 && polls
> 1-36 x3
> 38-254 x3

== a mask of 26 bits polls only its quarter
$ lab_tool poll 255.255.255.192 198.51.100.70 && polls
> 65-126 x3

== a mask of 31 bits leaves no address to poll
$ lab_tool poll 255.255.255.254 && polls

== a mask of 32 bits is refused
$ lab_tool poll 255.255.255.255 && polls
! MSG Unknown error!!!

== a mask that is not a number is refused
$ lab_tool poll 255.255.x.0 && polls
! MSG Unknown error!!!

== scan of a subnet where every address answers and the name server never does
# Every lookup but the hosts file's waits out the resolver: the list is whole, in address
# order, and the failures are told in that order.
$ lab_tool record 53 dns.rec >/dev/null 2>&1 & ip neigh flush all; sleep 0.2; wakeburst scan -o list 2>err; echo "exit $?"; kill $!; grep -c '^wakeburst scan: 198' err; grep '^wakeburst scan: 198' err | sort -t. -k4n -c && echo told in order; test -s dns.rec && echo asked; polls
> list.mp
> exit 0
> 251
> told in order
> asked
> 1-36 x3
> 38-254 x3
$ for k in $(seq 254); do n=$'*\xc3\xfb\xb3\xc6\xce\xb4\xb1\xbb\xb7\xa2\xcf\xd6*' m=fe; case $k in 10) n=peer-a m=10 ;; 11) n=peer-b m=11 ;; 12) m=12 ;; 37) continue ;; esac; printf '198.51.100.%s\t%s\t02-00-5e-00-00-%s\r\n' $k "$n" $m; done | cat "$DATA/hostlist/header_only.mp" - | cmp - list.mp && echo same bytes
> same bytes
