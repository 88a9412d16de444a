#include "hostlist/create_list_input.h"

#include <algorithm>
#include <cctype>

#include "base/string_table.h"
#include "base/translate.h"

namespace wb {

std::string HostListFileName(const std::string& typed) {
    if (typed.empty()) return kDefaultHostListName;
    std::string lower = typed;
    // Only ASCII letters change, so UTF-8 names pass through whole.
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c < 0x80 ? std::tolower(c) : c);
    });
    if (lower.find(".mp") != std::string::npos) return typed;
    return typed + ".mp";
}

bool ValidateMaskFields(const MaskFields& fields, std::string& reason) {
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::string& f = fields[k];
        const unsigned long max = k == 3 ? 254 : 255;
        bool digits = !f.empty() && std::all_of(f.begin(), f.end(), [](unsigned char c) {
            return std::isdigit(c) != 0;
        });
        unsigned long value = 0;
        for (char c : f) {
            if (!digits || value > max) break;
            value = value * 10 + static_cast<unsigned long>(c - '0');
        }
        if (!digits || value > max) {
            reason =
                FormatText(WB_TR("wakeburst", "掩码第 %1 部分须为 0 到 %2 之间的整数, 而不是 '%3'"),
                           {std::to_string(k + 1), std::to_string(max), f});
            return false;
        }
    }
    return true;
}

std::string BuildMaskText(const MaskFields& fields) {
    return fields[0] + "." + fields[1] + "." + fields[2] + "." + fields[3];
}

bool SplitMaskText(const std::string& text, MaskFields& fields) {
    std::size_t start = 0;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::size_t dot = text.find('.', start);
        const bool last = k + 1 == fields.size();
        if (last != (dot == std::string::npos)) return false;
        fields[k] = text.substr(start, last ? std::string::npos : dot - start);
        start = dot + 1;
    }
    return true;
}

}  // namespace wb
