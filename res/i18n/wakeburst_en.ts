<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AppStrings</name>
    <message>
        <source>
Dawnly
Dawnly
Dawnly 文件 (*.mp)
.mp
Dawnly.Document
Dawnly Document</source>
        <translation>
Dawnly
Dawnly
Dawnly Files (*.mp)
.mp
Dawnly.Document
Dawnly Document</translation>
    </message>
    <message>
        <source>按F1获取帮助</source>
        <translation>For Help, press F1</translation>
    </message>
    <message>
        <source>选择一个对象获取帮助</source>
        <translation>Select an object on which to get Help</translation>
    </message>
    <message>
        <source>在局域网中创建一个主机列表
创建列表</source>
        <translation>Create a list of the hosts on the local network
Create List</translation>
    </message>
    <message>
        <source>发送wakeburst到一台主机, 単播或广播
发送到指定主体</source>
        <translation>Send a wakeburst to one host, unicast or broadcast
Power On Host</translation>
    </message>
    <message>
        <source>设置开启一组主机的提醒时间
设置提醒</source>
        <translation>Set the alarms that power on a group of hosts
Set Alarms</translation>
    </message>
    <message>
        <source>创建新文档
新建</source>
        <translation>Create a new document
New</translation>
    </message>
    <message>
        <source>打开已存在文档
打开</source>
        <translation>Open an existing document
Open</translation>
    </message>
    <message>
        <source>关闭活动文档
关闭</source>
        <translation>Close the active document
Close</translation>
    </message>
    <message>
        <source>保存活动文档
保存</source>
        <translation>Save the active document
Save</translation>
    </message>
    <message>
        <source>使用一个新名称保存活动文档
另存为</source>
        <translation>Save the active document with a new name
Save As</translation>
    </message>
    <message>
        <source>更改打印选项
页面设置</source>
        <translation>Change the printing options
Page Setup</translation>
    </message>
    <message>
        <source>更改打印机和打印选项
打印设置</source>
        <translation>Change the printer and printing options
Print Setup</translation>
    </message>
    <message>
        <source>打印活动文档
打印</source>
        <translation>Print the active document
Print</translation>
    </message>
    <message>
        <source>显示全部页面
打印预览</source>
        <translation>Display full pages
Print Preview</translation>
    </message>
    <message>
        <source>打开此文档</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>退出应用程序;提示保存文件
退出</source>
        <translation>Quit the application; prompts to save documents
Exit</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏
切换工具栏</source>
        <translation>Show or hide the toolbar
Toggle ToolBar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
切换状态栏</source>
        <translation>Show or hide the status bar
Toggle Status Bar</translation>
    </message>
    <message>
        <source>帮助主题列表
帮助主题</source>
        <translation>List Help topics
Help Topics</translation>
    </message>
    <message>
        <source>查看程序信息,版本号和版权
关于</source>
        <translation>Display program information, version number and copyright
About</translation>
    </message>
    <message>
        <source>点击按钮、菜单、窗口查看帮助信息
帮助</source>
        <translation>Display help for clicked on buttons, menus and windows
Help</translation>
    </message>
    <message>
        <source>撤消上一个动作
撤消</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>剪切所选内容到剪贴板
剪切</source>
        <translation>Cut the selection and put it on the Clipboard
Cut</translation>
    </message>
    <message>
        <source>复制所选内容到剪贴板
复制</source>
        <translation>Copy the selection and put it on the Clipboard
Copy</translation>
    </message>
    <message>
        <source>插入剪贴板内容
粘贴</source>
        <translation>Insert Clipboard contents
Paste</translation>
    </message>
    <message>
        <source>查找只定文本
查找</source>
        <translation>Find the specified text
Find</translation>
    </message>
    <message>
        <source>使用其它文本替换制定文本
替换</source>
        <translation>Replace specific text with different text
Replace</translation>
    </message>
    <message>
        <source>选择所有文档
全部选择</source>
        <translation>Select the entire document
Select All</translation>
    </message>
    <message>
        <source>擦除已选择的内容
擦除</source>
        <translation>Erase the selection
Erase</translation>
    </message>
    <message>
        <source>擦除所有内容
擦除所有</source>
        <translation>Erase everything
Erase All</translation>
    </message>
    <message>
        <source>重复最后一个动作
重复</source>
        <translation>Repeat the last action
Repeat</translation>
    </message>
    <message>
        <source>重做上一步撤消动作
重做</source>
        <translation>Redo the previously undone action
Redo</translation>
    </message>
    <message>
        <source>为激活文档打开另一个窗口
新窗口</source>
        <translation>Open another window for the active document
New Window</translation>
    </message>
    <message>
        <source>以重叠方式排列窗口
窗口层迭</source>
        <translation>Arrange windows so they overlap
Cascade Windows</translation>
    </message>
    <message>
        <source>以平铺方式排列窗口
平铺窗口</source>
        <translation>Arrange windows as non-overlapping tiles
Tile Windows</translation>
    </message>
    <message>
        <source>在窗口底部排列图标
排列图标</source>
        <translation>Arrange icons at the bottom of the window
Arrange Icons</translation>
    </message>
    <message>
        <source>拆分活动窗为窗格
拆分</source>
        <translation>Split the active window into panes
