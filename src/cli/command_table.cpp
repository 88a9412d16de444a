#include "cli/command_table.h"

#include <algorithm>
#include <set>

#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_output.h"
#include "cli/commands.h"

namespace wb::cli {

namespace {

using Options = std::vector<OptionRow>;
constexpr std::size_t kAny = CommandRow::kAny;

// Option names stand in a column of 19, their text from the 22nd column on; a longer name
// has its text on the next line.
constexpr std::size_t kNameColumn = 19;
const std::string kTextIndent(kNameColumn + 2, ' ');

const OptionRow kHelp{"-h, --help", "", WB_TR_NOOP("wakeburst", "显示本帮助")};
const OptionRow kDir{"--dir", "DIR",
                     WB_TR_NOOP("wakeburst",
                                "提醒存储 DwnGs 和唤醒日志 Dawnly.log 所在的目录\n"
                                "(默认: 当前目录)")};
const OptionRow kQuiet{"-q, --quiet", "", WB_TR_NOOP("wakeburst", "不输出任何行 (错误仍会输出)")};
const OptionRow kEndOfOptions{"--", "", WB_TR_NOOP("wakeburst", "结束选项")};

// The options that send and wake share, and the text of the wait, which differs.
Options WakeOptions(const char* waitHelp) {
    return {
        {"--to", "DEST",
         WB_TR_NOOP("wakeburst",
                    "IPv4 地址, 广播地址或主机名 (默认 255.255.255.255), 或 IPv6 地址;\n"
                    "链路本地地址和组播地址须带范围 (fe80::1%eth0, ff02::1%eth0)")},
        {"--port", "N", WB_TR_NOOP("wakeburst", "UDP 端口 1..65535 (默认 2304)")},
        {"--repeat", "N", WB_TR_NOOP("wakeburst", "每台主机发送的帧数, 1..100 (默认 1)")},
        {"--interval", "MS",
         WB_TR_NOOP("wakeburst", "两次重复之间的间隔, 0..60000 毫秒 (默认 100)")},
        {"--interface", "IF",
         WB_TR_NOOP("wakeburst", "只经由这个网络接口发送 (广播时: 从 IF 发出)")},
        {"--password", "PW",
         WB_TR_NOOP("wakeburst",
                    "附加在帧后的 SecureOn 密码: 六个字节, 写法同以太网地址 (帧长 108\n"
                    "字节), 或四个字节, 写法同点分 IPv4 地址 (帧长 106 字节)")},
        {"--wait", "SECONDS", waitHelp},
    };
}

Options With(Options options, const std::vector<OptionRow>& more) {
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

constexpr char kExitStatus[] =
    WB_TR_NOOP("wakeburst",
               "退出状态: 0 完成, 1 操作失败, 2 输入或用法有误, 3 有主机未在时限内应答 (--wait)\n");

std::vector<CommandRow> BuildTable() {
    const char* oneList = WB_TR_NOOP("wakeburst", "需要一个主机列表文件");
    return {
        {"send",
         WB_TR_NOOP("wakeburst", "按以太网地址唤醒主机"),
         {"send [options] ETHERNET...", "send [options] -"},
         WB_TR_NOOP("wakeburst",
                    "唤醒每个地址 (可以给出多个); 给出 - 时, 从标准输入读取以太网地址, 每行一个.\n"
                    "ETHERNET 为六对十六进制数字: 00-A0-C9-12-34-56, 00.a0.c9.12.34.56,\n"
                    "00a0c9123456 或 00:a0:c9:12:34:56; 全零地址和广播地址不被接受."),
         With(WakeOptions(
                  WB_TR_NOOP("wakeburst", "发送后等待主机应答; 应答则退出状态为 0, 超时则为 3")),
              {{"--host", "IP", WB_TR_NOOP("wakeburst", "DEST 不是主机本身时, 要等待应答的主机")},
               kQuiet,
               kEndOfOptions}),
         kExitStatus,
         1,
         kAny,
         WB_TR_NOOP("wakeburst", "需要以太网地址, 或 - 从标准输入读取"),
         RunSend},
        {"check",
         WB_TR_NOOP("wakeburst", "列出主机列表中的以太网地址"),
         {"check FILE"},
         WB_TR_NOOP("wakeburst",
                    "列出主机列表 (.mp) 中的以太网地址, 每行一个; 无法使用的行在标准错误上报告,\n"
                    "并使退出状态为 1."),
         {},
         "",
         1,
         1,
         oneList,
         RunCheck},
        {"scan",
         WB_TR_NOOP("wakeburst", "为本子网中应答的主机建立主机列表"),
         {"scan [--mask A.B.C.D] [-o NAME]"},
         WB_TR_NOOP("wakeburst", "由应答的主机 (经由 ARP 缓存) 建立本子网的主机列表."),
         {{"--mask", "A.B.C.D", WB_TR_NOOP("wakeburst", "子网掩码 (默认 255.255.255.0)")},
          {"-o", "NAME",
           WB_TR_NOOP("wakeburst", "要写入的文件, 没有 .mp 时加上 (默认 新建组.mp)")}},
         "",
         0,
         0,
         WB_TR_NOOP("wakeburst", "不接受位置参数"),
         RunScan},
        {"wake",
         WB_TR_NOOP("wakeburst", "唤醒主机列表中的所有主机"),
         {"wake [options] FILE"},
         WB_TR_NOOP("wakeburst",
                    "唤醒主机列表 (.mp) 中的所有主机, 并把结果追加到唤醒日志; 列表中有无法使用的\n"
                    "行时, 唤醒其余主机之后以状态 1 退出."),
         With(WakeOptions(WB_TR_NOOP("wakeburst",
                                     "发送后等待主机应答; 应答则退出状态为 0, 超时则为 3\n"
                                     "(列表中所在行带有 IP 地址的每台主机)")),
              {kDir, kQuiet, kEndOfOptions}),
         kExitStatus,
         1,
         1,
         oneList,
         RunWake},
        {"import",
         WB_TR_NOOP("wakeburst", "由其他工具的列表写出主机列表"),
         {"import [--format auto|ethers|csv|plain|neigh|json] INPUT|- -o OUT.mp"},
         WB_TR_NOOP(
             "wakeburst",
             "由其他工具的列表写出主机列表: ethers 行 (ETHERNET 加主机名或地址, # 开始注释),\n"
             "表头标明 ip, name 和 mac 列的 CSV (RFC 4180) (列名也可为 ip_address, address,\n"
             "hostname, host, mac_address, ethernet, hwaddr; 大小写和次序不限; 字段以 , 或 ;\n"
             "分隔), 以 : 或 - 书写的以太网地址行, ip neigh, arp -an, arp -n 和 /proc/net/arp\n"
             "的邻居表 (略去失败和不完整的条目), 或 export 输出的 JSON.\n"
             "没有 IP 地址的主机取其名字解析出的地址, 解析不出则为 0.0.0.0; 主机列表无法原样\n"
             "容纳的名字会被改写, 并加以说明. 无法读取的行连同行号一并报告; 一行也读不出时\n"
             "退出状态为 1."),
         {{"--format", "auto|ethers|csv|plain|neigh|json",
           WB_TR_NOOP("wakeburst",
                      "INPUT 的格式 (默认 auto: 以 [ 开头时为 JSON, 首行是标明\n"
                      "mac 列的表头时为 CSV, 开头像邻居表时为邻居表, 否则为\n"
                      "ethers 或 plain)")},
          {"-o", "OUT.mp", WB_TR_NOOP("wakeburst", "要写入的主机列表 (整个替换)")}},
         "",
         1,
         1,
         WB_TR_NOOP("wakeburst", "需要一个输入文件 (或 -) 和 -o OUT.mp"),
         RunImport},
        {"export",
         WB_TR_NOOP("wakeburst", "以 CSV, ethers 行或 JSON 列出主机列表中的主机"),
         {"export [--format csv|ethers|json] FILE.mp"},
         WB_TR_NOOP(
             "wakeburst",
             "以 UTF-8 列出主机列表中的主机 (以太网地址, 及其所在行的 IP 地址和主机名): 表头\n"
             "为 ip,name,mac 的 CSV, ethers 行, 或由对象 {\"ip\",\"name\",\"mac\"} 组成的 JSON\n"
             "数组. 电子表格会当作公式执行的 CSV 字段前加一个 '; 控制字符写作 _.\n"
             "名字无法完整读回时, ethers 以 IP 地址称呼主机.\n"
             "略去了多少条目以及原因, 在标准错误上说明."),
         {{"--format", "csv|ethers|json", WB_TR_NOOP("wakeburst", "输出的格式 (默认 csv)")}},
         "",
         1,
         1,
         oneList,
         RunExport},
        {"alarms",
         WB_TR_NOOP("wakeburst", "每周的组提醒: list, add, remove, next"),
         {},  // the forms of its sub-commands
         WB_TR_NOOP("wakeburst",
                    "每周的组提醒; 默认为 list. wakeburst alarms SUBCOMMAND --help\n"
                    "说明每个子命令的选项."),
         {kDir},
         "",
         0,
         kAny,
         "",
         RunAlarms},
        {"alarms list",
         "",
         {"alarms list [--json] [--dir DIR]"},
         WB_TR_NOOP("wakeburst",
                    "每行列出一个提醒: 序号, 星期 (SMTWTFS), 时间, 广播地址和主机列表文件."),
         {{"--json", "",
           WB_TR_NOOP("wakeburst",
                      "由对象 {\"index\",\"days\",\"time\",\n"
                      "\"broadcast\",\"file\"} 组成的 JSON 数组")},
          kDir},
         "",
         0,
         0,
         "",
         RunAlarmsList},
        {"alarms add",
         "",
         {"alarms add --file F --days LIST --time HH:MM [--to A.B.C.D] [--dir DIR]"},
         WB_TR_NOOP("wakeburst", "添加一个提醒, 在这些日子的这个时间唤醒主机列表中的主机."),
         {{"--file", "F", WB_TR_NOOP("wakeburst", "要唤醒的主机列表")},
          {"--days", "all|sun|mon|tue|wed|thu|fri|sat[,...]",
           WB_TR_NOOP("wakeburst", "all, 或以逗号连接的任意几天")},
          {"--time", "HH:MM", WB_TR_NOOP("wakeburst", "本地时间, 00:00 到 23:59")},
          {"--to", "A.B.C.D", WB_TR_NOOP("wakeburst", "广播地址 (默认 255.255.255.255)")},
          kDir},
         "",
         0,
         0,
         "",
         RunAlarmsAdd},
        {"alarms remove",
         "",
         {"alarms remove N [--dir DIR]"},
         WB_TR_NOOP("wakeburst", "删除第 N 个提醒 (按 alarms list 的编号)."),
         {kDir},
         "",
         1,
         1,
         "",
         RunAlarmsRemove},
        {"alarms next",
         "",
         {"alarms next [--count N] [--from \"YYYY-MM-DD HH:MM\"] [--dir DIR]"},
         WB_TR_NOOP("wakeburst",
                    "按本地时钟列出即将到来的触发: 日期和时间, 提醒序号和主机列表文件."),
         {{"--count", "N", WB_TR_NOOP("wakeburst", "列出几次触发 (默认 10)")},
          {"--from", "\"YYYY-MM-DD HH:MM\"",
           WB_TR_NOOP("wakeburst", "从这个本地时间起 (默认: 现在)")},
          kDir},
         "",
         0,
         0,
         "",
         RunAlarmsNext},
        {"tick",
         WB_TR_NOOP("wakeburst", "调度器的一次计时: 唤醒提醒到时的组"),
         {"tick [--at \"YYYY-MM-DD HH:MM\"] [--dir DIR]"},
         WB_TR_NOOP("wakeburst", "调度器的一次计时: 唤醒提醒在该分钟到时的组."),
         {{"--at", "\"YYYY-MM-DD HH:MM\"",
           WB_TR_NOOP("wakeburst", "计时所在的本地分钟 (默认: 现在)")},
          kDir,
          kQuiet},
         "",
         0,
         0,
         WB_TR_NOOP("wakeburst", "除 --at 和 --dir 外不接受参数"),
         RunTick},
        {"run-alarms",
         WB_TR_NOOP("wakeburst", "不开窗口运行提醒, 直到被停止"),
         {"run-alarms [--dir DIR]"},
         WB_TR_NOOP("wakeburst",
                    "不开窗口运行调度器, 直到收到 SIGINT 或 SIGTERM; 磁盘上的提醒存储改变时重新\n"
                    "载入."),
         {kDir},
         "",
         0,
         0,
         WB_TR_NOOP("wakeburst", "除 --dir 外不接受参数"),
         RunRunAlarms},
        {"log",
         WB_TR_NOOP("wakeburst", "列出唤醒日志"),
         {"log [--tail N] [--dir DIR]"},
         WB_TR_NOOP("wakeburst", "以 UTF-8 列出唤醒日志, 行尾为单纯的换行符."),
         {{"--tail", "N", WB_TR_NOOP("wakeburst", "只列出最后 N 条")}, kDir},
         "",
         0,
         0,
         WB_TR_NOOP("wakeburst", "除 --tail 和 --dir 外不接受参数"),
         RunLog},
    };
}

bool IsSubCommand(const CommandRow& c) { return c.name.find(' ') != std::string::npos; }

// Each line of `text` indented by `indent`, the first after `first` instead.
std::string Indented(const std::string& first, const std::string& text, const std::string& indent) {
    std::string out = first;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        if (start > 0) out += indent;
        out += text.substr(start, end - start) + "\n";
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

std::string OptionLines(const OptionRow& o) {
    std::string head = "  " + o.names + (o.value.empty() ? "" : " " + o.value);
    const std::string help = WB_TR("wakeburst", o.help);
    if (head.size() > kNameColumn) return Indented(head + "\n" + kTextIndent, help, kTextIndent);
    head.resize(kTextIndent.size(), ' ');
    return Indented(head, help, kTextIndent);
}

// The forms of a command: its own, else those of its sub-commands.
std::vector<std::string> Forms(const CommandRow& c) {
    if (!c.usage.empty()) return c.usage;
    std::vector<std::string> forms;
    for (const CommandRow* sub : SubCommands(c.name))
        forms.insert(forms.end(), sub->usage.begin(), sub->usage.end());
    return forms;
}

// Each spelling of each option, split into those that take a value and flags.
void OptionNames(const CommandRow& c, std::set<std::string>& values, std::set<std::string>& flags) {
    for (const OptionRow& o : c.options) {
        for (std::size_t start = 0;;) {
            const std::size_t comma = o.names.find(", ", start);
            (o.value.empty() ? flags : values).insert(o.names.substr(start, comma - start));
            if (comma == std::string::npos) break;
            start = comma + 2;
        }
    }
}

// A list of choices or forms: "a, b, c" (the last one is given its "or" by the message).
std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

}  // namespace

const std::vector<CommandRow>& CommandTable() {
    static const std::vector<CommandRow> table = BuildTable();
    return table;
}

const CommandRow* FindCommand(const std::string& name) {
    const auto& table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const CommandRow& c) { return c.name == name; });
    return it == table.end() ? nullptr : &*it;
}

std::vector<const CommandRow*> SubCommands(const std::string& name) {
    std::vector<const CommandRow*> subs;
    for (const CommandRow& c : CommandTable())
        if (c.name.rfind(name + " ", 0) == 0) subs.push_back(&c);
    return subs;
}

std::string CommandHelp(const std::string& name) {
    const CommandRow* c = FindCommand(name);
    if (!c) return {};
    std::string text;
    for (const std::string& form : Forms(*c))
        text += WB_TR("wakeburst", text.empty() ? WB_TR_NOOP("wakeburst", "用法: wakeburst ")
                                                : WB_TR_NOOP("wakeburst", "      wakeburst ")) +
                form + "\n";
    text += Indented("", WB_TR("wakeburst", c->about), "") + WB_TR("wakeburst", "选项:\n");
    for (const OptionRow& o : c->options)
        text += OptionLines(o);
    return text + OptionLines(kHelp) + (c->after.empty() ? "" : WB_TR("wakeburst", c->after));
}

std::string MainHelp() {
    const std::string version = WAKEBURST_VERSION;
    std::string text = FormatPlaceholders(
        WB_TR("wakeburst",
              "wakeburst %1 - 以 Wake-on-LAN 帧唤醒局域网中的计算机 (UDP 端口 2304)\n\n"
              "用法: wakeburst 命令 [参数...]\n"
              "      wakeburst 命令 [子命令] -h | --help\n"
              "      wakeburst -h | --help\n"
              "      wakeburst --version\n\n"
              "命令 (wakeburst 命令 --help 说明该命令的用法和选项):\n"),
        &version, 1);
    for (const CommandRow& c : CommandTable()) {
        if (IsSubCommand(c)) continue;
        std::string head = "  wakeburst " + c.name;
        head.resize(std::max(head.size() + 2, std::size_t{25}), ' ');
        text += head + WB_TR("wakeburst", c.summary) + "\n";
    }
    return text + "\n" + WB_TR("wakeburst", kExitStatus);
}

std::string ShortUsage() {
    std::string names;
    for (const CommandRow& c : CommandTable())
        if (!IsSubCommand(c)) names += (names.empty() ? "" : ", ") + c.name;
    return FormatPlaceholders(WB_TR("wakeburst",
                                    "wakeburst: 没有给出命令 (用法: wakeburst 命令 "
                                    "[参数...], 命令为 %1 之一; 详见 wakeburst --help)"),
                              &names, 1);
}

std::string SubCommandsError(const std::string& name) {
    std::vector<std::string> forms;
    for (const CommandRow* sub : SubCommands(name)) {
        // The form without the command's name and without the options every form shares.
        std::string form = sub->usage.front().substr(name.size() + 1);
        const std::string shared = " [--dir DIR]";
        if (form.size() >= shared.size() &&
            form.compare(form.size() - shared.size(), shared.size(), shared) == 0)
            form.resize(form.size() - shared.size());
        forms.push_back(std::move(form));
    }
    const std::string last = forms.back();
    forms.pop_back();
    return FormatText(WB_TR("wakeburst", "需要 %1 或 %2"), {Joined(forms), last});
}

bool ParseCommandArgs(const CommandRow& row, const std::vector<std::string>& args,
                      ParsedArgs& out) {
    std::set<std::string> values, flags;
    OptionNames(row, values, flags);
    for (const CommandRow* sub : SubCommands(row.name))
        OptionNames(*sub, values, flags);
    std::string error;
    if (!ParseArgs(args, values, flags, out, error)) {
        PrintErr("wakeburst " + row.name + ": " + error);
        return false;
    }
    const std::size_t n = out.positional.size();
    if (n >= row.minOperands && n <= row.maxOperands) return true;
    PrintErr("wakeburst " + row.name + ": " + WB_TR("wakeburst", row.operandsError));
    return false;
}

bool ReadChoice(const ParsedArgs& args, const std::string& command, const std::string& option,
                const std::string& fallback, std::string& value) {
    value = args.Get(option, fallback);
    const CommandRow* c = FindCommand(command);
    const auto row = std::find_if(c->options.begin(), c->options.end(),
                                  [&](const OptionRow& o) { return o.names == option; });
    std::vector<std::string> choices;
    for (std::size_t start = 0;;) {
        const std::size_t bar = row->value.find('|', start);
        choices.push_back(row->value.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (std::find(choices.begin(), choices.end(), value) != choices.end()) return true;
    const std::string last = choices.back();
    choices.pop_back();
    PrintErr(FormatText(WB_TR("wakeburst", "wakeburst %1: %2 须为 %3 或 %4, 而不是 '%5'"),
                        {command, option, Joined(choices), last, EscapeControlChars(value)}));
    return false;
}

std::string RequiredOptions(const std::string& command) {
    const std::string& form = FindCommand(command)->usage.front();
    const std::size_t optional = form.find(" [");
    return form.substr(command.size() + 1, optional - command.size() - 1);
}

bool OnlyOptionsOf(const CommandRow& row, const ParsedArgs& args) {
    std::set<std::string> values, flags;
    OptionNames(row, values, flags);
    return std::all_of(args.options.begin(), args.options.end(), [&](const auto& option) {
        return values.count(option.first) || flags.count(option.first);
    });
}

}  // namespace wb::cli
