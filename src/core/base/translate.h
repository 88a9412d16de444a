#pragma once

#include <string>

#include "platform/ui_language.h"

// Marks a text of the program for the catalogue res/i18n/wakeburst_en.ts without translating
// it (tables, and texts that go to files as well as to the user): WB_TR_NOOP(context, text).
// scripts/update-translations tells lupdate to read both macros.
#define WB_TR_NOOP(context, source) source
// The text in the user's language: WB_TR(context, text).
#define WB_TR(context, source) ::wb::Translate(context, source)

namespace wb {

using platform::UiLanguage;

// The translation of `source` (a text marked in `context`) into `language`: the finished
// English translation of the catalogue, else `source` itself.
const char* TranslateTo(UiLanguage language, const char* context, const char* source);

// TranslateTo the user's language (platform::UserUiLanguage).
const char* Translate(const char* context, const char* source);
inline std::string Translate(const char* context, const std::string& source) {
    return Translate(context, source.c_str());
}

}  // namespace wb