Split</translation>
    </message>
    <message>
        <source>打开帮助
帮助主题</source>
        <translation>Open Help
Help Topics</translation>
    </message>
    <message>
        <source>查看使用帮助说明
帮助</source>
        <translation>Display instructions about how to use help
Help</translation>
    </message>
    <message>
        <source>查看当前任务或命令的帮助信息
帮助</source>
        <translation>Display help for the current task or command
Help</translation>
    </message>
    <message>
        <source>切换到下一个窗格
下一个窗格</source>
        <translation>Switch to the next window pane
Next Pane</translation>
    </message>
    <message>
        <source>切换到前一个窗格
前一个窗格</source>
        <translation>Switch back to the previous window pane
Previous Pane</translation>
    </message>
    <message>
        <source>更改窗口大小</source>
        <translation>Change the window size</translation>
    </message>
    <message>
        <source>更改窗口位置</source>
        <translation>Change the window position</translation>
    </message>
    <message>
        <source>最小化到任务栏</source>
        <translation>Reduce the window to an icon</translation>
    </message>
    <message>
        <source>放大到全尺寸窗口</source>
        <translation>Enlarge the window to full size</translation>
    </message>
    <message>
        <source>切换到下一个文档窗口</source>
        <translation>Switch to the next document window</translation>
    </message>
    <message>
        <source>切换到前一个文档窗口</source>
        <translation>Switch to the previous document window</translation>
    </message>
    <message>
        <source>关闭活动窗口，并提示保存文档</source>
        <translation>Close the active window and prompt to save the documents</translation>
    </message>
    <message>
        <source>还原到正常大小窗口</source>
        <translation>Restore the window to normal size</translation>
    </message>
    <message>
        <source>激活任务列表</source>
        <translation>Activate Task List</translation>
    </message>
    <message>
        <source>激活此窗口</source>
        <translation>Activate this window</translation>
    </message>
    <message>
        <source>关闭打印预览模式
取消预览</source>
        <translation>Close print preview mode
Cancel Preview</translation>
    </message>
    <message>
        <source>EXT</source>
        <translation>EXT</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>OVR</source>
        <translation>OVR</translation>
    </message>
    <message>
        <source>REC</source>
        <translation>REC</translation>
    </message>
</context>
<context>
    <name>ContextHelp</name>
    <message>
        <source>保存主机列表的文件名; 不带目录时存放在当前目录.</source>
        <translation>The name of the file the host list is saved in; without a directory it goes in the current one.</translation>
    </message>
    <message>
        <source>本机所在子网的子网掩码, 四个 0 到 255 的数 (最后一个至多 254).</source>
        <translation>The subnet mask of this machine&apos;s subnet: four numbers from 0 to 255 (the last one at most 254).</translation>
    </message>
    <message>
        <source>唤醒帧发往的 IP 广播地址、主机地址或主机名.</source>
        <translation>The IP broadcast address, host address or host name the wake-up frame is sent to.</translation>
    </message>
    <message>
        <source>目标主机以太网地址的一个字节, 两位十六进制数.</source>
        <translation>One byte of the target host&apos;s Ethernet address: two hexadecimal digits.</translation>
    </message>
    <message>
        <source>立即向目标主机发送一个唤醒帧.</source>
        <translation>Sends a wake-up frame to the target host now.</translation>
    </message>
    <message>
        <source>包含要唤醒的主机列表的文件; 下拉列表中是已设置的提醒.</source>
        <translation>The file with the list of hosts to wake; the drop-down list holds the alarms set.</translation>
    </message>
    <message>
        <source>选择一个主机列表文件.</source>
        <translation>Choose a host-list file.</translation>
    </message>
    <message>
        <source>唤醒帧发往的 IP 广播地址, 四个 0 到 255 的数.</source>
        <translation>The IP broadcast address the wake-up frames are sent to: four numbers from 0 to 255.</translation>
    </message>
    <message>
        <source>提醒生效的星期几.</source>
        <translation>The days of the week the alarm is on.</translation>
    </message>
    <message>
        <source>唤醒的时间: 时 (0-23) 和分 (0-59).</source>
        <translation>The time of the wake-up: hour (0-23) and minute (0-59).</translation>
    </message>
    <message>
        <source>按当前设置添加一个提醒 (最多 16 个).</source>
        <translation>Adds an alarm with these settings (16 at most).</translation>
    </message>
    <message>
        <source>移除所选的提醒.</source>
        <translation>Removes the chosen alarm.</translation>
    </message>
    <message>
        <source>保存所有提醒并关闭对话框; 提醒立即生效.</source>
        <translation>Saves all alarms and closes the dialog; the alarms take effect at once.</translation>
    </message>
    <message>
        <source>关闭对话框, 不保存修改.</source>
        <translation>Closes the dialog without saving the changes.</translation>
    </message>
    <message>
        <source>开始创建主机列表.</source>
        <translation>Starts creating the host list.</translation>
    </message>
    <message>
        <source>关闭对话框.</source>
        <translation>Closes the dialog.</translation>
    </message>
