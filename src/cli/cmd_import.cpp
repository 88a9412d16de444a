#include <algorithm>
#include <cctype>
#include <cstring>
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
#include "hostlist/arp_listing.h"
#include "hostlist/host_list_tokens.h"
#include "hostlist/host_list_writer.h"
#include "hostlist/host_names.h"
#include "platform/codepage.h"
#include "platform/inet_addr.h"
#include "wake/address_text.h"
#include "wake/wake_socket.h"

namespace wb::cli {

namespace {

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

// The all-zero address is refused: the host-list reader would not take it.
bool HyphenatedEthernet(const std::string& text, std::string& out) {
    return ParseToolEthernet(text, out) && IsValidEthernetText(out);
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

// The column a header field names (any case, with or without _, blanks and -), or nullptr.
int* ColumnOf(std::string field, CsvColumns& c) {
    field = AsciiLower(field);
    field.erase(std::remove_if(field.begin(), field.end(),
                               [](char ch) { return ch == '_' || ch == ' ' || ch == '-'; }),
                field.end());
    static const std::pair<const char*, int CsvColumns::*> kNames[] = {
        {"ip", &CsvColumns::ip},         {"ipaddress", &CsvColumns::ip},
        {"address", &CsvColumns::ip},    {"name", &CsvColumns::name},
        {"hostname", &CsvColumns::name}, {"host", &CsvColumns::name},
        {"mac", &CsvColumns::mac},       {"macaddress", &CsvColumns::mac},
        {"ethernet", &CsvColumns::mac},  {"hwaddr", &CsvColumns::mac},
    };
    for (const auto& [name, column] : kNames)
        if (field == name) return &(c.*column);
    return nullptr;
}

bool ReadCsvHeader(const std::string& line, CsvColumns& cols) {
    for (char sep : {',', ';'}) {
        std::vector<std::string> fields;
        if (!CsvFields(line, sep, fields)) continue;
        CsvColumns c;
        c.sep = sep;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            int* col = ColumnOf(fields[i], c);
            if (col && *col < 0) *col = static_cast<int>(i);
        }
        if (c.mac >= 0) {
            cols = c;
            return true;
        }
    }
    return false;
}

// Reads what `export --format json` writes, and what jq or Python make of it: one array of
// objects whose members "ip", "name" and "mac" are strings (or null), any other member a
// plain value. Taken a byte at a time, so that the whole array may stand on one line; a
// string is bounded as a line is.
class CJsonHosts final {
public:
    explicit CJsonHosts(CInputLines& in) : m_in(in) {}

