#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/string_text.h"
#include "platform/ui_language.h"

namespace wb {

// String-table identifiers used by the core.
enum StringId : int {
    IDS_SOCKETS_INIT_FAILED = 104,
    IDS_APP_TITLE = 57344,
    IDP_ALARMS_NOT_SAVED = 61448,
    IDS_CANNOT_OPEN_READ = 61449,
    IDS_CANNOT_OPEN_WRITE = 61450,
    IDS_BAD_ETHERNET = 61452,
    IDS_BAD_BROADCAST = 61453,
    IDS_FILE_NOT_FOUND = 61546,
};

// The caption of every message box that is not given one of its own.
inline constexpr std::string_view kAppTitle = "Wakeburst Utility";

// The text of a string-table entry in `language` (by default the user's); empty for an
// unknown identifier. What goes to a file of the system asks for Chinese.
std::string_view LoadStringText(int id, platform::UiLanguage language = platform::UserUiLanguage());

// Replaces %1..%9 with the matching argument; every other character, a lone '%' included,
// is copied unchanged.
std::string FormatPlaceholders(std::string_view pattern, const std::string* args, int count);
std::string FormatString1(int id, const std::string& arg1,
                          platform::UiLanguage language = platform::UserUiLanguage());
// `pattern` (a text of the catalogue, translated) with %1, %2, ... replaced by `args`.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string> args);

std::string FormatString2(int id, const std::string& arg1, const std::string& arg2,
                          platform::UiLanguage language = platform::UserUiLanguage());

// The message of a save that wrote nothing: when `refusedLink` is set, one line naming that
// link (escaped), another user's, which the kernel itself would not follow for us, in the
// user's language; else `otherwise`.
std::string SaveFailureText(const std::string& refusedLink, std::string otherwise);

// Said once while a lock that another program holds keeps us waiting: the locked file's
// name (escaped).
std::string LockWaitText(const std::string& path);

}  // namespace wb
