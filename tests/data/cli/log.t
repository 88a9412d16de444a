# wakeburst log: the wake log (GBK, CR LF on disk, a message's own CR LF stored as
# CR CR LF) in UTF-8 with plain line feeds; --tail N counts entries by their date lines.

== the whole log, and the last entries
$ wakeburst log --dir "$DATA/log"
> Monday, December 07, 2026 07:30
> 	唤醒 2 hosts 于 /srv/两台.mp
> Monday, December 07, 2026 07:31
> 	错误: nowhere是一个非法的IP 广播地址.
>
> 	文件: g.mp
> Tuesday, December 08, 2026 07:30
> 	错误 文件:g.mp
> 	行 5: 请检查IP地址和以太网[MAC]地址.
> 	唤醒 1 host 于 g.mp
$ wakeburst log --dir "$DATA/log" --tail 2 | head -n 1; wakeburst log --dir "$DATA/log" --tail 2 | wc -l
> Monday, December 07, 2026 07:31
> 8
$ wakeburst log --dir "$DATA/log" --tail 1
> Tuesday, December 08, 2026 07:30
> 	错误 文件:g.mp
> 	行 5: 请检查IP地址和以太网[MAC]地址.
> 	唤醒 1 host 于 g.mp
$ wakeburst log --dir "$DATA/log" --tail 0; wakeburst log --dir "$DATA/log" --tail 9 | wc -l
> 10

== a log cut off inside a character still prints as UTF-8; none at all prints nothing
$ printf 'Monday, December 07, 2026 07:30\r\n\t\xbb' >Dawnly.log && wakeburst log; echo '|'
> Monday, December 07, 2026 07:30
> 	�|
$ mkdir empty && wakeburst log --dir empty

== refusals: a pipe is not waited on, a bad count
$ mkfifo Dawnly.log && wakeburst log 2>&1 | sed "s|$PWD|PWD|"; echo "exit ${PIPESTATUS[0]}"
> wakeburst log: cannot read PWD/Dawnly.log (not a regular file)
> exit 1
$ wakeburst log --tail -1
! wakeburst log: --tail takes a number of entries, not '-1'
? 2
