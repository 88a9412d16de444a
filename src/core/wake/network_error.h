#pragma once

#include <string>

namespace wb {

// The fixed text for a socket-layer error code ("未知错误!!!" for codes outside the table), in
// the user's language.
const char* NetworkErrorText(int code);

// With `out` the text is handed back and nothing is shown; without it the text is shown in
// a message box with an OK button.
void ReportNetworkError(int code, std::string* out = nullptr);

}  // namespace wb