</context>
<context>
    <name>DialogDataExchange</name>
    <message>
        <source>请输入一个正整数。</source>
        <translation>Please enter a positive integer.</translation>
    </message>
    <message>
        <source>请输入一个在 %1 和 %2 之间的整数。</source>
        <translation>Please enter an integer between %1 and %2.</translation>
    </message>
    <message>
        <source>请输入不超过 %1 个字符。</source>
        <translation>Please enter no more than %1 characters.</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>&lt;h2&gt;%1 帮助&lt;/h2&gt;&lt;p&gt;%1 通过局域网发送唤醒帧(Wake-on-LAN), 远程开启计算机. 唤醒帧为 UDP 数据报, 发往端口 2304.&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;commands&quot;&gt;&lt;/a&gt;命令&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;创建主机列表&lt;/b&gt;: 轮询本子网的每个地址, 读取 ARP 缓存, 查找主机名, 写出一个主机列表文件(.mp)并打开它.&lt;/li&gt;&lt;li&gt;&lt;b&gt;启动指定主机&lt;/b&gt;: 输入以太网地址和广播地址, 立即唤醒一台主机.&lt;/li&gt;&lt;li&gt;&lt;b&gt;启动一组主机&lt;/b&gt;: 设置提醒, 在指定的星期和时间唤醒一个主机列表中的所有主机.&lt;/li&gt;&lt;li&gt;&lt;b&gt;文件&lt;/b&gt;菜单: 新建、打开、保存、打印主机列表文件. 也可以把文件拖到主窗口上打开.&lt;/li&gt;&lt;/ul&gt;&lt;h3&gt;&lt;a name=&quot;hostlist&quot;&gt;&lt;/a&gt;主机列表文件格式&lt;/h3&gt;&lt;p&gt;主机列表文件是文本文件(GBK 编码, CR LF 行尾). 以 # 开头的行是注释. 其余每行为: IP 地址、主机名、以太网地址, 以空格或 TAB 分隔, 例如:&lt;/p&gt;&lt;pre&gt;198.51.100.12	pc-12	00-0A-95-9D-68-16&lt;/pre&gt;&lt;p&gt;以太网地址为六对十六进制数字, 以 - 或 . 分隔.&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;documents&quot;&gt;&lt;/a&gt;编辑主机列表&lt;/h3&gt;&lt;p&gt;每个打开的文件显示在一个文档窗口中, 可以像普通文本一样编辑、查找、替换和打印. 定时唤醒读取磁盘上的文件, 修改只有在保存后才生效.&lt;/p&gt;&lt;p&gt;在主机列表中按 Ctrl+Return 唤醒所选各行(或光标所在行)的主机, 按 Ctrl+Shift+Return 唤醒列表中所有主机; 两者读取窗口中的当前文本, 未保存的修改也算在内. 文本左边的标记表示主机是否应答: 绿色为应答, 红色为未应答, 空心为尚未知道; 把鼠标停在标记上可以看到自何时起.&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;alarms&quot;&gt;&lt;/a&gt;提醒&lt;/h3&gt;&lt;p&gt;每个提醒包含一个主机列表文件、一个 IP 广播地址、若干星期和一个时间(时:分). 程序运行期间, 每分钟检查一次所有提醒; 到时的提醒唤醒其文件中的每台主机. 提醒保存在启动目录的文件 DwnGs 中, 最多 16 个.&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;log&quot;&gt;&lt;/a&gt;唤醒日志&lt;/h3&gt;&lt;p&gt;每次定时唤醒都在启动目录的文本文件 Dawnly.log 末尾添加一条记录: 日期行, 以及唤醒的主机数或出错原因. 可以用任何文本编辑器查看.&lt;/p&gt;&lt;h3&gt;上下文帮助&lt;/h3&gt;&lt;p&gt;按 Shift+F1 或工具栏上的帮助按钮, 再点击按钮、菜单或对话框中的控件, 即可看到它的简短说明.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;%1 Help&lt;/h2&gt;&lt;p&gt;%1 turns computers on over the local network by sending them wake-up frames (Wake-on-LAN). A wake-up frame is a UDP datagram sent to port 2304.&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;commands&quot;&gt;&lt;/a&gt;Commands&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Create Host List&lt;/b&gt;: polls every address of this subnet, reads the ARP cache, looks up the host names, writes a host-list file (.mp) and opens it.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Power On Host&lt;/b&gt;: enter an Ethernet address and a broadcast address to wake one host at once.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Power On Group&lt;/b&gt;: set alarms that wake every host of a host list on the chosen days at the chosen time.&lt;/li&gt;&lt;li&gt;The &lt;b&gt;File&lt;/b&gt; menu: create, open, save and print host-list files. You can also drop files on the main window to open them.&lt;/li&gt;&lt;/ul&gt;&lt;h3&gt;&lt;a name=&quot;hostlist&quot;&gt;&lt;/a&gt;The host-list file format&lt;/h3&gt;&lt;p&gt;A host-list file is a text file (GBK encoding, CR LF line ends). Lines starting with # are comments. Every other line holds an IP address, a host name and an Ethernet address, separated by spaces or TABs, for example:&lt;/p&gt;&lt;pre&gt;198.51.100.12	pc-12	00-0A-95-9D-68-16&lt;/pre&gt;&lt;p&gt;An Ethernet address is six pairs of hexadecimal digits, separated by - or . .&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;documents&quot;&gt;&lt;/a&gt;Editing host lists&lt;/h3&gt;&lt;p&gt;Each open file is shown in a document window, where it can be edited, searched, replaced in and printed like any text. Alarms read the file on disk, so changes take effect only once saved.&lt;/p&gt;&lt;p&gt;In a host list, Ctrl+Return wakes the hosts of the selected lines (or of the line with the cursor), and Ctrl+Shift+Return wakes every host of the list; both read the text in the window as it is now, unsaved changes included. The mark left of the text shows whether a host answers: green answers, red does not, hollow is not known yet; rest the mouse on a mark to see since when.&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;alarms&quot;&gt;&lt;/a&gt;Alarms&lt;/h3&gt;&lt;p&gt;Each alarm holds a host-list file, an IP broadcast address, some days of the week and a time (hour:minute). While the program runs it checks all alarms once a minute; an alarm that is due wakes every host of its file. The alarms are kept in the file DwnGs of the start directory, at most 16.&lt;/p&gt;&lt;h3&gt;&lt;a name=&quot;log&quot;&gt;&lt;/a&gt;The wake log&lt;/h3&gt;&lt;p&gt;Every alarm that wakes hosts adds an entry at the end of the text file Dawnly.log in the start directory: a date line, then the number of hosts woken or the reason for a failure. Any text editor shows it.&lt;/p&gt;&lt;h3&gt;Context help&lt;/h3&gt;&lt;p&gt;Press Shift+F1 or the help button of the toolbar, then click a button, a menu or a control of a dialog to see a short description of it.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>%1 帮助</source>
        <translation>%1 Help</translation>
    </message>
