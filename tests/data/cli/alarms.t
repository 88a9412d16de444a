# wakeburst alarms list --json and alarms next: the coming firings by the local clock, as
# the scheduler makes them.

== list --json parses, in store order, with the names of the days
$ touch 'a\b "c" 组.mp' g.mp && wakeburst alarms add --file 'a\b "c" 组.mp' --days all --time 0:00 && wakeburst alarms add --file g.mp --days sat,mon --time 07:05 --to 198.51.100.255
$ wakeburst alarms list --json | json | here
> {"broadcast": "255.255.255.255", "days": ["sun", "mon", "tue", "wed", "thu", "fri", "sat"], "file": "./a\\b \"c\" 组.mp", "index": 1, "time": "00:00"}
> {"broadcast": "198.51.100.255", "days": ["mon", "sat"], "file": "./g.mp", "index": 2, "time": "07:05"}
$ mkdir empty && wakeburst alarms list --json --dir empty | json

== next across the end of the week, from the minute given on, one minute's alarms in list order
$ touch g.mp h.mp && wakeburst alarms add --file g.mp --days sat --time 23:30 && wakeburst alarms add --file h.mp --days sun,mon --time 00:15 && wakeburst alarms add --file h.mp --days mon --time 00:15
$ TZ=America/New_York wakeburst alarms next --count 5 --from "2026-12-05 23:30" | here
> 2026-12-05 23:30	1	./g.mp
> 2026-12-06 00:15	2	./h.mp
> 2026-12-07 00:15	2	./h.mp
> 2026-12-07 00:15	3	./h.mp
> 2026-12-12 23:30	1	./g.mp

== next in New York when daylight saving starts: the skipped minute does not happen
$ touch g.mp && wakeburst alarms add --file g.mp --days all --time 02:30 && wakeburst alarms add --file g.mp --days sun --time 03:00
$ TZ=America/New_York wakeburst alarms next --count 4 --from "2026-03-07 03:00" | here
> 2026-03-08 03:00	2	./g.mp
> 2026-03-09 02:30	1	./g.mp
> 2026-03-10 02:30	1	./g.mp
> 2026-03-11 02:30	1	./g.mp
$ TZ=America/New_York wakeburst alarms next --from "2026-03-08 02:30"
! wakeburst alarms next: --from takes a local time "YYYY-MM-DD HH:MM", not '2026-03-08 02:30'
? 2

== next in New York when daylight saving ends: the minute passed twice fires once, the first time
$ touch g.mp && wakeburst alarms add --file g.mp --days all --time 01:30 && wakeburst alarms add --file g.mp --days sun --time 01:45
$ TZ=America/New_York wakeburst alarms next --count 3 --from "2026-11-01 00:00" | here
> 2026-11-01 01:30	1	./g.mp
> 2026-11-01 01:45	2	./g.mp
> 2026-11-02 01:30	1	./g.mp
$ TZ=America/New_York wakeburst alarms next --count 2 --from "2026-11-01 01:40" | here
> 2026-11-01 01:45	2	./g.mp
> 2026-11-02 01:30	1	./g.mp

== next without alarms, and refusals
$ wakeburst alarms next
$ wakeburst alarms next --count 0
! wakeburst alarms next: --count takes a number from 1 to 10000, not '0'
? 2
$ wakeburst alarms list --count 3
! wakeburst alarms: expects list [--json], add --file F --days LIST --time HH:MM [--to A.B.C.D], remove N, or next [--count N] [--from "YYYY-MM-DD HH:MM"]
? 2