    enum class Step { Host, End, Bad };
    // The next object's members; Bad with the reason in `error` (a text of the catalogue,
    // untranslated) when the text is not such an array. `Line()` is then the line at fault, else
    // the line the object began on.
    Step Next(std::string& ip, std::string& name, std::string& mac, std::string& error) {
        ip.clear(), name.clear(), mac.clear();
        int c = 0;
        const Step opened = Open(c, error);
        if (opened != Step::Host) return opened;
        m_line = m_in.Number() + 1;
        if (c != '{') return Fail(WB_TR_NOOP("wakeburst", "应为对象"), error);
        return Members(ip, name, mac, error);
    }
    std::uint64_t Line() const { return m_line; }

private:
    // Up to the first byte of the next element, in `c`; End after the array.
    Step Open(int& c, std::string& error) {
        c = Skip();
        if (m_started && c == ']') return AtEnd(error);
        if (m_started && (c != ',' || (c = Skip()) < 0))
            return Fail(WB_TR_NOOP("wakeburst", "应为 ',' 或 ']'"), error);
        if (m_started) return Step::Host;
        m_started = true;
        if (c == 0xEF && Get() == 0xBB && Get() == 0xBF) c = Skip();
        if (c != '[') return Fail(WB_TR_NOOP("wakeburst", "不是 JSON 数组"), error);
        c = Skip();
        return c == ']' ? AtEnd(error) : Step::Host;
    }
    // The members of an object after its opening brace.
    Step Members(std::string& ip, std::string& name, std::string& mac, std::string& error) {
        int c = Skip();
        if (c == '}') return Step::Host;
        for (;;) {
            std::string key, value;
            if (c != '"' || !String(key, error))
                return Fail(WB_TR_NOOP("wakeburst", "应为成员名"), error);
            if (Skip() != ':') return Fail(WB_TR_NOOP("wakeburst", "应为 ':'"), error);
            c = Skip();
            std::string* field = key == "ip"     ? &ip
                                 : key == "name" ? &name
                                 : key == "mac"  ? &mac
                                                 : nullptr;
            if (c == '"') {
                if (!String(field ? *field : value, error)) return Step::Bad;
            } else if (!Plain(c, field == nullptr, error)) {
                return Step::Bad;
            }
            c = Skip();
            if (c == '}') return Step::Host;
            if (c != ',') return Fail(WB_TR_NOOP("wakeburst", "应为 ',' 或 '}'"), error);
            c = Skip();
        }
    }
    int Get() { return m_in.Get(); }
    int Skip() {
        int c;
        while ((c = Get()) == ' ' || c == '\t' || c == '\n' || c == '\r') {
        }
        return c;
    }
    Step Fail(const char* why, std::string& error) {
        if (error.empty()) error = why;
        m_line = m_in.Number() + 1;
        return Step::Bad;
    }
    Step AtEnd(std::string& error) {
        return Skip() < 0 ? Step::End : Fail(WB_TR_NOOP("wakeburst", "数组之后还有文字"), error);
    }
    // null, true, false or a number; only a member of no interest may be other than null or
    // a string.
    bool Plain(int c, bool free, std::string& error) {
        std::string word(1, static_cast<char>(c));
        // No number or word of JSON is near this long; a longer run is not one.
        for (int n; word.size() < 64 && (n = m_in.Peek()) >= 0 &&
                    (std::isalnum(n) || n == '.' || n == '+' || n == '-');)
            word += static_cast<char>(Get());
        const bool number = word.find_first_not_of("0123456789+-.eE") == std::string::npos;
        if (word == "null" || ((word == "true" || word == "false" || number) && free)) return true;
        Fail(free ? WB_TR_NOOP("wakeburst", "应为 JSON 值")
                  : WB_TR_NOOP("wakeburst", "应为字符串或 null"),
             error);
        return false;
    }
    // The rest of a string after its opening quote, escapes undone, into UTF-8.
    bool String(std::string& out, std::string& error) {
        out.clear();
        for (int c; (c = Get()) != '"';) {
            if (c < 0x20 || out.size() > CInputLines::kMaxInputLine) {
                Fail(c < 0      ? WB_TR_NOOP("wakeburst", "字符串没有结束")
                     : c < 0x20 ? WB_TR_NOOP("wakeburst", "字符串中有控制字符")
                                : WB_TR_NOOP("wakeburst", "字符串比一行还长"),
                     error);
                return false;
            }
            if (c != '\\')
                out += static_cast<char>(c);
            else if (!Escape(out, error))
                return false;
        }
        out = ValidUtf8(out);
        return true;
    }
    // The character of an escape after its backslash.
    bool Escape(std::string& out, std::string& error) {
        const int c = Get();
        const char* simple = std::strchr("\"\\/bfnrt", c > 0 ? c : 'x');
        if (simple && c > 0) {
            out += "\"\\/\b\f\n\r\t"[simple - "\"\\/bfnrt"];
            return true;
        }
        unsigned cp = 0;
        if (c != 'u' || !Hex4(cp)) {
            Fail(WB_TR_NOOP("wakeburst", "字符串中有错误的转义"), error);
            return false;
        }
        unsigned low = 0;
        if (cp >= 0xD800 && cp < 0xDC00 && Get() == '\\' && Get() == 'u' && Hex4(low) &&
            low >= 0xDC00 && low < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        else if (cp >= 0xD800 && cp < 0xE000)
            cp = 0xFFFD;
        AppendUtf8(out, cp);
        return true;
    }
    bool Hex4(unsigned& cp) {
        for (int i = 0; i < 4; ++i) {
            const int c = Get();
            const int digit = c < 0 ? -1 : HexValue(static_cast<char>(c));
            if (digit < 0) return false;
            cp = cp * 16 + static_cast<unsigned>(digit);
        }
        return true;
    }
    static void AppendUtf8(std::string& out, unsigned cp) {
        const auto put = [&out](unsigned b) { out += static_cast<char>(b); };
        if (cp < 0x80) {
            put(cp);
        } else if (cp < 0x800) {
            put(0xC0 | cp >> 6), put(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            put(0xE0 | cp >> 12), put(0x80 | (cp >> 6 & 0x3F)), put(0x80 | (cp & 0x3F));
        } else {
            put(0xF0 | cp >> 18), put(0x80 | (cp >> 12 & 0x3F)), put(0x80 | (cp >> 6 & 0x3F)),
                put(0x80 | (cp & 0x3F));
        }
    }

    CInputLines& m_in;
    bool m_started = false;
    std::uint64_t m_line = 1;
};

// What a significant line (or CSV record, or JSON object) gave.
enum class Outcome { Host, LeftOut, None, Bad };

struct Importer {
    std::string format;
    bool headerSeen = false;
    CsvColumns cols;
    CWakeSocket resolver;

    Outcome Line(const std::string& line, HostListEntry& entry) {
        std::string ip, name, mac;
        if (format == "neigh") {
            const NeighbourLine kind = ReadNeighbourLine(line, entry);
            if (kind == NeighbourLine::Heading) return Outcome::None;
            if (kind != NeighbourLine::Entry)
                return kind == NeighbourLine::LeftOut ? Outcome::LeftOut : Outcome::Bad;
            const HostListEntry seen = entry;
            return Host(seen.ip, seen.name, seen.ethernet, entry);
        }
        if (format == "csv") {
            std::vector<std::string> f;
            if (!CsvFields(line, cols.sep, f) || static_cast<int>(f.size()) <= cols.mac)
                return Outcome::Bad;
            auto at = [&f](int col) {
                return col >= 0 && col < static_cast<int>(f.size())
                           ? CsvUnguarded(f[static_cast<std::size_t>(col)])
                           : std::string();
            };
            return Host(at(cols.ip), at(cols.name), at(cols.mac), entry);
        }
        const std::vector<std::string> w = Words(line.substr(0, line.find('#')));
        if (w.empty() || w.size() > (format == "plain" ? 1u : 2u)) return Outcome::Bad;
        mac = w[0];
        if (w.size() == 2) {
            ip = platform::CanonicalDottedQuad(w[1]);
            if (ip.empty()) name = w[1];
        }
        return Host(ip, name, mac, entry);
    }

    // `ip` empty or a dotted quad (looked up by name when empty), `mac` in any usual form.
    Outcome Host(const std::string& ip, const std::string& name, const std::string& mac,
                 HostListEntry& entry) {
        const std::string quad = platform::CanonicalDottedQuad(ip);
        if (!HyphenatedEthernet(mac, entry.ethernet) || (!ip.empty() && quad.empty()))
            return Outcome::Bad;
        entry.ip = quad.empty() ? Resolve(name) : quad;
        entry.name = name.empty() ? kNameNotFound : name;
        return Outcome::Host;
    }

    std::string Resolve(const std::string& name) {
        // The lookup reads a name whose last label begins with a digit (12345, 0x7f.1) as
        // a number form of an address; no host is named so.
        const std::size_t label = name.rfind('.', name.size() - 2) + 1;
        if (name.empty() || IsAsciiDigit(name[label]) || !resolver.SetDestination(name))
            return kNoIpAddress;
        const std::uint32_t addr = resolver.Destination().addr;
        if (addr == platform::kInetAddrNone) return kNoIpAddress;
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

// One import: read and written a host at a time, so that an input of any size costs no more
// memory than a line, and the output still replaces the target only once the whole input
// is read. Each step gives the exit code, or -1 to go on.
class CImport final {
public:
    static constexpr int kGoOn = -1;

    CImport(const std::string& input, std::string output, std::string format)
        : m_input(input), m_output(std::move(output)), m_lines(input) {
        m_im.format = std::move(format);
    }

    int Run() {
        if (!m_lines.IsOpen()) {
            PrintErr(CannotRead() + (m_input == "-" ? "" : ReadFailureReason(m_input)));
            return kExitFailed;
        }
        const bool json =
            m_im.format == "json" || (m_im.format == "auto" && m_lines.PeekSignificant() == '[');
        const int code = json ? Json() : Lines();
        return code != kGoOn ? code : Finish();
    }

private:
    int Json() {
        CJsonHosts json(m_lines);
        for (;;) {
            std::string ip, name, mac, error;
            const CJsonHosts::Step step = json.Next(ip, name, mac, error);
            if (step == CJsonHosts::Step::End) return kGoOn;
            const int code = JsonHost(step, json.Line(), ip, name, mac, error);
            if (code != kGoOn) return code;
        }
    }

    int JsonHost(CJsonHosts::Step step, std::uint64_t line, const std::string& ip,
                 const std::string& name, const std::string& mac, const std::string& error) {
        const std::string number = std::to_string(line);
        if (m_lines.Failed()) return ReadFailed();
        if (step == CJsonHosts::Step::Bad) {
            PrintErr(FormatText(
                WB_TR("wakeburst", "wakeburst import: %1 的第 %2 行: %3; 什么也没有写入"),
                {EscapeControlChars(m_input), number, Translate("wakeburst", error)}));
            return kExitFailed;
        }
        HostListEntry entry;
        if (m_im.Host(ip, name, mac, entry) != Outcome::Host) {
            PrintErr(FormatText(
                WB_TR("wakeburst", "wakeburst import: 第 %1 行无法读取: ip '%2', mac '%3'"),
                {number, EscapeControlChars(ip), EscapeControlChars(mac)}));
            return kGoOn;
        }
        return Add(entry, line) ? kGoOn : kExitFailed;
    }

    int Lines() {
        bool gbk = false;
        std::string bytes;
        for (;;) {
            const bool record = m_im.format == "csv" && m_im.headerSeen;
            const CInputLines::Result result =
                record ? m_lines.NextRecord(bytes) : m_lines.Next(bytes);
            const std::uint64_t first = record ? m_lines.First() : m_lines.Number();
            if (result == CInputLines::Result::End) return kGoOn;
            if (result == CInputLines::Result::Failed) return ReadFailed();
            if (result == CInputLines::Result::TooLong) return TooLong(first);
            if (m_lines.Number() == 1 && bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
            if (const int code = Line(LineText(bytes, gbk), first); code != kGoOn) return code;
        }
    }

    int TooLong(std::uint64_t first) {
        const char* pattern =
            first == m_lines.Number()
                ? WB_TR("wakeburst", "wakeburst import: %1 的第 %2 行超过 %3 字节; 什么也没有写入")
                : WB_TR("wakeburst",
                        "wakeburst import: %1 中从第 %2 行起的带引号字段超过 %3 字节; "
                        "什么也没有写入");
        PrintErr(FormatText(pattern, {EscapeControlChars(m_input), std::to_string(first),
                                      std::to_string(CInputLines::kMaxInputLine)}));
        return kExitFailed;
    }

    int Line(const std::string& line, std::uint64_t first) {
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') return kGoOn;
        if (!m_im.headerSeen) {
            const int code = Head(line, first);
            if (code != kGoOn || m_im.format == "csv") return code;
        }
        m_im.headerSeen = true;
        HostListEntry entry;
        const Outcome outcome = m_im.Line(line, entry);
        if (outcome == Outcome::LeftOut) ++m_leftOut;
        if (outcome == Outcome::Bad)
            PrintErr(FormatText(WB_TR("wakeburst", "wakeburst import: 第 %1 行无法读取: %2"),
                                {std::to_string(first), EscapeControlChars(trimmed)}));
        return outcome == Outcome::Host && !Add(entry, first) ? kExitFailed : kGoOn;
    }

    // The first significant line decides an automatic format: a neighbour table, a CSV
    // header, else ethers. On a CSV header the format is "csv" after it (the line taken).
    int Head(const std::string& line, std::uint64_t first) {
        if (m_im.format == "auto") {
            // ethers lines start with the Ethernet address, neighbour lines never do.
            HostListEntry probe;
            std::string ethernet;
            if (ReadNeighbourLine(line, probe) != NeighbourLine::None &&
                !HyphenatedEthernet(Words(line)[0], ethernet))
                m_im.format = "neigh";
        }
        if (m_im.format != "auto" && m_im.format != "csv") return kGoOn;
        m_im.headerSeen = true;
        const bool csv = m_im.format == "csv";
        if (ReadCsvHeader(line, m_im.cols)) {
            m_im.format = "csv";
            return kGoOn;
        }
        if (csv) {
            PrintErr(FormatText(
                WB_TR("wakeburst", "wakeburst import: 第 %1 行: CSV 表头没有标明 mac 列"),
                {std::to_string(first)}));
            return kExitFailed;
        }
        m_im.format = "ethers";
        return kGoOn;
    }

    bool Add(HostListEntry& entry, std::uint64_t number) {
        const std::string fitted = HostListName(entry);
        if (fitted != entry.name)
            PrintErr(FormatText(
                WB_TR("wakeburst",
                      "wakeburst import: 第 %1 行: 名字 '%2' 写作 '%3', 以便主机列表容纳"),
                {std::to_string(number), EscapeControlChars(entry.name),
                 EscapeControlChars(fitted)}));
        entry.name = fitted;
        if (!m_out) m_out.emplace(m_output);
        return m_out->Add(entry);
    }

    int ReadFailed() {
        PrintErr(CannotRead());
        return kExitFailed;
    }

    std::string CannotRead() const {
        return FormatText(WB_TR("wakeburst", "wakeburst %1: 无法读取 %2"),
                          {"import", EscapeControlChars(m_input)});
    }

    int Finish() {
        if (m_leftOut)
            PrintErr(FormatText(
                m_leftOut == 1
                    ? WB_TR("wakeburst",
                            "wakeburst import: 略去 1 个邻居条目: 失败, 不完整或不是 IPv4")
                    : WB_TR("wakeburst",
                            "wakeburst import: 略去 %1 个邻居条目: 失败, 不完整或不是 IPv4"),
                {std::to_string(m_leftOut)}));
        if (!m_out) {
            PrintErr(FormatText(WB_TR("wakeburst", "wakeburst import: 无法从 %1 读出任何主机"),
                                {EscapeControlChars(m_input)}));
            return kExitFailed;
        }
        return m_out->Commit() ? kExitOk : kExitFailed;
    }

    const std::string m_input, m_output;
    CInputLines m_lines;
    Importer m_im;
    std::optional<CHostListFileWriter> m_out;
    std::uint64_t m_leftOut = 0;
};

}  // namespace

int RunImport(const ParsedArgs& pa) {
    if (!pa.Has("-o") || pa.Get("-o").empty()) {
        PrintErr("wakeburst import: " +
                 Translate("wakeburst", FindCommand("import")->operandsError));
        return kExitUsage;
    }
    std::string format;
    if (!ReadChoice(pa, "import", "--format", "auto", format)) return kExitUsage;
    return CImport(pa.positional[0], pa.Get("-o"), format).Run();
}

}  // namespace wb::cli
