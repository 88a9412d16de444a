#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/case_file.h"

namespace wb::test {

// Arguments split at blanks, 'quoted' parts kept whole, each unescaped.
inline std::vector<std::string> TranscriptWords(const std::string& s) {
    std::vector<std::string> words;
    bool quoted = false, inWord = false;
    for (char c : s) {
        if (c == ' ' && !quoted) {
            inWord = false;
            continue;
        }
        if (!inWord) words.emplace_back();
        inWord = true;
        if (c == '\'')
            quoted = !quoted;
        else
            words.back() += c;
    }
    for (std::string& w : words)
        w = Unescape(w, true);
    return words;
}

struct TranscriptFileCheck {
    char how;  // '=' exactly, '~' somewhere in the file, 'x' exactly, in hex
    std::string file, value;
};

// The lines of a transcript (tests/data/cli and tests/data/lab; the runners' comments say
// what each line means), read into cases of steps.
struct TranscriptStep {
    bool shell = false;  // "$ LINE" (bash) rather than ": ARGS" (wakeburst, no shell)
    std::vector<std::string> args;
    std::string where;  // "tests/data/cli/send.t:42: : send ...", for a failure to name it
    std::string input, out, err;
    int exitCode = 0, frames = 0;
    std::vector<std::string> macs;
    std::vector<TranscriptFileCheck> files;
    std::map<std::size_t, std::vector<std::string>> peers;  // "@" lines
};

struct TranscriptCase {
    std::string name;  // the file's stem and the "== title", as a test name
    bool posixOnly = false;
    std::string lab;  // the options of the lab it needs ("lab OPTION...")
    std::vector<std::pair<std::string, std::string>> setup;
    std::vector<TranscriptStep> steps;
};

inline void PrintTo(const TranscriptCase& c, std::ostream* os) { *os << c.name; }

// `where` is "FILE:LINE" of the line.
inline void ReadTranscriptLine(TranscriptCase& c, const std::string& line,
                               const std::string& where) {
    const std::string tag = line.substr(0, 2), rest = line.size() > 2 ? line.substr(2) : "";
    const auto blank = rest.find(' ');
    const std::string name = rest.substr(0, blank),
                      value = blank == std::string::npos ? "" : rest.substr(blank + 1);
    TranscriptStep* step = c.steps.empty() ? nullptr : &c.steps.back();
    if (tag == "$ " || tag == ": ") {
        TranscriptStep& s = c.steps.emplace_back();
        s.shell = tag == "$ ";
        s.args = s.shell ? std::vector<std::string>{rest} : TranscriptWords(rest);
        s.where = where + ": " + line;
        c.posixOnly |= s.shell;
    } else if (tag == "+ " && !step) {
        c.setup.emplace_back(Unescape(name, true), value);
    } else if (line == "posix") {
        c.posixOnly = true;
    } else if (line.rfind("lab ", 0) == 0) {
        c.lab = line.substr(4);
    } else if (step && (tag == "> " || line == ">")) {
        step->out += rest + "\n";
    } else if (step && (tag == "! " || line == "!")) {
        step->err += rest + "\n";
    } else if (step && tag == "< ") {
        step->input += Unescape(rest, true);
    } else if (step && tag == "? ") {
        step->exitCode = std::stoi(rest);
    } else if (step && tag == "% ") {
        step->macs = TranscriptWords(rest);
        step->frames = std::stoi(step->macs.at(0));
        step->macs.erase(step->macs.begin());
    } else if (step && (tag == "= " || tag == "~ " || tag == "x ")) {
        step->files.push_back({tag[0], name, value});
    } else if (step && tag == "@ " && rest.find(": ") != std::string::npos) {
        std::istringstream peers(rest.substr(0, rest.find(':')));
        for (std::size_t peer; peers >> peer;)
            step->peers[peer].push_back(rest.substr(rest.find(": ") + 2));
    } else {
        // Shown as the failure of its case: a transcript line that says nothing.
        TranscriptStep& s = c.steps.emplace_back();
        s.shell = true;
        s.args = {"true"};
        s.where = where + ": " + line;
        s.out = "unreadable line: " + line + "\n";
    }
}

// The cases of every .t file of tests/data/<folder>, in name order. Lines before a file's
// first case belong to each of its cases; blank lines and '#' comments are skipped.
inline std::vector<TranscriptCase> ReadTranscripts(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& e :
         std::filesystem::directory_iterator(std::string(WAKEBURST_TEST_DATA) + "/" + folder))
        if (e.path().extension() == ".t") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::vector<TranscriptCase> cases;
    for (const auto& file : files) {
        std::ifstream in(file);
        // Named from the source tree's root, as the file is known to whoever edits it.
        const std::string shown = "tests/data/" + folder + "/" + file.filename().string() + ":";
        std::vector<std::pair<std::string, std::string>> head;  // (line, where)
        const std::size_t first = cases.size();
        std::size_t number = 0;
        for (std::string line; std::getline(in, line);) {
            const std::string where = shown + std::to_string(++number);
            if (line.rfind("== ", 0) == 0) {
                std::string& id = cases.emplace_back().name =
                    file.stem().string() + "_" + line.substr(3);
                std::replace_if(
                    id.begin(), id.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
                for (const auto& [h, at] : head)
                    ReadTranscriptLine(cases.back(), h, at);
            } else if (!line.empty() && line[0] != '#') {
                if (cases.size() > first)
                    ReadTranscriptLine(cases.back(), line, where);
                else
                    head.emplace_back(line, where);
            }
        }
    }
    return cases;
}

}  // namespace wb::test
