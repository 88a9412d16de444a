#include "hostlist/host_list_reader.h"

#include "base/string_table.h"
#include "base/translate.h"
#include "hostlist/host_list_tokens.h"
#include "hostlist/text_reader.h"
#include "platform/regular_file.h"
#include "wake/address_text.h"

namespace wb {

namespace {

constexpr std::size_t kMinIpText = 7;
constexpr std::size_t kMaxIpText = 15;
constexpr std::size_t kEthernetText = 17;

// How many tokens of the line were addresses; Ethernet addresses are appended as found.
int ClassifyLine(std::string_view line, std::vector<std::string>& addresses,
                 std::string_view* ip = nullptr) {
    int counted = 0;
    ForEachHostListToken(line, [&](std::string_view token) {
        const std::size_t len = token.size();
        // Only tokens of the right length can pass, so most words cost no copy.
        if (len >= kMinIpText && len <= kMaxIpText && IsValidIpText(std::string(token))) {
            ++counted;
            if (ip && ip->empty()) *ip = token;
            return true;
        }
        if (len == kEthernetText) {
            std::string text(token);
            if (IsValidEthernetText(text)) {
                ++counted;
                addresses.push_back(std::move(text));
                return true;
            }
        }
        return token.front() != '#';
    });
    return counted;
}

void ReadLines(CTextReader& reader, const HostListLineFn& onLine,
               const HostListBadLineFn& onBadLine) {
    std::string_view line;
    std::vector<std::string> found;
    std::uint64_t lineNumber = 0;
    while (reader.Next(line)) {
        ++lineNumber;
        found.clear();
        std::string_view ip;
        if (ClassifyLine(line, found, &ip) == 1) onBadLine(lineNumber);
        if (!found.empty()) onLine(found, ip);
    }
}

}  // namespace

void ReadHostListText(std::string_view bytes, const HostListLineFn& onLine,
                      const HostListBadLineFn& onBadLine) {
    CTextReader reader(bytes);
    ReadLines(reader, onLine, onBadLine);
}

std::string BadLineMessage(const std::string& path, std::uint64_t lineNumber, UiLanguage language) {
    const char* pattern =
        WB_TR_NOOP("wakeburst", "\t错误 文件:%1\n\t行 %2: 请检查IP地址和以太网[MAC]地址.\n");
    const std::string args[] = {EscapeControlChars(path), std::to_string(lineNumber)};
    return FormatPlaceholders(TranslateTo(language, "wakeburst", pattern), args, 2);
}

std::string OmittedBadLinesMessage(const std::string& path, std::uint64_t count,
                                   UiLanguage language) {
    const char* pattern =
        WB_TR_NOOP("wakeburst", "\t错误 文件:%1\n\t另有 %2 行: 请检查IP地址和以太网[MAC]地址.\n");
    const std::string args[] = {EscapeControlChars(path), std::to_string(count)};
    return FormatPlaceholders(TranslateTo(language, "wakeburst", pattern), args, 2);
}

bool ReadHostListLines(const std::string& path, const HostListLineFn& onLine,
                       const HostListBadLineFn& onBadLine, std::string& error) {
    // Only a regular file is a host list: a device could be read for ever and a pipe could
    // wait for ever for its writer, holding up every alarm behind this one.
    platform::CRegularFileStream file(path);
    if (!file.IsOpen()) {
        error = FormatString1(IDS_CANNOT_OPEN_READ, EscapeControlChars(path));
        return false;
    }
    CTextReader reader(file);
    ReadLines(reader, onLine, onBadLine);
    if (reader.Failed()) {
        error = FormatString1(IDS_CANNOT_OPEN_READ, EscapeControlChars(path));
        return false;
    }
    return true;
}

bool ReadHostList(const std::string& path, std::string& report,
                  std::vector<std::string>& addresses) {
    report.clear();
    const std::size_t before = addresses.size();
    const bool read = ReadHostListLines(
        path,
        [&](std::vector<std::string>& found, std::string_view) {
            for (std::string& a : found)
                addresses.push_back(std::move(a));
        },
        [&](std::uint64_t n) { report += BadLineMessage(path, n); }, report);
    // Half a list would wake half a group without saying so; treat it as unreadable.
    if (!read) addresses.resize(before);
    return read;
}

}  // namespace wb
