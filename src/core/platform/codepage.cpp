#include "platform/codepage.h"

namespace wb::platform {

std::string ToFileText(std::string_view utf8) {
    auto gb = Utf8ToGb18030(utf8);
    return gb ? *gb : std::string(utf8);
}

std::string FromFileText(std::string_view gb) {
    auto utf8 = Gb18030ToUtf8(gb);
    return utf8 ? *utf8 : std::string(gb);
}

}  // namespace wb::platform
