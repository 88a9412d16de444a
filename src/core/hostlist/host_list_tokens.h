#pragma once

#include <cstddef>
#include <string_view>

namespace wb {

// Fields of host-list and listing lines are split at every run of these characters.
inline bool IsHostListSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == ':' || c == ',';
}

// Calls fn(token) for each token of the line, in order, until fn returns false.
template <typename Fn>
void ForEachHostListToken(std::string_view line, Fn&& fn) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        while (i < n && IsHostListSeparator(line[i]))
            ++i;
        if (i == n) break;
        std::size_t start = i;
        while (i < n && !IsHostListSeparator(line[i]))
            ++i;
        if (!fn(line.substr(start, i - start))) return;
    }
}

}  // namespace wb
