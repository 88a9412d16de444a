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
</context>
</TS>
