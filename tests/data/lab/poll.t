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
! MSG 未知错误!!!

== a mask that is not a number is refused
$ lab_tool poll 255.255.x.0 && polls
! MSG 未知错误!!!
