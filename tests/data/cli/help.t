# wakeburst COMMAND --help, and the bash completion built on it.

== every command of the main help answers --help with its own usage and exit 0
$ for c in $(wakeburst --help | sed -n 's/^  wakeburst \([a-z][a-z-]*\) .*/\1/p'); do wakeburst $c --help | head -n 1 || echo "$c failed"; done
> usage: wakeburst send [options] ETHERNET...
> usage: wakeburst check FILE
> usage: wakeburst scan [--mask A.B.C.D] [-o NAME]
> usage: wakeburst wake [options] FILE
> usage: wakeburst import [--format auto|ethers|csv|plain|neigh|json] INPUT|- -o OUT.mp
> usage: wakeburst export [--format csv|ethers|json] FILE.mp
> usage: wakeburst alarms list [--json] [--dir DIR]
> usage: wakeburst tick [--at "YYYY-MM-DD HH:MM"] [--dir DIR]
> usage: wakeburst run-alarms [--dir DIR]
> usage: wakeburst log [--tail N] [--dir DIR]
$ wakeburst alarms add --days mon --help | head -n 1
> usage: wakeburst alarms list [--json] [--dir DIR]

== send and wake list the wake options
$ wakeburst send --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr '\n' ' '; echo; wakeburst wake --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr '\n' ' '; echo
> --to --port --repeat --interval --interface --password --wait --host -q, -- --help 
> --to --port --repeat --interval --interface --password --wait --dir -q, -- --help 

== completion of commands, options, choices and host-list files
$ touch a.mp B.MP notes.txt && mkdir sub && . "$COMPLETION" && complete -p wakeburst
> complete -F _wakeburst wakeburst
$ comp wakeburst al
> alarms
$ comp wakeburst alarms n
> next
$ comp wakeburst export --format ''
> csv
> ethers
> json
$ comp wakeburst import --f
> --format
$ comp wakeburst send -q
> -q
$ comp wakeburst wake ''
> B.MP
> a.mp
> sub
$ comp wakeburst import ''
> B.MP
> a.mp
> notes.txt
> sub
$ comp wakeburst alarms add --file ''
> B.MP
> a.mp
> sub
$ comp wakeburst log --dir ''
> sub
