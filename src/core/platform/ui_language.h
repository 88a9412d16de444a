#pragma once

#include <optional>

namespace wb::platform {

// The language the program speaks to its user. Chinese is the language of the program's own
// texts; English is their one translation.
enum class UiLanguage { Chinese, English };

// The language this process speaks: the one pinned by PinUiLanguage, else SystemUiLanguage.
UiLanguage UserUiLanguage();

// The user's choice: on Windows the user's UI language, elsewhere the locale variables
// (UiLanguageFromLocale).
UiLanguage SystemUiLanguage();

// Pins the language of this process whatever the user's settings say (std::nullopt: the
// user's again). Tests pin it, so that they do not depend on the machine they run on: a
// Windows UI language cannot be set for one process.
void PinUiLanguage(std::optional<UiLanguage> language);

// The rule on the locale variables, each given as set (nullptr when unset): the first of
// LANGUAGE (its first entry of those separated by ':'), LC_ALL, LC_MESSAGES and LANG that is
// set and not empty decides; "en" in any region, code set or variant ("en_GB.UTF-8",
// "en@quot") means English, any other value (C, POSIX, zh_CN, de) Chinese, and so does no
// variable at all.
UiLanguage UiLanguageFromLocale(const char* language, const char* lcAll, const char* lcMessages,
                                const char* lang);

}  // namespace wb::platform
