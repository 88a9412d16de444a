#include "hostlist/host_list_writer.h"

#include <algorithm>

#include "base/message_box.h"
#include "base/string_table.h"
#include "hostlist/host_list_tokens.h"
#include "hostlist/text_reader.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "wake/address_text.h"

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

bool Refused(const std::string& path, const platform::SaveResult& result) {
    ShowMessageBox(SaveFailureText(result.refusedLink,
                                   FormatString1(IDS_CANNOT_OPEN_WRITE, EscapeControlChars(path))),
                   MsgButtons::Ok);
    return false;
}

}  // namespace

// The name comes from whoever answers the reverse lookup, or from another tool's list. It
// must stay one token of its line: a separator in it would split it, a token that starts
// with '#' would make the rest of the line a comment (a '#' further in does not), and a line
// longer than the reader's piece would cut the Ethernet address after it.
std::string HostListName(const HostListEntry& e) {
    std::string name = e.name;
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (IsHostListSeparator(c) || u < 0x20 || u == 0x7F) c = '_';
    }
    if (!name.empty() && name[0] == '#') name[0] = '_';
    // A name that reads as an address would add one to the group.
    if (IsValidEthernetText(name))
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == '-' || c == '.'; }, '_');
    // The reader sees the line with one byte for its CR LF.
    const std::size_t fixed = e.ip.size() + 1 + 1 + e.ethernet.size() + 1;
    const std::size_t room = CTextReader::kMaxPiece > fixed ? CTextReader::kMaxPiece - fixed : 0;
    while (!name.empty() && platform::ToFileText(name).size() > room) {
        // Drop one whole UTF-8 character (or one stray byte) from the end.
        std::size_t cut = name.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return name;
}

namespace {

// Converted one line at a time: a name that is not valid UTF-8 stays as it came, and spoils
// nothing else.
std::string LineBytes(const HostListEntry& e) {
    std::string out;
    AppendFileText(out, e.ip + '\t' + HostListName(e) + '\t' + e.ethernet + '\n');
    return out;
}

std::string HeaderBytes() {
    std::string out;
    AppendFileText(out, kHostListHeader);
    return out;
}

}  // namespace

std::string HostListFileBytes(const std::vector<HostListEntry>& entries) {
    std::string out = HeaderBytes();
    for (const HostListEntry& e : entries)
        out += LineBytes(e);
    return out;
}

bool CheckHostListWritable(const std::string& path) {
    const platform::SaveResult checked = platform::CheckReplaceable(path);
    return checked || Refused(path, checked);
}

CHostListFileWriter::CHostListFileWriter(const std::string& path) : m_path(path) {
    if (!CheckHostListWritable(path)) return;
    m_file.emplace(path);
    m_open = true;
    if (!m_file->Write(HeaderBytes())) Fail();
}

bool CHostListFileWriter::Fail(const platform::SaveResult& result) {
    if (m_open) Refused(m_path, result);
    m_open = false;
    m_file.reset();
    return false;
}

bool CHostListFileWriter::Add(const HostListEntry& entry) {
    return m_open && (m_file->Write(LineBytes(entry)) || Fail());
}

bool CHostListFileWriter::Commit() {
    if (!m_open) return false;
    const platform::SaveResult saved = m_file->Commit();
    if (!saved) return Fail(saved);
    m_open = false;
    return true;
}

bool WriteHostListFile(const std::string& path, const std::vector<HostListEntry>& entries) {
    CHostListFileWriter writer(path);
    for (const HostListEntry& e : entries)
        writer.Add(e);
    return writer.Commit();
}

}  // namespace wb
