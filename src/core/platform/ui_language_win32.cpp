#include <windows.h>

#include "platform/ui_language.h"

namespace wb::platform {

UiLanguage SystemUiLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH ? UiLanguage::English
                                                                     : UiLanguage::Chinese;
}

}  // namespace wb::platform
