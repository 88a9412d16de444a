#pragma once

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace wb::test {

// \n \r \t \xHH \\ unescaped; any other backslash stays, so Windows paths are written as is.
inline std::string TranscriptUnescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char n = i + 1 < s.size() ? s[i + 1] : '\0';
        if (s[i] != '\\' || !std::strchr("nrtx\\", n) || n == '\0') {
            out += s[i];
        } else if (n == 'x') {
            out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 't' ? '\t' : '\\';
            ++i;
        }
    }
    return out;
}

// Arguments split at blanks, 'quoted' parts kept whole, each unescaped.
inline std::vector<std::string> TranscriptWords(const std::string& s) {
    std::vector<std::string> words;
    bool quoted = false, inWord = false;
    for (char c : s) {
        if (c == '\'') {
            quoted = !quoted;
            if (!inWord) words.emplace_back();
            inWord = true;
        } else if (c == ' ' && !quoted) {
            inWord = false;
        } else {
            if (!inWord) words.emplace_back();
            inWord = true;
            words.back() += c;
        }
    }
    for (std::string& w : words)
        w = TranscriptUnescape(w);
    return words;
}

// One "== title" of a transcript and the lines after it, without blank lines and '#' comments.
// The id is the file's stem and the title, as a test name.
struct TranscriptCase {
    std::string id, title;
    std::vector<std::string> lines;
};

// The cases of tests/data/<path>: one .t file, or every .t file of a folder in name order.
inline std::vector<TranscriptCase> ReadTranscripts(const std::string& path) {
    const std::filesystem::path root = std::string(WAKEBURST_TEST_DATA) + "/" + path;
    std::vector<std::filesystem::path> files = {root};
    if (std::filesystem::is_directory(root)) {
        files.clear();
        for (const auto& e : std::filesystem::directory_iterator(root))
            if (e.path().extension() == ".t") files.push_back(e.path());
        std::sort(files.begin(), files.end());
    }
    std::vector<TranscriptCase> cases;
    for (const auto& file : files) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("== ", 0) == 0) {
                std::string id = file.stem().string() + "_";
                for (char c : line.substr(3))
                    id += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                cases.push_back({id, line.substr(3), {}});
            } else if (!cases.empty() && !line.empty() && line[0] != '#') {
                cases.back().lines.push_back(line);
            }
        }
    }
    return cases;
}

}  // namespace wb::test
