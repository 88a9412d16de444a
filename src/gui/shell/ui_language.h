#pragma once

#include <cstdlib>
#include <cstring>

namespace wb::platform {

// The language the user's locale asks for: the first of LANGUAGE (its first entry), LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides; "en" (any region) is English,
// anything else, C and POSIX included, Chinese.
enum class UiLanguage { Chinese, English };

inline UiLanguage UserUiLanguage() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        const bool english = std::strncmp(value, "en", 2) == 0 &&
                             (value[2] == '\0' || std::strchr("_.@:", value[2]));
        return english ? UiLanguage::English : UiLanguage::Chinese;
    }
    return UiLanguage::Chinese;
}

}  // namespace wb::platform
