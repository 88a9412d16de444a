#include <cctype>
#include <filesystem>
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
#include "hostlist/text_reader.h"
#include "platform/codepage.h"
#include "platform/file_path.h"
#include "platform/regular_file.h"
#include "wake/address_text.h"
#include "wake/wake_socket.h"

namespace wb::cli {

namespace {

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
// A line with several Ethernet addresses gives one host each. Handed out one at a time, so
// that a list of any size costs no more than one line.
template <typename Fn>
bool ForEachEntry(const std::string& path, Fn&& onEntry) {
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
        if (ip.empty()) continue;
        for (const std::string& e : ethernets)
            onEntry(HostListEntry{ip, ValidUtf8(name), e});
    }
    return !reader.Failed();
}

// ethers names a host by its name, or by its address where the name would not do.
std::string EthersName(const HostListEntry& e) {
    const bool usable =
        !e.name.empty() && e.name != kNameNotFound && e.name.find(' ') == std::string::npos;
    return usable ? e.name : e.ip;
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
    const bool read = ForEachEntry(path, [&](HostListEntry e) {
        head();
        if (format == "csv") {
            PrintOut(CsvField(e.ip) + "," + CsvField(e.name) + "," + CsvField(e.ethernet));
        } else if (format == "ethers") {
            PrintOut(e.ethernet + " " + EthersName(e));
        } else {
            if (held) printJson(",");
            held = std::move(e);
        }
    });
    if (!read) {
        PrintErr(FormatString1(IDS_CANNOT_OPEN_READ, Shown(path)) + ReadFailureReason(path));
        return kExitFailed;
    }
    head();
    if (format == "json") {
        if (held) printJson("");
        PrintOut(any ? "]" : "[]");
    }
    return kExitOk;
}

}  // namespace wb::cli