</context>
<context>
    <name>dawnly</name>
    <message>
        <source>用法: dawnly [--dir 目录]
      dawnly --shell-open [文件...]
      dawnly --help | --version

Wakeburst Utility 的桌面程序: 主机列表文件、唤醒和组提醒.

  --dir 目录        提醒存储、唤醒日志和临时列表都放在此目录
                    (默认: 启动 dawnly 的目录)
  --shell-open      桌面入口运行的方式: 把文件交给正在运行的 dawnly, 或带着它们
                    启动; 文件放在 $XDG_DATA_HOME/wakeburst (~/.local/share/wakeburst),
                    提醒服务在那里找到它们
  --help            显示此帮助并退出
  --version         显示版本并退出

详见 dawnly(1). 命令行工具 wakeburst(1) 不需要显示器.
</source>
        <translation>usage: dawnly [--dir DIR]
       dawnly --shell-open [FILE...]
       dawnly --help | --version

The desktop program of Wakeburst Utility: host-list files, wake-ups and group alarms.

  --dir DIR         keep the alarm store, the wake log and the temporary listing in DIR
                    (default: the directory dawnly is started from)
  --shell-open      what the desktop entry runs: hands FILEs to a running dawnly, or
                    starts with them, keeping the files in $XDG_DATA_HOME/wakeburst
                    (~/.local/share/wakeburst), where the alarm service finds them
  --help            show this help and exit
  --version         show the version and exit

See dawnly(1). The command-line tool wakeburst(1) needs no display.
</translation>
    </message>
    <message>
        <source>dawnly: 无法打开窗口: 连接不到显示器 (DISPLAY 或 WAYLAND_DISPLAY); 命令行工具 wakeburst 不需要显示器
</source>
        <translation>dawnly: cannot open a window: no display could be reached (DISPLAY or WAYLAND_DISPLAY); the command-line tool wakeburst needs none
</translation>
    </message>
    <message>
        <source>dawnly: --dir 需要一个目录 (详见 dawnly --help)
</source>
        <translation>dawnly: --dir needs a directory (see dawnly --help)
</translation>
    </message>
    <message>
        <source>dawnly: 未知选项 &apos;%1&apos; (详见 dawnly --help)
</source>
        <translation>dawnly: unknown option &apos;%1&apos; (see dawnly --help)
</translation>
    </message>
</context>
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
        <translation>wakeburst run-alarms: loaded %1 alarm(s) from %2</translation>
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
    <message>
        <source>	错过 %1 的提醒 (%2).
</source>
        <translation>	Missed the alarm for %1 (%2).
</translation>
    </message>
    <message>
        <source>组 %1 允许的最大值.</source>
        <translation>No more than %1 alarms are allowed.</translation>
    </message>
    <message>
        <source>没有撤消</source>
        <translation>Nothing to remove.</translation>
    </message>
    <message>
        <source>提醒设置被存储在文件 DwnGs 中.
不管这个文件被损坏或是以前的版本所保存.
请使用文本编辑器查看你是否能挽救一些信息. 无论如何, 你应该使用&apos;启动一组主机(G)&apos; 命令再次设置提醒.</source>
        <translation>The alarms are stored in the file DwnGs.
This file is damaged or was saved by an earlier version.
Use a text editor to see whether you can rescue some of it. In any case, set the alarms again with the &apos;Power On Group&apos; command.</translation>
    </message>
    <message>
        <source>	错误 地址:%1: Wakeburst 未被发送 (%2).
</source>
        <translation>	Error at address %1: the wakeburst was not sent (%2).
</translation>
    </message>
    <message>
        <source>	错误 地址:%1: %2/%3 Wakeburst 未被发送 (%4).
