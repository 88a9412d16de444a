#include <cstdlib>

#include "platform/ui_language.h"

namespace wb::platform {

UiLanguage SystemUiLanguage() {
    return UiLanguageFromLocale(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace wb::platform
