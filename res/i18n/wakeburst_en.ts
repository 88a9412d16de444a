<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>wakeburst</name>
    <message>
        <source>退出状态: 0 完成, 1 操作失败, 2 输入或用法有误, 3 有主机未在时限内应答 (--wait)
</source>
        <translation>exit status: 0 done, 1 the operation failed, 2 bad input or usage, 3 a host did not
answer in time (--wait)
</translation>
    </message>
    <message>
        <source>需要一个主机列表文件</source>
        <translation>expects one host-list file</translation>
    </message>
    <message>
        <source>需要以太网地址, 或 - 从标准输入读取</source>
        <translation>expects Ethernet addresses, or - to read them from standard input</translation>
    </message>
    <message>
        <source>不接受位置参数</source>
        <translation>takes no positional arguments</translation>
    </message>
    <message>
        <source>需要一个输入文件 (或 -) 和 -o OUT.mp</source>
        <translation>expects one input file (or -) and -o OUT.mp</translation>
    </message>
    <message>
        <source>除 --at 和 --dir 外不接受参数</source>
        <translation>takes no arguments besides --at and --dir</translation>
    </message>
    <message>
        <source>除 --dir 外不接受参数</source>
        <translation>takes no arguments besides --dir</translation>
    </message>
    <message>
        <source>除 --tail 和 --dir 外不接受参数</source>
        <translation>takes no arguments besides --tail and --dir</translation>
    </message>
    <message>
        <source>wakeburst: 没有给出命令 (用法: wakeburst 命令 [参数...], 命令为 %1 之一; 详见 wakeburst --help)</source>
        <translation>wakeburst: no command given (usage: wakeburst COMMAND [ARG...] with COMMAND one of %1; see wakeburst --help)</translation>
    </message>
    <message>
        <source>	唤醒 %1 hosts 于 %2
</source>
        <translation>	woke %1 hosts in %2
</translation>
    </message>
    <message>
        <source>	唤醒 %1 host 于 %2
</source>
        <translation>	woke %1 host in %2
</translation>
    </message>
    <message>
        <source>显示本帮助</source>
        <translation>this help</translation>
    </message>
    <message>
        <source>提醒存储 DwnGs 和唤醒日志 Dawnly.log 所在的目录
(默认: 当前目录)</source>
        <translation>the directory of the alarm store DwnGs and the wake log Dawnly.log
(default: the current directory)</translation>
    </message>
    <message>
        <source>不输出任何行 (错误仍会输出)</source>
        <translation>no output lines (errors still print)</translation>
    </message>
    <message>
        <source>结束选项</source>
        <translation>ends the options</translation>
    </message>
    <message>
        <source>IPv4 地址, 广播地址或主机名 (默认 255.255.255.255), 或 IPv6 地址;
链路本地地址和组播地址须带范围 (fe80::1%eth0, ff02::1%eth0)</source>
        <translation>IPv4 address, broadcast or name (default 255.255.255.255), or an IPv6
address, with a scope for link-local and multicast (fe80::1%eth0,
ff02::1%eth0)</translation>
    </message>
    <message>
        <source>UDP 端口 1..65535 (默认 2304)</source>
        <translation>UDP port 1..65535 (default 2304)</translation>
    </message>
    <message>
        <source>每台主机发送的帧数, 1..100 (默认 1)</source>
        <translation>frames per host, 1..100 (default 1)</translation>
    </message>
    <message>
        <source>两次重复之间的间隔, 0..60000 毫秒 (默认 100)</source>
        <translation>pause between repeats, 0..60000 ms (default 100)</translation>
    </message>
    <message>
        <source>只经由这个网络接口发送 (广播时: 从 IF 发出)</source>
        <translation>send through this network interface only (with a broadcast: out of IF)</translation>
    </message>
    <message>
        <source>附加在帧后的 SecureOn 密码: 六个字节, 写法同以太网地址 (帧长 108
字节), 或四个字节, 写法同点分 IPv4 地址 (帧长 106 字节)</source>
        <translation>SecureOn password appended to the frame: six bytes written like an