</source>
        <translation>	Error at address %1: %2 of %3 wakebursts were not sent (%4).
</translation>
    </message>
    <message>
        <source>	错误 文件:%1
	另有 %2 行: 请检查IP地址和以太网[MAC]地址.
</source>
        <translation>	Error in file %1
	And %2 more lines: check the IP address and the Ethernet [MAC] address.
</translation>
    </message>
    <message>
        <source>	错误 另有 %1 个地址: Wakeburst 未被发送.
</source>
        <translation>	Error at %1 more addresses: the wakeburst was not sent.
</translation>
    </message>
    <message>
        <source>Windows套接字初始化失败.</source>
        <translation>Windows Sockets could not be initialized.</translation>
    </message>
    <message>
        <source>无法创建文件 %1
提醒设置未被保存.</source>
        <translation>Cannot create the file %1.
The alarms were not saved.</translation>
    </message>
    <message>
        <source>	无法以只读方式打开 %1 .
</source>
        <translation>	Cannot open %1 for reading.
</translation>
    </message>
    <message>
        <source>	无法以写入方式打开 %1.
</source>
        <translation>	Cannot open %1 for writing.
</translation>
    </message>
    <message>
        <source>不合法的以太网地址: %1<byte value="xd"/>

Wakeburst 未被发送.</source>
        <translation>Invalid Ethernet address: %1<byte value="xd"/>

The wakeburst was not sent.</translation>
    </message>
    <message>
        <source>	错误: %1是一个非法的IP 广播地址.<byte value="xd"/>

	文件: %2<byte value="xd"/>
</source>
        <translation>	Error: %1 is not a valid IP broadcast address.<byte value="xd"/>

	File: %2<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>文件 <byte value="xd"/>
%1
未被发现.  请查实后重试.</source>
        <translation>The file<byte value="xd"/>
%1
was not found. Check the name and try again.</translation>
    </message>
    <message>
        <source>拒绝经由其他用户的符号链接 %1 写入.</source>
        <translation>Refusing to write through %1, a symbolic link of another user.</translation>
    </message>
    <message>
        <source>等待另一个程序释放 %1 ...</source>
        <translation>Waiting for another program to release %1 ...</translation>
    </message>
    <message>
        <source>掩码第 %1 部分须为 0 到 %2 之间的整数, 而不是 &apos;%3&apos;</source>
        <translation>mask part %1 must be an integer from 0 to %2, not &apos;%3&apos;</translation>
    </message>
    <message>
        <source>获取此主机的 IP 地址</source>
        <translation>Getting the IP address of this host</translation>
    </message>
    <message>
        <source>轮询局域网内所有主机.</source>
        <translation>Polling all hosts of the local network.</translation>
    </message>
    <message>
        <source>正在读取 ARP 缓存.</source>
        <translation>Reading the ARP cache.</translation>
    </message>
    <message>
        <source>正在完成IP地址到主机名的映射.</source>
        <translation>Mapping the IP addresses to host names.</translation>
    </message>
    <message>
        <source>无法获取主机 IP 地址.</source>
        <translation>Cannot get the IP address of this host.</translation>
    </message>
    <message>
        <source>无法读取 ARP 缓存.</source>
        <translation>Cannot read the ARP cache.</translation>
    </message>
    <message>
        <source>无法读取ARP缓存.
可能原因: ARP.EXE 和/或 CONSPAWN.EXE 不存在.</source>
        <translation>Cannot read the ARP cache.
Possible cause: ARP.EXE and/or CONSPAWN.EXE are missing.</translation>
    </message>
    <message>
        <source>	错误 文件:%1
	行 %2: 请检查IP地址和以太网[MAC]地址.
</source>
        <translation>	Error in file %1
	Line %2: check the IP address and the Ethernet [MAC] address.
