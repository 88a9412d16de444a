#include "hostlist/host_list_writer.h"

#include <random>

#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/file_path.h"

namespace wb {

const char kHostListHeader[] =
    "# 此文件由 Wakeburst utility 创建.\n"
    "# 文件包含IP地址到主机名和物理地址的映射.\n"
    "# 每条映射都被单独地保存为一行.\n"
    "# 每一行的条目都被用空格或tab分割开.\n"
    "\n"
    "\n"
    "# 注释可以单独一行插入(比如现在这行), 也可以放在物理地址后面.\n"
    "# 但无论是哪种方式都要在前面加上提示符号 '#'.\n"
    "\n"
    "# Internet 地址    \t主机名   \t\t物理地址\n";

namespace {

// GB18030 never uses the byte 0x0A inside a character, so line ends can be fixed afterwards.
void AppendFileText(std::string& out, const std::string& utf8) {
    for (char c : platform::ToFileText(utf8)) {
        if (c == '\n') out += '\r';
        out += c;
    }
}

void ShowCannotWrite(const std::string& path) {
    ShowMessageBox(FormatString1(IDS_CANNOT_OPEN_WRITE, path), MsgButtons::Ok);
}

}  // namespace

std::string HostListFileBytes(const std::vector<HostListEntry>& entries) {
    std::string out;
    AppendFileText(out, kHostListHeader);
    for (const HostListEntry& e : entries) {
        // Converted one line at a time: a name that is not valid UTF-8 stays as it came,
        // and spoils nothing else.
        AppendFileText(out, e.ip + '\t' + e.name + '\t' + e.ethernet + '\n');
    }
    return out;
}

bool CheckHostListWritable(const std::string& path) {
    static std::mt19937_64 rng{std::random_device{}()};
    const auto slash = path.find_last_of("/\\");
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string probe = dir + ".wakeburst-probe-" + std::to_string(rng());
    bool created = platform::OpenOutputFile(probe).is_open();
    if (!created) {
        ShowCannotWrite(path);
        return false;
    }
    platform::RemoveFile(probe);
    return true;
}

bool WriteHostListFile(const std::string& path, const std::vector<HostListEntry>& entries) {
    if (!platform::WriteFileAtomically(path, HostListFileBytes(entries))) {
        ShowCannotWrite(path);
        return false;
    }
    return true;
}

}  // namespace wb
