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
> usage: wakeburst alarms add --file F --days LIST --time HH:MM [--to A.B.C.D] [--dir DIR]
$ for c in list remove next; do wakeburst alarms $c -h | head -n 1; done; wakeburst alarms --help | tail -n 1
> usage: wakeburst alarms list [--json] [--dir DIR]
> usage: wakeburst alarms remove N [--dir DIR]
> usage: wakeburst alarms next [--count N] [--from "YYYY-MM-DD HH:MM"] [--dir DIR]
>   -h, --help         this help

== -h is --help for every command, also before the operands and after other options
$ wakeburst send -h | head -n 1; wakeburst check x.mp -h | head -n 1; wakeburst log --tail 3 -h | head -n 1
> usage: wakeburst send [options] ETHERNET...
> usage: wakeburst check FILE
> usage: wakeburst log [--tail N] [--dir DIR]
: send -- -h
! wakeburst send: Invalid Ethernet address: -h The wakeburst was not sent. (six pairs of hexadecimal digits, as 00:a0:c9:12:34:56)
? 2

== alarms add --help names the options of add only
$ wakeburst alarms add --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr '\n' ' '; echo
> --file --days --time --to --dir -h, 

== without arguments: a short usage on stderr, nothing on stdout, exit 2
$ wakeburst
! wakeburst: no command given (usage: wakeburst COMMAND [ARG...] with COMMAND one of send, check, scan, wake, import, export, alarms, tick, run-alarms, log; see wakeburst --help)
? 2

== without arguments under the C locale and under English: the usage in Chinese, then English
$ LANGUAGE= LC_ALL=C wakeburst
! wakeburst: 没有给出命令 (用法: wakeburst 命令 [参数...], 命令为 send, check, scan, wake, import, export, alarms, tick, run-alarms, log 之一; 详见 wakeburst --help)
? 2
$ LANGUAGE= LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 wakeburst check
! wakeburst check: expects one host-list file
? 2
$ LANGUAGE= LC_ALL= LC_MESSAGES= LANG= wakeburst check
! wakeburst check: 需要一个主机列表文件
? 2

== LANGUAGE set but empty chooses nothing: LC_ALL decides; else LANGUAGE's first entry does
$ LANGUAGE= LC_ALL=en_GB.UTF-8 LANG=C wakeburst alarms nope
! wakeburst alarms: expects list [--json], add --file F --days LIST --time HH:MM [--to A.B.C.D], remove N, or next [--count N] [--from "YYYY-MM-DD HH:MM"]
? 2
$ LANGUAGE=zh_CN:en LC_ALL=en_US.UTF-8 wakeburst alarms nope
! wakeburst alarms: 需要 list [--json], add --file F --days LIST --time HH:MM [--to A.B.C.D], remove N 或 next [--count N] [--from "YYYY-MM-DD HH:MM"]
? 2

== --version: the version, the copyright holder and the licence
: --version
> wakeburst 1.0.5
> Copyright 2026 Wakeburst Utility developers
> All rights reserved: no licence to copy, change or pass on this software has been granted beyond using it as installed.

== --version under the C locale: the copyright holder and the licence in Chinese
$ LANGUAGE= LC_ALL=C wakeburst --version | tail -n 2
> 版权所有 2026 Wakeburst Utility 开发者
> 保留所有权利: 除按安装的方式使用外, 未授予复制, 修改或转让本软件的许可.

== send and wake list the wake options
$ wakeburst send --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr '\n' ' '; echo; wakeburst wake --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr '\n' ' '; echo
> --to --port --repeat --interval --interface --password --wait --host -q, -- -h, 
> --to --port --repeat --interval --interface --password --wait --dir -q, -- -h, 

== under the C locale the help is Chinese, and the completion still reads it
$ LANGUAGE= LC_ALL=C wakeburst alarms add --help
> 用法: wakeburst alarms add --file F --days LIST --time HH:MM [--to A.B.C.D] [--dir DIR]
> 添加一个提醒, 在这些日子的这个时间唤醒主机列表中的主机.
> 选项:
>   --file F           要唤醒的主机列表
>   --days all|sun|mon|tue|wed|thu|fri|sat[,...]
>                      all, 或以逗号连接的任意几天
>   --time HH:MM       本地时间, 00:00 到 23:59
>   --to A.B.C.D       广播地址 (默认 255.255.255.255)
>   --dir DIR          提醒存储 DwnGs 和唤醒日志 Dawnly.log 所在的目录
>                      (默认: 当前目录)
>   -h, --help         显示本帮助
$ export LANGUAGE= LC_ALL=C; comp wakeburst alarms n; comp wakeburst alarms add --t
> next
> --time
> --to

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
$ comp wakeburst alarms add --days ''
> all
> fri
> mon
> sat
> sun
> thu
> tue
> wed
$ comp wakeburst alarms add --days mon,t
> mon,thu
> mon,tue
$ comp wakeburst alarms add --
> --days
> --dir
> --file
> --help
> --time
> --to
$ comp wakeburst alarms next --
> --count
> --dir
> --from
> --help
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

== the man page names every command, sub-command and option of the tool's help
$ for page in wakeburst.1 zh_CN/wakeburst.1; do man=$(sed 's/\\-/-/g' "$DATA/../../../res/man/$page"); for c in $(wakeburst --help | sed -n 's/^  wakeburst \([a-z][a-z-]*\) .*/\1/p'); do for s in "" $(wakeburst $c --help | sed -n "s/^ *\(usage: \)\{0,1\}wakeburst $c \([a-z][a-z-]*\).*/\2/p"); do grep -qF "fBwakeburst $c${s:+ $s}" <<<"$man" || echo "$page: no command $c $s"; for o in $(wakeburst $c $s --help | sed -n 's/^  \(-[^ ,]*\)\(, \(--[^ ]*\)\)\{0,1\}.*/\1 \3/p'); do grep -q -- "[B ]$o[^a-z-]" <<<"$man" || echo "$page: no option $o of $c $s"; done; done; done; done