</translation>
    </message>
    <message>
        <source>阻止调用被取消.</source>
        <translation>A blocking call was cancelled.</translation>
    </message>
    <message>
        <source>name属性不是用户地址空间的有效组成部分.</source>
        <translation>The name argument is not a valid part of the user address space.</translation>
    </message>
    <message>
        <source>服务仍在处理一个回调函数.</source>
        <translation>The service is still processing a callback function.</translation>
    </message>
    <message>
        <source>网络错误.</source>
        <translation>Network error.</translation>
    </message>
    <message>
        <source>Winsock初始化错误.</source>
        <translation>Winsock initialization error.</translation>
    </message>
    <message>
        <source>未发现授权应答主机.</source>
        <translation>Authoritative answer host not found.</translation>
    </message>
    <message>
        <source>未发现主机 或 服务器故障.</source>
        <translation>Host not found, or server failure.</translation>
    </message>
    <message>
        <source>不可恢复的错误.</source>
        <translation>Nonrecoverable error.</translation>
    </message>
    <message>
        <source>名称有效,但没有数据记录</source>
        <translation>The name is valid, but has no data record</translation>
    </message>
    <message>
        <source>未知错误!!!</source>
        <translation>Unknown error!!!</translation>
    </message>
    <message>
        <source>不合法的以太网地址</source>
        <translation>invalid Ethernet address</translation>
    </message>
    <message>
        <source>帧未被完整发送</source>
        <translation>the frame was sent only in part</translation>
    </message>
    <message>
        <source>不是目录</source>
        <translation>not a directory</translation>
    </message>
    <message>
        <source>无法读取当前目录</source>
        <translation>the current directory cannot be read</translation>
    </message>
    <message>
        <source>XDG_DATA_HOME 和 HOME 都没有设置</source>
        <translation>neither XDG_DATA_HOME nor HOME is set</translation>
    </message>
    <message>
        <source>没有给出目录</source>
        <translation>no directory given</translation>
    </message>
    <message>
        <source>加锁期间一再被替换</source>
        <translation>replaced again and again while being locked</translation>
    </message>
    <message>
        <source>符号链接</source>
        <translation>a symbolic link</translation>
    </message>
    <message>
        <source>属于另一个用户</source>
        <translation>owned by another user</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>wakeburst: 写入出错: %1</source>
        <translation>wakeburst: write error: %1</translation>
    </message>
    <message>
        <source>1 行有 IP 地址而没有以太网地址</source>
        <translation>1 line holds an IP address but no Ethernet address</translation>
    </message>
    <message>
        <source>%1 行有 IP 地址而没有以太网地址</source>
        <translation>%1 lines hold an IP address but no Ethernet address</translation>
    </message>
    <message>
        <source>1 台主机既没有 ethers 能完整读回的名字, 也没有 IP 地址</source>
        <translation>1 host has neither a name that ethers reads back whole nor an IP address</translation>
    </message>
    <message>
        <source>%1 台主机既没有 ethers 能完整读回的名字, 也没有 IP 地址</source>
        <translation>%1 hosts have neither a name that ethers reads back whole nor an IP address</translation>
    </message>
    <message>
        <source>wakeburst export: 略去 1 个条目: %2</source>
        <translation>wakeburst export: 1 entry left out: %2</translation>
    </message>
    <message>
        <source>wakeburst export: 略去 %1 个条目: %2</source>
        <translation>wakeburst export: %1 entries left out: %2</translation>
    </message>
    <message>
        <source>应为对象</source>
        <translation>an object expected</translation>
    </message>
    <message>
        <source>应为 &apos;,&apos; 或 &apos;]&apos;</source>
        <translation>&apos;,&apos; or &apos;]&apos; expected</translation>
    </message>
    <message>
        <source>不是 JSON 数组</source>
        <translation>no JSON array</translation>
    </message>
    <message>
        <source>应为成员名</source>
        <translation>a member name expected</translation>
    </message>
    <message>
        <source>应为 &apos;:&apos;</source>
        <translation>&apos;:&apos; expected</translation>
    </message>
    <message>
        <source>应为 &apos;,&apos; 或 &apos;}&apos;</source>
        <translation>&apos;,&apos; or &apos;}&apos; expected</translation>
    </message>
    <message>
        <source>数组之后还有文字</source>
        <translation>text after the array</translation>
    </message>
    <message>
        <source>应为 JSON 值</source>
        <translation>a JSON value expected</translation>
    </message>
    <message>
        <source>应为字符串或 null</source>
        <translation>a string or null expected</translation>
    </message>
    <message>
        <source>字符串没有结束</source>
        <translation>a string is not closed</translation>
    </message>
    <message>
        <source>字符串中有控制字符</source>
        <translation>a control character in a string</translation>
    </message>
    <message>
        <source>字符串比一行还长</source>
        <translation>a string longer than a line</translation>
    </message>
    <message>
        <source>字符串中有错误的转义</source>
        <translation>a bad escape in a string</translation>
    </message>
    <message>
        <source>wakeburst import: %1 的第 %2 行: %3; 什么也没有写入</source>
        <translation>wakeburst import: line %2 of %1: %3; nothing was written</translation>
    </message>
    <message>
        <source>wakeburst import: 第 %1 行无法读取: ip &apos;%2&apos;, mac &apos;%3&apos;</source>
        <translation>wakeburst import: line %1 cannot be read: ip &apos;%2&apos;, mac &apos;%3&apos;</translation>
    </message>
    <message>
        <source>wakeburst import: %1 的第 %2 行超过 %3 字节; 什么也没有写入</source>
        <translation>wakeburst import: line %2 of %1 is longer than %3 bytes; nothing was written</translation>
    </message>
    <message>
        <source>wakeburst import: %1 中从第 %2 行起的带引号字段超过 %3 字节; 什么也没有写入</source>
        <translation>wakeburst import: the quoted field from line %2 of %1 is longer than %3 bytes; nothing was written</translation>
    </message>
    <message>
        <source>wakeburst import: 第 %1 行无法读取: %2</source>
        <translation>wakeburst import: line %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>wakeburst import: 第 %1 行: CSV 表头没有标明 mac 列</source>
        <translation>wakeburst import: line %1: the CSV header names no mac column</translation>
    </message>
    <message>
        <source>wakeburst import: 第 %1 行: 名字 &apos;%2&apos; 写作 &apos;%3&apos;, 以便主机列表容纳</source>
        <translation>wakeburst import: line %1: the name &apos;%2&apos; is written as &apos;%3&apos; to fit a host list</translation>
    </message>
    <message>
        <source>wakeburst import: 略去 1 个邻居条目: 失败, 不完整或不是 IPv4</source>
        <translation>wakeburst import: 1 neighbour entry left out: failed, incomplete or not IPv4</translation>
    </message>
    <message>
        <source>wakeburst import: 略去 %1 个邻居条目: 失败, 不完整或不是 IPv4</source>
        <translation>wakeburst import: %1 neighbour entries left out: failed, incomplete or not IPv4</translation>
    </message>
    <message>
        <source>wakeburst import: 无法从 %1 读出任何主机</source>
        <translation>wakeburst import: no host could be read from %1</translation>
    </message>
    <message>
        <source>%1 是无效的IP地址.</source>
        <translation>%1 is not a valid IP address.</translation>
    </message>
    <message>
        <source>发送到 %1</source>
        <translation>sent to %1</translation>
    </message>
    <message>
        <source>需要 %1 或 %2</source>
        <translation>expects %1, or %2</translation>
    </message>
    <message>
        <source>wakeburst %1: %2 须为 %3 或 %4, 而不是 &apos;%5&apos;</source>
        <translation>wakeburst %1: %2 takes %3 or %4, not &apos;%5&apos;</translation>
    </message>