Ethernet address (frame of 108 bytes) or four bytes as a dotted IPv4
address (106)</translation>
    </message>
    <message>
        <source>按以太网地址唤醒主机</source>
        <translation>wakes hosts by their Ethernet addresses</translation>
    </message>
    <message>
        <source>唤醒每个地址 (可以给出多个); 给出 - 时, 从标准输入读取以太网地址, 每行一个.
ETHERNET 为六对十六进制数字: 00-A0-C9-12-34-56, 00.a0.c9.12.34.56,
00a0c9123456 或 00:a0:c9:12:34:56; 全零地址和广播地址不被接受.</source>
        <translation>Wakes each address (several allowed); with -, the Ethernet addresses on standard
input, one a line. ETHERNET is six pairs: 00-A0-C9-12-34-56, 00.a0.c9.12.34.56,
00a0c9123456 or 00:a0:c9:12:34:56; the all-zero and broadcast addresses are refused.</translation>
    </message>
    <message>
        <source>发送后等待主机应答; 应答则退出状态为 0, 超时则为 3</source>
        <translation>after sending, wait until the host answers; exit 0 when it did, 3 when
the time ran out</translation>
    </message>
    <message>
        <source>DEST 不是主机本身时, 要等待应答的主机</source>
        <translation>the host to wait for when DEST is not the host itself</translation>
    </message>
    <message>
        <source>列出主机列表中的以太网地址</source>
        <translation>prints the Ethernet addresses of a host list</translation>
    </message>
    <message>
        <source>列出主机列表 (.mp) 中的以太网地址, 每行一个; 无法使用的行在标准错误上报告,
并使退出状态为 1.</source>
        <translation>Prints the Ethernet addresses of a host list (.mp), one a line; the lines it cannot
use are reported on standard error and make it exit 1.</translation>
    </message>
    <message>
        <source>为本子网中应答的主机建立主机列表</source>
        <translation>builds a host list of the hosts of this subnet that answer</translation>
    </message>
    <message>
        <source>由应答的主机 (经由 ARP 缓存) 建立本子网的主机列表.</source>
        <translation>Builds a host list of this subnet from the hosts that answer (through the ARP cache).</translation>
    </message>
    <message>
        <source>子网掩码 (默认 255.255.255.0)</source>
        <translation>the subnet mask (default 255.255.255.0)</translation>
    </message>
    <message>
        <source>要写入的文件, 没有 .mp 时加上 (默认 新建组.mp)</source>
        <translation>the file to write, .mp added when missing (default 新建组.mp)</translation>
    </message>
    <message>
        <source>唤醒主机列表中的所有主机</source>
        <translation>wakes every host of a host list</translation>
    </message>
    <message>
        <source>唤醒主机列表 (.mp) 中的所有主机, 并把结果追加到唤醒日志; 列表中有无法使用的
行时, 唤醒其余主机之后以状态 1 退出.</source>
        <translation>Wakes every host of a host list (.mp) and appends the outcome to the wake log; a
line of the list it cannot use makes it exit 1, after the others were woken.</translation>
    </message>
    <message>
        <source>发送后等待主机应答; 应答则退出状态为 0, 超时则为 3
(列表中所在行带有 IP 地址的每台主机)</source>
        <translation>after sending, wait until the host answers; exit 0 when it did, 3 when
