#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "hostlist/host_list_tokens.h"
#include "hostlist/host_list_writer.h"
#include "platform/codepage.h"
#include "platform/inet_addr.h"
#include "wake/address_text.h"
#include "wake/wake_socket.h"

namespace wb::cli {

namespace {

constexpr char kUnresolved[] = "0.0.0.0";

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while ((i = line.find_first_not_of(" \t", i)) != std::string::npos) {
        const std::size_t end = line.find_first_of(" \t", i);
        words.push_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

// Six bytes of one or two hexadecimal digits (ether_ntoa leaves out leading zeros), all
// joined by ':' or all by '-'; written back with two digits a byte and hyphens, letter case
// kept. The all-zero address is refused: the host-list reader would not take it.
bool HyphenatedEthernet(const std::string& text, std::string& out) {
    const char sep = text.find(':') != std::string::npos ? ':' : '-';
    out.clear();
    std::size_t start = 0;
    for (int part = 0; part < 6; ++part) {
        const std::size_t end = text.find(sep, start);
        if ((part < 5) == (end == std::string::npos)) return false;
        const std::string digits = text.substr(start, end - start);
        if (digits.empty() || digits.size() > 2 ||
            !std::all_of(digits.begin(), digits.end(), IsHexDigit))
            return false;
        out += (part ? "-" : "") + std::string(2 - digits.size(), '0') + digits;
        start = end + 1;
    }
    return IsValidEthernetText(out) && out.find_first_not_of("0-") != std::string::npos;
}

// A name as one field of the line: the reader splits at blanks, TABs, ':' and ',' and
// stops at '#', and a name that looked like an Ethernet address would be woken too.
std::string NameField(std::string name) {
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '#' || IsHostListSeparator(c))
            c = '_';
    }
    if (IsValidEthernetText(name)) std::replace(name.begin(), name.end(), '-', '_');
    if (IsValidEthernetText(name)) std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

// Splits a CSV line at `sep`, honouring double quotes ("" inside for one). False for an
// unterminated quote.
bool CsvFields(const std::string& line, char sep, std::vector<std::string>& fields) {
    fields.assign(1, {});
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == sep) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& f : fields)
        f = Trim(f);
    return !quoted;
}

// Where the ip, name and mac columns stand in a CSV header, or -1.
struct CsvColumns {
    char sep = ',';
    int ip = -1, name = -1, mac = -1;
};

bool ReadCsvHeader(const std::string& line, CsvColumns& cols) {
    for (char sep : {',', ';'}) {
        std::vector<std::string> fields;
        if (!CsvFields(line, sep, fields)) continue;
        CsvColumns c;
        c.sep = sep;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string f = Lower(fields[i]);
            int* col = f == "ip" ? &c.ip : f == "name" ? &c.name : f == "mac" ? &c.mac : nullptr;
            if (col && *col < 0) *col = static_cast<int>(i);
        }
        if (c.mac >= 0) {
            cols = c;
            return true;
        }
    }
    return false;
}

struct Importer {
    std::string format;
    bool headerSeen = false;
    CsvColumns cols;
    CWakeSocket resolver;

    // One significant line into an entry; false when it cannot be read.
    bool Line(const std::string& line, HostListEntry& entry) {
        std::string ip, name, mac;
        if (format == "csv") {
            std::vector<std::string> f;
            if (!CsvFields(line, cols.sep, f) || static_cast<int>(f.size()) <= cols.mac)
                return false;
            auto at = [&f](int col) {
                return col >= 0 && col < static_cast<int>(f.size())
                           ? f[static_cast<std::size_t>(col)]
                           : std::string();
            };
            mac = at(cols.mac);
            name = at(cols.name);
            if (!at(cols.ip).empty() && !ParseDottedQuad(at(cols.ip), ip)) return false;
        } else {
            const std::vector<std::string> w = Words(line.substr(0, line.find('#')));
            if (w.empty() || w.size() > (format == "plain" ? 1u : 2u)) return false;
            mac = w[0];
            if (w.size() == 2 && !ParseDottedQuad(w[1], ip)) name = w[1];
        }
        if (!HyphenatedEthernet(mac, entry.ethernet)) return false;
        entry.ip = ip.empty() ? Resolve(name) : ip;
        entry.name = name.empty() ? kNameNotFound : NameField(name);
        return true;
    }