</context>
<context>
    <name>wb::gui::CAboutDlg</name>
    <message>
        <source>关于 %1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>版本 1.00.005</source>
        <translation>Version 1.00.005</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>wb::gui::CAlarmDlg</name>
    <message>
        <source>周日</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>周一</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>周二</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>周三</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>周四</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>周五</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>周六</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>每天</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>无日期</source>
        <translation>No days</translation>
    </message>
    <message>
        <source>星期日</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>星期一</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>星期二</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>星期三</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>星期四</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>星期五</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>星期六</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>设置组提醒</source>
        <translation>Set Group Alarms</translation>
    </message>
    <message>
        <source>包含组列表的文件:</source>
        <translation>File with the group list:</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>IP 广播地址:</source>
        <translation>IP broadcast address:</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>设置提醒</source>
        <translation>Set alarm</translation>
    </message>
    <message>
        <source>唤醒时间:</source>
        <translation>Wake-up time:</translation>
    </message>
    <message>
        <source>时:</source>
        <translation>Hour:</translation>
    </message>
    <message>
        <source>分:</source>
        <translation>Minute:</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>文件 DwnGs 中的提醒设置已被另一个程序更改.

是: 用这里的设置覆盖另一个程序的更改.
否: 重新载入文件中的设置, 放弃这里的更改.
取消: 返回对话框.</source>
        <translation>Another program has changed the alarms in the file DwnGs.

Yes: overwrite the other program&apos;s changes with the settings here.
No: reload the settings from the file and drop the changes here.
Cancel: return to the dialog.</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>远程启动组文件(*.mp);;所有文件 (*.*)</source>
        <translation>Remote power-on group files (*.mp);;All Files (*.*)</translation>
    </message>
    <message>
        <source>已有相同的提醒:
%1</source>
        <translation>The same alarm is already set:
%1</translation>
    </message>
</context>
<context>
    <name>wb::gui::CCreateListDlg</name>
    <message>
        <source>创建局域网主机列表</source>
        <translation>Create LAN Host List</translation>
    </message>
    <message>
        <source>子网掩码:</source>
        <translation>Subnet mask:</translation>
    </message>
    <message>
        <source>文件名 - 保存主机列表为:</source>
        <translation>File name - save the host list as:</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>wb::gui::CDawnlyApp</name>
    <message>
        <source>无法使用数据目录: %1</source>
        <translation>Cannot use the data directory: %1</translation>
    </message>
    <message>
        <source>;;所有文件 (*)</source>
        <translation>;;All Files (*)</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>wb::gui::CDawnlyDoc</name>
    <message>
        <source>无法打开文件 %1.</source>
        <translation>Cannot open the file %1.</translation>
    </message>
    <message>
        <source>文件 %1 中有无法按原样保存的内容(如行中的回车符或混合的行尾).
继续保存会改变这些字节. 是否继续保存?</source>
        <translation>The file %1 holds content that cannot be saved as it is (such as carriage returns inside a line or mixed line ends).
Saving will change these bytes. Save anyway?</translation>
    </message>
    <message>
        <source>无法保存文件 %1.</source>
        <translation>Cannot save the file %1.</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>是否保存对 %1 的修改?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>;;所有文件 (*)</source>
        <translation>;;All Files (*)</translation>
    </message>
</context>
<context>
    <name>wb::gui::CDawnlyView</name>
    <message>
        <source> 等 %1 个</source>
        <translation> and more, %1 in all</translation>
    </message>
    <message>
        <source>%1 %2 秒后醒来</source>
        <translation>%1 awake after %2 s</translation>
    </message>
    <message>
        <source>第 %1 行 (%2)</source>
        <translation>line %1 (%2)</translation>
    </message>
    <message>
        <source>已唤醒 %1 台主机</source>
        <translation>Woke %1 host(s)</translation>
    </message>
    <message>
        <source>; 无法读取的行: %1</source>
        <translation>; lines that cannot be read: %1</translation>
    </message>
    <message>
        <source> (共 %1 行)</source>
        <translation> (%1 lines in all)</translation>
    </message>
    <message>
        <source>; 未发送: %1</source>
        <translation>; not sent: %1</translation>
    </message>
