#include "cli/cli_text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <system_error>

#include "base/string_table.h"
#include "base/translate.h"
#include "platform/atomic_file.h"
#include "platform/file_path.h"
#include "platform/regular_file.h"

namespace wb::cli {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char ch : ValidUtf8(text)) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

namespace {

// Whether a spreadsheet would take the field for a formula, once the guard's quotes are off.
bool LooksLikeFormula(std::string_view text) {
    const std::size_t k = text.find_first_not_of('\'');
    return k != std::string_view::npos &&
           std::string_view("=+-@\t\r").find(text[k]) != std::string_view::npos;
}

}  // namespace

std::string CsvUnguarded(std::string text) {
    if (!text.empty() && text[0] == '\'' && LooksLikeFormula(text)) text.erase(0, 1);
    return text;
}

std::string CsvField(std::string_view text) {
    const bool formula = LooksLikeFormula(text);
    const bool quote = formula || text.find_first_of(",;\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return std::string(text);
    std::string out = formula ? "\"'" : "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string UnreadLinesHint(std::uint64_t lines) {
    const char* pattern =
        lines == 1 ? WB_TR("wakeburst",
                           "列表中有 1 行无法读取: 这里的以太网地址写作 00-a0-c9-12-34-56 "
                           "(wakeburst import 可以转换其他写法, 如 00:a0:c9:12:34:56)")
                   : WB_TR("wakeburst",
                           "列表中有 %1 行无法读取: 这里的以太网地址写作 00-a0-c9-12-34-56 "
                           "(wakeburst import 可以转换其他写法, 如 00:a0:c9:12:34:56)");
    return FormatText(pattern, {std::to_string(lines)});
}

bool ReadInputFile(const std::string& path, std::string& bytes) {
    if (path == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(platform::PathFromUtf8(path), ec)) return false;
    return platform::ReadWholeFile(path, bytes);
}

std::string ReadFailureReason(const std::string& path) {
    platform::CRegularFile file;
    bool notRegular = false;
    errno = 0;
    // Opened now: it was the reading that failed.
    const int error = file.OpenForReading(path, &notRegular) ? EIO : errno;
    if (notRegular) return WB_TR("wakeburst", " (不是普通文件)");
    return " (" +
           (error ? std::generic_category().message(error) : WB_TR("wakeburst", "无法打开")) + ")";
}

CInputLines::CInputLines(const std::string& path) {
    if (path == "-") {
        m_in = &std::cin;
        return;
    }
    auto file = std::make_unique<platform::CRegularFileStream>(path);
    if (!file->IsOpen()) return;
    m_file = std::move(file);
    m_in = m_file.get();
}

CInputLines::Result CInputLines::Next(std::string& line) {
    if (!m_in) return Result::Failed;
    line.resize(kMaxInputLine + 1);
    // Stops at the line feed, at the end, or once the buffer is full (failbit without eof).
    m_in->getline(line.data(), static_cast<std::streamsize>(line.size() + 1));
    const auto n = static_cast<std::size_t>(m_in->gcount());
    if (m_in->bad()) return Result::Failed;
    if (n == 0 && m_in->eof()) return Result::End;
    ++m_number;
    if (m_in->fail() && !m_in->eof()) return Result::TooLong;
    line.resize(m_in->eof() ? n : n - 1);
    if (line.size() > kMaxInputLine) return Result::TooLong;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_in->clear(m_in->rdstate() & std::ios::eofbit);
    return Result::Line;
}

CInputLines::Result CInputLines::NextRecord(std::string& record) {
    Result result = Next(record);
    m_first = m_number;
    std::string more;
    while (result == Result::Line && std::count(record.begin(), record.end(), '"') % 2 != 0) {
        result = Next(more);
        if (result == Result::End) return Result::Line;
        record += '\n' + more;
        if (record.size() > kMaxInputLine) return Result::TooLong;
    }
    return result;
}

int CInputLines::PeekSignificant() {
    if (!m_in) return -1;
    for (;;) {
        const int c = m_in->peek();
        if (c == std::char_traits<char>::eof() || !std::isspace(c)) {
            m_in->clear(m_in->rdstate() & std::ios::badbit);
            return c == std::char_traits<char>::eof() ? -1 : c;
        }
        Get();
    }
}

int CInputLines::Get() {
    if (!m_in) return -1;
    const int c = m_in->get();
    if (c == std::char_traits<char>::eof()) return -1;
    if (c == '\n') ++m_number;
    return c;
}

}  // namespace wb::cli
