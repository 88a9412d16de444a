# wakeburst alarms add, list and remove: what the store DwnGs holds afterwards, byte for
# byte ({file} is the group file D:\g.mp with its absolute path, as the store keeps it).

== add writes the one-alarm store
posix
+ D:\g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
: alarms add --file D:\g.mp --days mon --time 07:30
x DwnGs 0100ffff01000d0043416c61726d53657474696e67{file}04070000001e0000000f3235352e3235352e3235352e323535

== add takes --dir anywhere, days in any case and order, and --to
posix
+ D:\g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
: alarms --dir {dir} add --to 198.51.100.255 --time 23:05 --file D:\g.mp --days Sun,fri,sat
x DwnGs 0100ffff01000d0043416c61726d53657474696e67{file}c217000000050000000e3139382e35312e3130302e323535

== add of all days at midnight keeps the broadcast's leading zeros
posix
+ D:\g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
: alarms add --file=D:\g.mp --days all --time 0:00 --to 010.0.0.001
x DwnGs 0100ffff01000d0043416c61726d53657474696e67{file}fe00000000000000000831302e302e302e31

== add appends, referring to the class as 8001
posix
+ D:\g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
+ DwnGs @alarm/monday_0730.DwnGs
: alarms add --file D:\g.mp --days tue --time 08:15
x DwnGs 0200ffff01000d0043416c61726d53657474696e6707443a5c672e6d7004070000001e0000000f3235352e3235352e3235352e3235350180{file}08080000000f0000000f3235352e3235352e3235352e323535

== refusals of add leave no store
+ D:\g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
: alarms add --file nope.mp --days mon --time 07:30
! wakeburst alarms add: The file nope.mp was not found. Check the name and try again.
? 1
x DwnGs
: alarms add --file g\n\x1b[2J.mp --days mon --time 07:30
! wakeburst alarms add: --file names a file with control characters: '{dir}/g\x0A\x1B[2J.mp'
? 2
x DwnGs
: alarms add --file caf\xe9a.mp --days mon --time 07:30
! wakeburst alarms add: --file must be a UTF-8 name for the store to keep it: '{dir}/caf\xE9a.mp'
? 2
x DwnGs
: alarms add --file D:\g.mp --days mon,funday --time 07:30
! wakeburst alarms add: --days takes sun,mon,tue,wed,thu,fri,sat or all, not 'mon,funday'
? 2
x DwnGs
: alarms add --file D:\g.mp --days mon --time 24:00
! wakeburst alarms add: --time takes HH:MM from 00:00 to 23:59, not '24:00'
? 2
x DwnGs
: alarms add --file D:\g.mp --days mon --time 07:30 --to 198.51.100
! wakeburst alarms add: --to takes four numbers 0..255 joined by points, not '198.51.100'
? 2
x DwnGs
: alarms add --file D:\g.mp --days mon
! wakeburst alarms add: needs --file F --days LIST --time HH:MM
? 2
x DwnGs
: alarms clear
! wakeburst alarms: expects list [--json], add --file F --days LIST --time HH:MM [--to A.B.C.D], remove N, or next [--count N] [--from "YYYY-MM-DD HH:MM"]
? 2
x DwnGs

== add refuses a fifo, a directory and a device, and opens none of them
posix
$ mkfifo fifo.mp && mkdir dir.mp && wakeburst alarms add --file fifo.mp --days mon --time 07:30
! wakeburst alarms add: The file fifo.mp was not found. Check the name and try again.
? 1
: alarms add --file dir.mp --days mon --time 07:30
! wakeburst alarms add: The file dir.mp was not found. Check the name and try again.
? 1
: alarms add --file /dev/null --days mon --time 07:30
! wakeburst alarms add: The file /dev/null was not found. Check the name and try again.
? 1
x DwnGs

== a damaged store is not removed from, and kept
+ DwnGs @alarm/damaged.DwnGs
: alarms remove 1
! wakeburst alarms remove: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
= DwnGs @alarm/damaged.DwnGs

== a seventeenth alarm is refused and the store kept
+ D:\g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
+ DwnGs @alarm/sixteen.DwnGs
: alarms add --file D:\g.mp --days mon --time 07:30
! wakeburst alarms add: No more than 16 alarms are allowed.
? 1
= DwnGs @alarm/sixteen.DwnGs

== a damaged store is shown, not overwritten, by add and tick
+ D:\g.mp 198.51.100.10 02-00-5e-00-00-10\r\n
+ DwnGs @alarm/damaged.DwnGs
: alarms add --file D:\g.mp --days mon --time 07:30
! wakeburst alarms add: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
= DwnGs @alarm/damaged.DwnGs
: tick --at '2026-12-07 07:30'
! wakeburst tick: The alarms are stored in the file DwnGs. This file is damaged or was saved by an earlier version. Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the 'Power On Group' command.
? 1
= DwnGs @alarm/damaged.DwnGs

== list without a store prints nothing and makes none
: alarms
x DwnGs

== list shows each alarm on one line
+ DwnGs @alarm/monday_0730.DwnGs
: alarms list
> 1	-M-----	07:30	255.255.255.255	D:\g.mp
= DwnGs @alarm/monday_0730.DwnGs

== list escapes control characters in a name
+ DwnGs @alarm/control_chars.DwnGs
: alarms list
> 1	-M-----	07:30	255.255.255.255	D:\a\x0Ab\x1B[2J.mp
= DwnGs @alarm/control_chars.DwnGs

== remove the only alarm, then one that is not there
+ DwnGs @alarm/monday_0730.DwnGs
: alarms remove 2
! wakeburst alarms remove: no alarm '2' (the list holds 1)
? 2
= DwnGs @alarm/monday_0730.DwnGs
: alarms remove 1
x DwnGs 0000

# Tests run as root, where permission bits stop nothing: the failures come from a read-only
# bind mount and from a tiny file system that fills up. Writing in place would truncate the
# old store on a full disk, or cut it off half way.
== a save that fails says so and leaves the old store whole, with nothing beside it
$ unshare --mount true 2>/dev/null || exit 77; failed_save ro; failed_save full; failed_save half
> ro 1
> kept
> full 1
> kept
> half 1
> kept
! wakeburst alarms add: Cannot create the file DwnGs. The alarms were not saved.
! wakeburst alarms add: Cannot create the file DwnGs. The alarms were not saved.
! wakeburst alarms add: Cannot create the file DwnGs. The alarms were not saved.