</context>
<context>
    <name>wb::gui::CFindReplaceDlg</name>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>查找内容(&amp;N):</source>
        <translation>Fi&amp;nd what:</translation>
    </message>
    <message>
        <source>替换为(&amp;P):</source>
        <translation>Re&amp;place with:</translation>
    </message>
    <message>
        <source>全字匹配(&amp;W)</source>
        <translation>Match &amp;whole word only</translation>
    </message>
    <message>
        <source>区分大小写(&amp;C)</source>
        <translation>Match &amp;case</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>向上(&amp;U)</source>
        <translation>&amp;Up</translation>
    </message>
    <message>
        <source>向下(&amp;D)</source>
        <translation>&amp;Down</translation>
    </message>
    <message>
        <source>查找下一个(&amp;F)</source>
        <translation>&amp;Find Next</translation>
    </message>
    <message>
        <source>替换(&amp;R)</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <source>全部替换(&amp;A)</source>
        <translation>Replace &amp;All</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>wb::gui::CHostMarks</name>
    <message>
        <source>%1 自 %2 起应答</source>
        <translation>%1 answers since %2</translation>
    </message>
    <message>
        <source>%1 自 %2 起无应答</source>
        <translation>%1 has not answered since %2</translation>
    </message>
    <message>
        <source>%1 尚未探测</source>
        <translation>%1 not probed yet</translation>
    </message>
</context>
<context>
    <name>wb::gui::CMainFrame</name>
    <message>
        <source>时间设置失败.</source>
        <translation>The timer could not be set.</translation>
    </message>
    <message>
        <source>新建(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>打开(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>打印(&amp;P)...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>打印预览(&amp;v)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>打印设置(&amp;r)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>最近文件</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>退出(&amp;x)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>撤消(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>剪切(&amp;t)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>复制(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>查找(&amp;F)</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>替换(&amp;R)</source>
        <translation>&amp;Replace...</translation>
    </message>
    <message>
        <source>全选(&amp;S)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>创建主机列表(&amp;C)</source>
        <translation>&amp;Create Host List...</translation>
    </message>
    <message>
        <source>启动指定主机(&amp;P)</source>
        <translation>&amp;Power On Host...</translation>
    </message>
    <message>
        <source>启动一组主机(&amp;G)</source>
        <translation>Power On &amp;Group...</translation>
    </message>
    <message>
        <source>唤醒所选主机(&amp;W)	Ctrl+Return</source>
        <translation>&amp;Wake Selected Hosts	Ctrl+Return</translation>
    </message>
    <message>
        <source>唤醒列表中所有主机(&amp;L)	Ctrl+Shift+Return</source>
        <translation>Wake All Hosts of the &amp;List	Ctrl+Shift+Return</translation>
    </message>
    <message>
        <source>新建窗口(&amp;N)</source>
        <translation>&amp;New Window</translation>
    </message>
    <message>
        <source>重叠窗口(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>平铺窗口(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>排列图标(&amp;A)</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>帮助主题(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>关于 %1(&amp;A)...</source>
        <translation>&amp;About %1...</translation>
    </message>
    <message>
        <source>唤醒所选各行(或光标所在行)的主机
唤醒所选主机</source>
        <translation>Wake the hosts of the selected lines (or of the line with the cursor)
Wake Selected Hosts</translation>
    </message>
    <message>
        <source>唤醒此列表中的每台主机, 包括未保存的修改
唤醒所有主机</source>
        <translation>Wake every host of this list, unsaved changes included
Wake All Hosts</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Wakebursts</source>
        <translation>&amp;Wakebursts</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation>Wi&amp;ndow</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>另一个程序正在运行这些提醒</source>
        <translation>Another program is running these alarms</translation>
    </message>
    <message>
        <source>无法运行这些提醒: </source>
        <translation>Cannot run these alarms: </translation>
    </message>
</context>
<context>
    <name>wb::gui::CSendDlg</name>
    <message>
        <source>发送 Wakeburst 到指定主机</source>
        <translation>Send a Wakeburst to a Host</translation>
    </message>
    <message>
        <source>IP 广播地址</source>
        <translation>IP broadcast address</translation>
    </message>
    <message>
        <source>目的以太网地址:</source>
        <translation>Destination Ethernet address:</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>IP地址无效.
请重试.</source>
        <translation>The IP address is not valid.
Please try again.</translation>
    </message>
    <message>
        <source>地址解析中... 请稍后.</source>
        <translation>Resolving the address... Please wait.</translation>
    </message>
    <message>
        <source>%1 是无效的IP地址.
要使用有线广播 255.255.255.255 吗?</source>
        <translation>%1 is not a valid IP address.
Use the limited broadcast 255.255.255.255 instead?</translation>
    </message>
    <message>
        <source>IP地址错误</source>
        <translation>Wrong IP Address</translation>
    </message>
    <message>
        <source>Wakeburst 未被发送到 %1.</source>
        <translation>The wakeburst was not sent to %1.</translation>
    </message>
    <message>
        <source>发送到 %1</source>
        <translation>Sent to %1</translation>
    </message>
</context>
</TS>