    std::string Resolve(const std::string& name) {
        // The lookup reads a name whose last label begins with a digit (12345, 0x7f.1) as
        // a number form of an address; no host is named so.
        const std::size_t label = name.rfind('.', name.size() - 2) + 1;
        if (name.empty() || std::isdigit(static_cast<unsigned char>(name[label])) ||
            !resolver.SetDestination(name))
            return kUnresolved;
        const std::uint32_t addr = resolver.Destination().addr;
        if (addr == platform::kInetAddrNone) return kUnresolved;
        char buf[16];
        return std::string(platform::FormatInetAddr(addr, buf));
    }
};

// A line in UTF-8, or else in the system's own GBK; once a line was GBK, so is the input.
std::string LineText(const std::string& bytes, bool& gbk) {
    if (!gbk && ValidUtf8(bytes) == bytes) return bytes;
    if (auto utf8 = platform::Gb18030ToUtf8(bytes)) {
        gbk = true;
        return *utf8;
    }
    return ValidUtf8(bytes);
}

}  // namespace

int RunImport(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {"--format", "-o"}, {}, pa, error) || pa.positional.size() != 1 ||
        !pa.Has("-o") || pa.Get("-o").empty()) {
        PrintErr("wakeburst import: " +
                 (error.empty() ? "expects one input file (or -) and -o OUT.mp" : error));
        return kExitUsage;
    }
    Importer im;
    im.format = pa.Get("--format", "auto");
    if (im.format != "auto" && im.format != "ethers" && im.format != "csv" &&
        im.format != "plain") {
        PrintErr("wakeburst import: --format takes auto, ethers, csv or plain, not '" +
                 Shown(im.format) + "'");
        return kExitUsage;
    }
    const std::string& input = pa.positional[0];
    CInputLines lines(input);
    if (!lines.IsOpen()) {
        PrintErr("wakeburst import: cannot read " + Shown(input) +
                 (input == "-" ? "" : ReadFailureReason(input)));
        return kExitFailed;
    }

    // Read and written a line at a time: an input of any size costs no more memory than a
    // line, and the output still replaces the target only once the whole input is read.
    std::optional<CHostListFileWriter> out;
    bool gbk = false;
    std::string bytes;
    for (;;) {
        const CInputLines::Result result = lines.Next(bytes);
        if (result == CInputLines::Result::End) break;
        if (result == CInputLines::Result::Failed) {
            PrintErr("wakeburst import: cannot read " + Shown(input));
            return kExitFailed;
        }
        if (result == CInputLines::Result::TooLong) {
            PrintErr("wakeburst import: line " + std::to_string(lines.Number()) + " of " +
                     Shown(input) + " is longer than " +
                     std::to_string(CInputLines::kMaxInputLine) + " bytes; nothing was written");
            return kExitFailed;
        }
        if (lines.Number() == 1 && bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
        const std::string line = LineText(bytes, gbk);
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        const std::string number = std::to_string(lines.Number());
        if (!im.headerSeen && (im.format == "auto" || im.format == "csv")) {
            im.headerSeen = true;
            if (ReadCsvHeader(line, im.cols)) {
                im.format = "csv";
                continue;
            }
            if (im.format == "csv") {
                PrintErr("wakeburst import: line " + number +
                         ": the CSV header names no mac column");
                return kExitFailed;
            }
            im.format = "ethers";
        }
        HostListEntry entry;
        if (!im.Line(line, entry)) {
            PrintErr("wakeburst import: line " + number + " cannot be read: " + Shown(trimmed));
            continue;
        }
        if (!out) out.emplace(pa.Get("-o"));
        if (!out->Add(entry)) return kExitFailed;
    }
    if (!out) {
        PrintErr("wakeburst import: no host could be read from " + Shown(input));
        return kExitFailed;
    }
    return out->Commit() ? kExitOk : kExitFailed;
}

}  // namespace wb::cli
