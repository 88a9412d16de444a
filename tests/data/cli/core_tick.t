# The core's alarm minutes, wake-log dates and group wakes through wakeburst: only a real local
# minute is taken, every alarm due at it wakes once in list order, and its log entry is dated
# with the minute in English whatever the year.

== tick takes real local minutes only and dates each entry with the minute it was given
: alarms add --file {data}/alarm/one_host.mp --days all --time 07:30 --to 127.0.0.1
: alarms add --file {data}/alarm/two_hosts.mp --days sun,sat --time 00:05 --to 127.0.0.1
: alarms add --file {data}/alarm/same_twice.mp --days all --time 23:59 --to 127.0.0.1
: alarms add --file {data}/alarm/one_host.mp --days wed --time 12:00 --to 127.0.0.1
: tick -q --at '2026-12-07 07:30'
% 1 02005e000010
~ Dawnly.log Monday, December 07, 2026 07:30\r\n\t
: tick -q --at '1997-09-08 07:30'
% 1
~ Dawnly.log Monday, September 08, 1997 07:30\r\n\t
: tick -q --at '2023-01-01 00:05'
% 2 02005e000010 02005e000011
~ Dawnly.log Sunday, January 01, 2023 00:05\r\n\t
: tick -q --at '2020-02-29 23:59'
% 2
~ Dawnly.log Saturday, February 29, 2020 23:59\r\n\t
: tick -q --at '2024-02-29 23:59'
% 2
~ Dawnly.log Thursday, February 29, 2024 23:59\r\n\t
: tick -q --at '2031-05-14 12:00'
% 1
~ Dawnly.log Wednesday, May 14, 2031 12:00\r\n\t
: tick -q --at '2031-05-15 12:00'
: tick -q --at '2023-01-02 00:05'
: tick -q --at '2031-05-14 12:01'
: tick -q --at '2031-05-14 11:59'
: tick --at '2026-02-29 07:30'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-02-29 07:30'
? 2
: tick --at '2026-13-01 07:30'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-13-01 07:30'
? 2
: tick --at '2026-12-07 24:00'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-12-07 24:00'
? 2
: tick --at '2026-12-07 07:60'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-12-07 07:60'
? 2
: tick --at '2026-12-07 7:30'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-12-07 7:30'
? 2
: tick --at 2026-12-07T07:30
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-12-07T07:30'
? 2
: tick --at '2026-12-07 07:30:00'
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not '2026-12-07 07:30:00'
? 2
: tick --at ''
! wakeburst tick: --at takes a local time "YYYY-MM-DD HH:MM", not ''
? 2

== a group file added without a directory still wakes its hosts when fired from another one
posix
+ g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
: alarms add --file g.mp --days mon --time 07:30 --to 127.0.0.1
$ mkdir away && cd away && wakeburst tick -q --dir .. --at '2026-12-07 07:30'
% 1 02005e000010

== every alarm due at the minute gets its own entry, in list order, the same one twice too
posix
: alarms add --file {data}/alarm/two_hosts.mp --days mon --time 07:30 --to 127.0.0.1
: alarms add --file {data}/alarm/one_host.mp --days mon --time 07:31 --to 127.0.0.1
: alarms add --file {data}/alarm/one_host.mp --days mon --time 07:30 --to 127.0.0.1
: alarms add --file {data}/alarm/two_hosts.mp --days mon --time 07:30 --to 127.0.0.1
: tick -q --at '2026-12-07 07:30'
% 5 02005e000010 02005e000011 02005e000010 02005e000010 02005e000011
= Dawnly.log Monday, December 07, 2026 07:30\r\n\t\xbb\xbd\xd0\xd1 2 hosts \xd3\xda {data}/alarm/two_hosts.mp\r\nMonday, December 07, 2026 07:30\r\n\t\xbb\xbd\xd0\xd1 1 host \xd3\xda {data}/alarm/one_host.mp\r\nMonday, December 07, 2026 07:30\r\n\t\xbb\xbd\xd0\xd1 2 hosts \xd3\xda {data}/alarm/two_hosts.mp\r\n

== an alarm without days, or with only the bit that names no day, is never due
+ DwnGs @alarm/no_days.DwnGs
: alarms list
> 1	-------	07:30	127.0.0.1	nope.mp
> 2	-------	07:30	127.0.0.1	nope.mp
: tick --at '2026-12-06 07:30'
: tick --at '2026-12-07 07:30'
: tick --at '2026-12-12 07:30'
x Dawnly.log

== a group wake names the address it cannot read in one message and sends the others
: wake {data}/alarm/unreadable_address.mp --to 127.0.0.1
! wakeburst wake: Invalid Ethernet address: 00a0c-123456789ab The wakeburst was not sent.
! wakeburst wake: Error at address 00a0c-123456789ab: the wakeburst was not sent (invalid Ethernet address).
! wakeburst wake: woke 1 host in {data}/alarm/unreadable_address.mp
? 1
% 1 00a0c9123457
