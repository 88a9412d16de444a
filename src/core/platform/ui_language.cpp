#include "platform/ui_language.h"

#include <atomic>
#include <string_view>

namespace wb::platform {

namespace {

// -1 while nothing is pinned, else the pinned UiLanguage.
std::atomic<int> g_pinned{-1};

bool MeansEnglish(std::string_view locale) {
    return locale.substr(0, 2) == "en" &&
           (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}

}  // namespace

UiLanguage UserUiLanguage() {
    const int pinned = g_pinned.load(std::memory_order_relaxed);
    return pinned < 0 ? SystemUiLanguage() : static_cast<UiLanguage>(pinned);
}

void PinUiLanguage(std::optional<UiLanguage> language) {
    g_pinned.store(language ? static_cast<int>(*language) : -1, std::memory_order_relaxed);
}

UiLanguage UiLanguageFromLocale(const char* language, const char* lcAll, const char* lcMessages,
                                const char* lang) {
    std::string_view chosen;
    if (language) {
        // LANGUAGE lists fall-backs; an empty entry (":en") is no choice.
        std::string_view list = language;
        while (chosen.empty() && !list.empty()) {
            const std::size_t colon = list.find(':');
            chosen = list.substr(0, colon);
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    for (const char* value : {lcAll, lcMessages, lang})
        if (chosen.empty() && value) chosen = value;
    return MeansEnglish(chosen) ? UiLanguage::English : UiLanguage::Chinese;
}

}  // namespace wb::platform
