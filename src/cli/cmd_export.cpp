#include <cctype>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "hostlist/host_list_entry.h"
#include "hostlist/host_list_tokens.h"
#include "hostlist/host_names.h"
#include "hostlist/text_reader.h"
#include "platform/codepage.h"
#include "platform/file_path.h"
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
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
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
    std::string quad;
    const bool whole = !e.name.empty() && e.name != kNameNotFound &&
                       e.name.find_first_of(" #") == std::string::npos &&
                       !ParseDottedQuad(e.name, quad);
    if (whole) return e.name;
    return e.ip.empty() || e.ip == kNoIpAddress ? std::string() : e.ip;
}

std::string Counted(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {"--format"}, {}, pa, error) || pa.positional.size() != 1) {
        PrintErr("wakeburst export: " + (error.empty() ? "expects one host-list file" : error));
        return kExitUsage;
    }
    const std::string format = pa.Get("--format", "csv");
    if (format != "csv" && format != "ethers" && format != "json") {
        PrintErr("wakeburst export: --format takes csv, ethers or json, not '" + Shown(format) +
                 "'");
        return kExitUsage;
    }
    const std::string& path = pa.positional[0];
    // Nothing is printed for a list that cannot be opened; the CSV head comes with the
    // first host or at the end.
    bool headed = false;
    const auto head = [&] {
        if (format == "csv" && !headed) PrintOut("ip,name,mac");
        headed = true;
    };
    // A JSON element is printed once the next one is known, which decides its comma.
    std::optional<HostListEntry> held;
    bool any = false;
    const auto printJson = [&](const char* after) {
        const HostListEntry& e = *held;
        PrintOut(std::string(any ? "" : "[\n") + "  {\"ip\":" + JsonString(e.ip) + ",\"name\":" +
                 JsonString(e.name) + ",\"mac\":" + JsonString(e.ethernet) + "}" + after);
        any = true;
    };
    std::uint64_t noEthernet = 0, unnamed = 0;
    const bool read = ForEachEntry(
        path,
        [&](HostListEntry e) {
            head();
            if (format == "csv") {
                PrintOut(CsvField(e.ip) + "," + CsvField(e.name) + "," + CsvField(e.ethernet));
            } else if (format == "ethers") {
                const std::string name = EthersName(e);
                if (name.empty())
                    ++unnamed;
                else
                    PrintOut(e.ethernet + " " + name);
            } else {
                if (held) printJson(",");
                held = std::move(e);
            }
        },
        [&] { ++noEthernet; });
    if (!read) {
        PrintErr(FormatString1(IDS_CANNOT_OPEN_READ, Shown(path)) + ReadFailureReason(path));
        return kExitFailed;
    }
    head();
    if (format == "json") {
        if (held) printJson("");
        PrintOut(any ? "]" : "[]");
    }
    if (noEthernet + unnamed) {
        std::string why;
        if (noEthernet)
            why = Counted(noEthernet, "line holds", "lines hold") +
                  " an IP address but no Ethernet address";
        if (unnamed)
            why += (why.empty() ? "" : "; ") + Counted(unnamed, "host has", "hosts have") +
                   " neither a name that ethers reads back whole nor an IP address";
        PrintErr("wakeburst export: " + Counted(noEthernet + unnamed, "entry", "entries") +
                 " left out: " + why);
    }
    return kExitOk;
}

}  // namespace wb::cli