the time ran out
(every host of the list whose line has an IP address)</translation>
    </message>
    <message>
        <source>由其他工具的列表写出主机列表</source>
        <translation>writes a host list from another tool&apos;s list</translation>
    </message>
    <message>
        <source>由其他工具的列表写出主机列表: ethers 行 (ETHERNET 加主机名或地址, # 开始注释),
表头标明 ip, name 和 mac 列的 CSV (RFC 4180) (列名也可为 ip_address, address,
hostname, host, mac_address, ethernet, hwaddr; 大小写和次序不限; 字段以 , 或 ;
分隔), 以 : 或 - 书写的以太网地址行, ip neigh, arp -an, arp -n 和 /proc/net/arp
的邻居表 (略去失败和不完整的条目), 或 export 输出的 JSON.
没有 IP 地址的主机取其名字解析出的地址, 解析不出则为 0.0.0.0; 主机列表无法原样
容纳的名字会被改写, 并加以说明. 无法读取的行连同行号一并报告; 一行也读不出时
退出状态为 1.</source>
        <translation>Writes a host list from another tool&apos;s list: ethers lines (ETHERNET and a name or
an address, # comments), CSV (RFC 4180) whose header names the columns ip, name
and mac (also ip_address, address, hostname, host, mac_address, ethernet, hwaddr;
any case and order; fields split at , or ;), plain lines of Ethernet addresses
written with : or -, the neighbour tables of ip neigh, arp -an, arp -n and
/proc/net/arp (failed and incomplete entries left out), or the JSON of export.
A host without an IP address gets the address its name resolves to, else 0.0.0.0;
a name that a host list cannot hold as it is is changed, and said so. Lines that
cannot be read are reported with their numbers; exit 1 when none could be read.</translation>
    </message>
    <message>
        <source>INPUT 的格式 (默认 auto: 以 [ 开头时为 JSON, 首行是标明
mac 列的表头时为 CSV, 开头像邻居表时为邻居表, 否则为
ethers 或 plain)</source>
        <translation>the form of INPUT (default auto: JSON when it starts with [,
CSV when the first line is a header naming a mac column, a
neighbour table when it starts like one, else ethers or plain)</translation>
    </message>
    <message>
        <source>要写入的主机列表 (整个替换)</source>
        <translation>the host list to write (replaced as a whole)</translation>
    </message>
    <message>
        <source>以 CSV, ethers 行或 JSON 列出主机列表中的主机</source>
        <translation>prints the hosts of a host list as CSV, ethers lines or JSON</translation>
    </message>
    <message>
        <source>以 UTF-8 列出主机列表中的主机 (以太网地址, 及其所在行的 IP 地址和主机名): 表头
为 ip,name,mac 的 CSV, ethers 行, 或由对象 {&quot;ip&quot;,&quot;name&quot;,&quot;mac&quot;} 组成的 JSON
数组. 电子表格会当作公式执行的 CSV 字段前加一个 &apos;; 控制字符写作 _.
名字无法完整读回时, ethers 以 IP 地址称呼主机.
略去了多少条目以及原因, 在标准错误上说明.</source>
        <translation>Prints the hosts of a host list (its Ethernet addresses, with the IP address and
name of their line) in UTF-8: CSV with the header ip,name,mac, ethers lines, or a
JSON array of objects {&quot;ip&quot;,&quot;name&quot;,&quot;mac&quot;}. A CSV field that a spreadsheet
would run as a formula gets a leading &apos;; control characters are written as _.
ethers names a host by its IP address where the name would not read back whole.
How many entries were left out, and why, is said on stderr.</translation>
    </message>
    <message>
        <source>输出的格式 (默认 csv)</source>
        <translation>the form to print (default csv)</translation>
    </message>
    <message>
        <source>每周的组提醒: list, add, remove, next</source>
        <translation>the weekly group alarms: list, add, remove, next</translation>
    </message>
    <message>
        <source>每周的组提醒; 默认为 list. wakeburst alarms SUBCOMMAND --help
说明每个子命令的选项.</source>
        <translation>The weekly group alarms; list is the default. wakeburst alarms SUBCOMMAND --help
tells each one&apos;s options.</translation>
    </message>
    <message>
        <source>每行列出一个提醒: 序号, 星期 (SMTWTFS), 时间, 广播地址和主机列表文件.</source>
        <translation>Prints the alarms one per line: number, days (SMTWTFS), time, broadcast address and
host-list file.</translation>
    </message>
    <message>
        <source>由对象 {&quot;index&quot;,&quot;days&quot;,&quot;time&quot;,
&quot;broadcast&quot;,&quot;file&quot;} 组成的 JSON 数组</source>
        <translation>a JSON array of objects {&quot;index&quot;,&quot;days&quot;,&quot;time&quot;,
&quot;broadcast&quot;,&quot;file&quot;}</translation>
    </message>
    <message>
        <source>添加一个提醒, 在这些日子的这个时间唤醒主机列表中的主机.</source>
        <translation>Adds an alarm that wakes the hosts of a host list on these days at this time.</translation>
    </message>
    <message>
        <source>要唤醒的主机列表</source>
        <translation>the host list to wake</translation>
    </message>
    <message>
        <source>all, 或以逗号连接的任意几天</source>
        <translation>all, or any of the days joined by commas</translation>
    </message>
    <message>
        <source>本地时间, 00:00 到 23:59</source>
        <translation>the local time, 00:00 to 23:59</translation>
    </message>
    <message>
        <source>广播地址 (默认 255.255.255.255)</source>
        <translation>the broadcast address (default 255.255.255.255)</translation>
    </message>
    <message>
        <source>删除第 N 个提醒 (按 alarms list 的编号).</source>
        <translation>Removes alarm number N (as alarms list numbers them).</translation>
    </message>
    <message>
        <source>按本地时钟列出即将到来的触发: 日期和时间, 提醒序号和主机列表文件.</source>
        <translation>Prints the coming firings by the local clock: date and time, alarm number and
host-list file.</translation>
    </message>
    <message>
        <source>列出几次触发 (默认 10)</source>
        <translation>how many firings (default 10)</translation>
    </message>
    <message>
        <source>从这个本地时间起 (默认: 现在)</source>
        <translation>from this local time on (default: now)</translation>
    </message>
    <message>
        <source>调度器的一次计时: 唤醒提醒到时的组</source>
        <translation>one scheduler tick: wakes the groups whose alarms are due</translation>
    </message>
    <message>
        <source>调度器的一次计时: 唤醒提醒在该分钟到时的组.</source>
        <translation>One scheduler tick: wakes the groups whose alarms are due at that minute.</translation>
    </message>
    <message>
        <source>计时所在的本地分钟 (默认: 现在)</source>
        <translation>the local minute of the tick (default: now)</translation>
    </message>
    <message>
        <source>不开窗口运行提醒, 直到被停止</source>
        <translation>runs the alarms without a window until stopped</translation>
    </message>
    <message>
        <source>不开窗口运行调度器, 直到收到 SIGINT 或 SIGTERM; 磁盘上的提醒存储改变时重新
载入.</source>
        <translation>Runs the scheduler without a window until SIGINT or SIGTERM, and reloads the alarm
store when it changes on disk.</translation>
    </message>
    <message>
        <source>列出唤醒日志</source>
        <translation>prints the wake log</translation>
    </message>
    <message>
        <source>以 UTF-8 列出唤醒日志, 行尾为单纯的换行符.</source>
        <translation>Prints the wake log in UTF-8 with plain line feeds.</translation>
    </message>
    <message>
        <source>只列出最后 N 条</source>
        <translation>only the last N entries</translation>
    </message>
    <message>
        <source>用法: wakeburst </source>
        <translation>usage: wakeburst </translation>
    </message>
    <message>
        <source>      wakeburst </source>
        <translation>       wakeburst </translation>
    </message>
    <message>
        <source>选项:
</source>
        <translation>options:
</translation>
    </message>
    <message>
        <source>wakeburst %1 - 以 Wake-on-LAN 帧唤醒局域网中的计算机 (UDP 端口 2304)

用法: wakeburst 命令 [参数...]
      wakeburst 命令 [子命令] -h | --help
      wakeburst -h | --help
      wakeburst --version

命令 (wakeburst 命令 --help 说明该命令的用法和选项):
</source>
        <translation>wakeburst %1 - wakes the machines of a local network with Wake-on-LAN frames (UDP port 2304)

usage: wakeburst COMMAND [ARG...]
       wakeburst COMMAND [SUBCOMMAND] -h | --help
       wakeburst -h | --help
       wakeburst --version

commands (wakeburst COMMAND --help tells a command&apos;s usage and options):
</translation>
    </message>
    <message>
        <source>选项 %1 需要一个值</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <source>选项 %1 不带值</source>
        <translation>option %1 takes no value</translation>
    </message>
    <message>
        <source>未知的选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>选项 %1 给出了两次</source>
        <translation>option %1 given twice</translation>
    </message>
    <message>
        <source>无法读取目录 %1 (%2)</source>
        <translation>cannot read the directory %1 (%2)</translation>
    </message>
    <message>
        <source>列表中有 1 行无法读取: 这里的以太网地址写作 00-a0-c9-12-34-56 (wakeburst import 可以转换其他写法, 如 00:a0:c9:12:34:56)</source>
        <translation>1 line of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)</translation>
    </message>
    <message>
        <source>列表中有 %1 行无法读取: 这里的以太网地址写作 00-a0-c9-12-34-56 (wakeburst import 可以转换其他写法, 如 00:a0:c9:12:34:56)</source>
        <translation>%1 lines of the list could not be read: an Ethernet address is written like 00-a0-c9-12-34-56 here (wakeburst import converts other forms, such as 00:a0:c9:12:34:56)</translation>
    </message>
    <message>
        <source> (不是普通文件)</source>
        <translation> (not a regular file)</translation>
    </message>
    <message>
        <source>无法打开</source>
        <translation>cannot be opened</translation>
    </message>
    <message>
        <source>版权所有 2026 Wakeburst Utility 开发者</source>
        <translation>Copyright 2026 Wakeburst Utility developers</translation>
    </message>
    <message>
        <source>保留所有权利: 除按安装的方式使用外, 未授予复制, 修改或转让本软件的许可.</source>
        <translation>All rights reserved: no licence to copy, change or pass on this software has been granted beyond using it as installed.</translation>
    </message>
    <message>
        <source>wakeburst %1: 内存不足</source>
        <translation>wakeburst %1: out of memory</translation>
    </message>
    <message>
        <source>wakeburst: 未知的命令 &apos;%1&apos; (详见 wakeburst --help)</source>
        <translation>wakeburst: unknown command &apos;%1&apos; (see wakeburst --help)</translation>
    </message>
    <message>
        <source>%1: %2 的值有误: &apos;%3&apos; (%4)</source>
        <translation>%1: bad value for %2: &apos;%3&apos; (%4)</translation>
    </message>
    <message>
        <source>须为接口的名字</source>
        <translation>the name of an interface</translation>
    </message>
    <message>
        <source>六个字节如 00-11-22-33-44-55, 或四个字节如 1.2.3.4</source>
        <translation>six bytes as 00-11-22-33-44-55 or four as 1.2.3.4</translation>
    </message>
    <message>
        <source>须为 IP 地址 (需要范围时带上范围) 或已知的主机名</source>
        <translation>an IP address (with its scope where it needs one) or a known host name</translation>
    </message>
    <message>
        <source>: --host 指明要等待的主机, 需要 --wait</source>
        <translation>: --host names the host to wait for and needs --wait</translation>
    </message>
    <message>
        <source>没有这个接口</source>
        <translation>no such interface</translation>
    </message>
    <message>
        <source>接口未启用</source>
        <translation>the interface is down</translation>
    </message>
    <message>
        <source>%1: 无法经由 %2 发送: %3</source>
        <translation>%1: cannot send through %2: %3</translation>
    </message>
    <message>
        <source>%1: %2 通向多台主机; 用 --host 指明要等待的那一台</source>
        <translation>%1: %2 reaches many hosts; --host names the one to wait for</translation>
    </message>
    <message>
        <source>%1 在 %2 秒后醒来</source>
        <translation>%1 awake after %2 s</translation>
    </message>
    <message>
        <source>%1 未在 %2 秒内应答</source>
        <translation>%1 did not answer within %2 s</translation>
    </message>
    <message>
        <source>wakeburst %1: 无法读取 %2</source>
        <translation>wakeburst %1: cannot read %2</translation>
    </message>
    <message>
        <source>wakeburst alarms next: --count 须为 1 到 %1 之间的数, 而不是 &apos;%2&apos;</source>
        <translation>wakeburst alarms next: --count takes a number from 1 to %1, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>wakeburst alarms next: --from 须为本地时间 &quot;YYYY-MM-DD HH:MM&quot;, 而不是 &apos;%1&apos;</source>
        <translation>wakeburst alarms next: --from takes a local time &quot;YYYY-MM-DD HH:MM&quot;, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--file 须为 UTF-8 名字, 提醒存储才能保存它: &apos;%1&apos;</source>
        <translation>--file must be a UTF-8 name for the store to keep it: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--file 指定的文件名含有控制字符: &apos;%1&apos;</source>
        <translation>--file names a file with control characters: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--days 须为 sun,mon,tue,wed,thu,fri,sat 或 all, 而不是 &apos;%1&apos;</source>
        <translation>--days takes sun,mon,tue,wed,thu,fri,sat or all, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--time 须为 00:00 到 23:59 之间的 HH:MM, 而不是 &apos;%1&apos;</source>
        <translation>--time takes HH:MM from 00:00 to 23:59, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>需要 %1</source>
        <translation>needs %1</translation>
    </message>
    <message>
        <source>--to 须为以点连接的四个 0..255 的数, 而不是 &apos;%1&apos;</source>
        <translation>--to takes four numbers 0..255 joined by points, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>wakeburst alarms remove: 没有提醒 &apos;%1&apos; (列表中有 %2 个)</source>
        <translation>wakeburst alarms remove: no alarm &apos;%1&apos; (the list holds %2)</translation>
    </message>
    <message>
        <source>wakeburst log: --tail 须为条目的数目, 而不是 &apos;%1&apos;</source>
        <translation>wakeburst log: --tail takes a number of entries, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>wakeburst run-alarms: 从 %2 载入 %1 个提醒</source>
        <translation>wakeburst run-alarms: %1 alarm(s) from %2</translation>
    </message>
    <message>
        <source>wakeburst %1: 无法锁定 %2: %3</source>
        <translation>wakeburst %1: cannot lock %2: %3</translation>
    </message>
    <message>
        <source>wakeburst run-alarms: 接管 %1 的提醒</source>
        <translation>wakeburst run-alarms: taking over the alarms of %1</translation>
    </message>
    <message>
        <source>wakeburst run-alarms: 另一个程序正在运行 %1 的提醒; 等待接管</source>
        <translation>wakeburst run-alarms: another program runs the alarms of %1; waiting to take over</translation>
    </message>
    <message>
        <source>wakeburst scan: 掩码须有四部分 A.B.C.D, 而不是 &apos;%1&apos;</source>
        <translation>wakeburst scan: the mask must have four parts A.B.C.D, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>wakeburst tick: --at 须为本地时间 &quot;YYYY-MM-DD HH:MM&quot;, 而不是 &apos;%1&apos;</source>
        <translation>wakeburst tick: --at takes a local time &quot;YYYY-MM-DD HH:MM&quot;, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>wakeburst tick: 另一个程序正在运行 %1 的提醒</source>
        <translation>wakeburst tick: another program runs the alarms of %1</translation>
    </message>
    <message>
        <source>%1: --wait 至多跟踪 %2 台主机, 而 %3 列出的更多</source>
        <translation>%1: --wait follows at most %2 hosts, and %3 names more</translation>
    </message>
    <message>
        <source>全零地址不指明任何主机</source>
        <translation>the all-zero address names no host</translation>
    </message>
    <message>
        <source>广播地址不指明任何主机</source>
        <translation>the broadcast address names no host</translation>
    </message>
    <message>
        <source>须为六对十六进制数字, 如 00:a0:c9:12:34:56</source>
        <translation>six pairs of hexadecimal digits, as 00:a0:c9:12:34:56</translation>
    </message>
    <message>
        <source>%1: 无法读取标准输入; 什么也没有发送</source>
        <translation>%1: cannot read standard input; nothing was sent</translation>
    </message>
    <message>
        <source>%1: 标准输入的第 %2 行超过 %3 字节; 什么也没有发送</source>
        <translation>%1: line %2 of standard input is longer than %3 bytes; nothing was sent</translation>
    </message>
    <message>
        <source>%1: 标准输入中的地址多于 %2 个; 什么也没有发送</source>
        <translation>%1: standard input holds more than %2 addresses; nothing was sent</translation>
    </message>
    <message>
        <source>: 标准输入中没有以太网地址</source>
        <translation>: no Ethernet address on standard input</translation>
    </message>
    <message>
        <source>链路本地地址和组播地址需要其接口, 如 fe80::1%eth0</source>
        <translation>a link-local or multicast address needs its interface, as in fe80::1%eth0</translation>
    </message>
    <message>
        <source> (已发送 %2 帧中的 %1 帧)</source>
        <translation> (%1 of %2 frames sent)</translation>
    </message>
</context>
</TS>
