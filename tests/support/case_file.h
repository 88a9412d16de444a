#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace wb::test {

// One row of a case file under tests/data: fields split at '|', blanks around them trimmed.
struct CaseRow {
    std::string where;  // "file:line", for failure messages
    std::vector<std::string> fields;
    const std::string& operator[](std::size_t i) const { return fields.at(i); }
};

inline void PrintTo(const CaseRow& row, std::ostream* os) { *os << row.where; }

// Escapes inside a field: \r \n \t \0 \s (a blank) \| \\ \xHH, and "c\*N;" for the byte c
// N times in all. In a transcript only \n \r \t \xHH \\ are escapes and any other backslash
// stays, so that Windows paths are written as they are.
inline std::string Unescape(std::string_view in, bool transcript = false) {
    std::string out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\' || i + 1 == in.size() ||
            (transcript && !std::memchr("nrtx\\", in[i + 1], 5))) {
            out += in[i];
            continue;
        }
        const char c = in[++i];
        static constexpr char kFrom[] = "rnt0s", kTo[] = "\r\n\t\0 ";
        if (const char* k = std::strchr(kFrom, c); k && c) {
            out += kTo[k - kFrom];
        } else if (c == 'x') {
            out += static_cast<char>(std::stoi(std::string(in.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else if (c == '*') {
            const std::size_t end = in.find(';', i);
            out.append(std::stoul(std::string(in.substr(i + 1, end - i - 1))) - 1, out.back());
            i = end;
        } else {
            out += c;
        }
    }
    return out;
}

// The rows of tests/data/<name>; lines that are blank or start with '#' are skipped.
inline std::vector<CaseRow> ReadCases(const std::string& name) {
    const std::string path = std::string(WAKEBURST_TEST_DATA) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    std::vector<CaseRow> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(' ') == std::string::npos || line[0] == '#') continue;
        CaseRow row{name + ":" + std::to_string(number), {}};
        std::string field;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == '|') {
                const auto b = field.find_first_not_of(' ');
                const auto e = field.find_last_not_of(' ');
                row.fields.push_back(b == std::string::npos ? ""
                                                            : Unescape(field.substr(b, e - b + 1)));
                field.clear();
            } else {
                if (line[i] == '\\' && i + 1 < line.size()) field += line[i++];
                field += line[i];
            }
        }
        rows.push_back(std::move(row));
    }
    EXPECT_FALSE(rows.empty()) << path << " holds no cases";
    return rows;
}

}  // namespace wb::test
