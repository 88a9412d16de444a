#include <cctype>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "hostlist/host_list_entry.h"
#include "hostlist/host_list_tokens.h"
#include "hostlist/host_names.h"
#include "hostlist/text_reader.h"
#include "platform/codepage.h"
#include "platform/file_path.h"
#include "platform/inet_addr.h"
#include "platform/regular_file.h"
#include "wake/address_text.h"

namespace wb::cli {

namespace {

// Control characters are written as '_' in every format, as the host-list writer does.
std::string Printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
    return text;
}

// 00-A0-C9-12-34-56 or 00.a0.c9.12.34.56 as other tools write it: 00:a0:c9:12:34:56.
std::string ColonEthernet(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (!IsHexDigit(c)) continue;
        if (!out.empty() && out.size() % 3 == 2) out += ':';
        out += c;
    }
    return AsciiLower(out);
}

// The hosts as the group wake sees them: per line (read as the reader reads it) up to a
// comment, an IP-form token and the Ethernet-form tokens; the other tokens are the name.
// A line with several Ethernet addresses gives one host each, one without an IP address a
// host with an empty `ip` (it is woken all the same); `onNoEthernet` hears of a line with an
// IP address but no Ethernet address. Handed out one at a time, so that a list of any size
// costs no more than one line.
template <typename Fn>
bool ForEachEntry(const std::string& path, Fn&& onEntry,
                  const std::function<void()>& onNoEthernet) {
    platform::CRegularFileStream file(path);
    if (!file.IsOpen()) return false;
    CTextReader reader(file);
    std::string_view line;
    while (reader.Next(line)) {
        std::string ip, name;
        std::vector<std::string> ethernets;
        ForEachHostListToken(line, [&](std::string_view token) {
            const std::string t(token);
            if (t[0] == '#') return false;
            if (ip.empty() && IsValidIpText(t)) {
                ip = t;
            } else if (IsValidEthernetText(t)) {
                ethernets.push_back(ColonEthernet(t));
            } else {
                name += (name.empty() ? "" : " ") + platform::FromFileText(t);
            }
            return true;
        });
        if (ethernets.empty() && !ip.empty()) onNoEthernet();
        for (const std::string& e : ethernets)
            onEntry(HostListEntry{ip, Printable(ValidUtf8(name)), e});
    }
    return !reader.Failed();
}

// The name ethers gives the host: glibc reads the name up to white space and cuts the line
// at '#', and a name in dotted decimal would be read back as an IP address. Else the IP
// address; empty when there is neither.
std::string EthersName(const HostListEntry& e) {
    const bool whole = !e.name.empty() && e.name != kNameNotFound &&
                       e.name.find_first_of(" #") == std::string::npos &&
                       platform::CanonicalDottedQuad(e.name).empty();
    if (whole) return e.name;
    return e.ip.empty() || e.ip == kNoIpAddress ? std::string() : e.ip;
}

// `many` with the count, or `one` (which writes it out) for a single one: English needs both.
std::string Counted(std::uint64_t n, const char* one, const char* many,
                    std::initializer_list<std::string> more = {}) {
    std::vector<std::string> args = {std::to_string(n)};
    args.insert(args.end(), more.begin(), more.end());
    return FormatPlaceholders(Translate("wakeburst", n == 1 ? one : many), args.data(),
                              static_cast<int>(args.size()));
}

// Prints the entries in one format as they come. Nothing is printed for a list that cannot
// be opened; the CSV head comes with the first host or at the end.
class CExporter final {
public:
    explicit CExporter(std::string format) : m_format(std::move(format)) {}

    void Entry(HostListEntry e) {
        Head();
        if (m_format == "csv") {
            PrintOut(CsvField(e.ip) + "," + CsvField(e.name) + "," + CsvField(e.ethernet));
        } else if (m_format == "ethers") {
            const std::string name = EthersName(e);
            if (name.empty())
                ++m_unnamed;
            else
                PrintOut(e.ethernet + " " + name);
        } else {
            if (m_held) PrintJson(",");
            m_held = std::move(e);
        }
    }
    void NoEthernet() { ++m_noEthernet; }

    // The end of the output, and on stderr how many entries were left out and why.
    void Finish() {
        Head();
        if (m_format == "json") {
            if (m_held) PrintJson("");
            PrintOut(m_any ? "]" : "[]");
        }
        if (m_noEthernet + m_unnamed == 0) return;
        std::string why;
        if (m_noEthernet)
            why = Counted(m_noEthernet, WB_TR_NOOP("wakeburst", "1 行有 IP 地址而没有以太网地址"),
                          WB_TR_NOOP("wakeburst", "%1 行有 IP 地址而没有以太网地址"));
        if (m_unnamed)
            why += (why.empty() ? "" : "; ") +
                   Counted(m_unnamed,
                           WB_TR_NOOP("wakeburst",
                                      "1 台主机既没有 ethers 能完整读回的名字, 也没有 IP 地址"),
                           WB_TR_NOOP("wakeburst",
                                      "%1 台主机既没有 ethers 能完整读回的名字, 也没有 IP 地址"));
        PrintErr(Counted(m_noEthernet + m_unnamed,
                         WB_TR_NOOP("wakeburst", "wakeburst export: 略去 1 个条目: %2"),
                         WB_TR_NOOP("wakeburst", "wakeburst export: 略去 %1 个条目: %2"), {why}));
    }

private:
    void Head() {
        if (m_format == "csv" && !m_headed) PrintOut("ip,name,mac");
        m_headed = true;
    }
    // A JSON element is printed once the next one is known, which decides its comma.
    void PrintJson(const char* after) {
        const HostListEntry& e = *m_held;
        PrintOut(std::string(m_any ? "" : "[\n") + "  {\"ip\":" + JsonString(e.ip) + ",\"name\":" +
                 JsonString(e.name) + ",\"mac\":" + JsonString(e.ethernet) + "}" + after);
        m_any = true;
    }

    const std::string m_format;
    bool m_headed = false, m_any = false;
    std::optional<HostListEntry> m_held;
    std::uint64_t m_noEthernet = 0, m_unnamed = 0;
};

}  // namespace

int RunExport(const ParsedArgs& pa) {
    std::string format;
    if (!ReadChoice(pa, "export", "--format", "csv", format)) return kExitUsage;
    const std::string& path = pa.positional[0];
    CExporter exporter(format);
    const bool read = ForEachEntry(
        path, [&](HostListEntry e) { exporter.Entry(std::move(e)); },
        [&] { exporter.NoEthernet(); });
    if (!read) {
        PrintErr(FormatString1(IDS_CANNOT_OPEN_READ, EscapeControlChars(path)) +
                 ReadFailureReason(path));
        return kExitFailed;
    }
    exporter.Finish();
    return kExitOk;
}

}  // namespace wb::cli
