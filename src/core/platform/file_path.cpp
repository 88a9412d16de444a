#include "platform/file_path.h"

#include <system_error>

namespace wb::platform {

bool RemoveFile(const std::string& utf8Path) {
    std::error_code ec;
    return std::filesystem::remove(PathFromUtf8(utf8Path), ec);
}

std::string DirectoryOf(const std::string& utf8Path) {
    const auto slash = utf8Path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : utf8Path.substr(0, slash + 1);
}

std::string BaseNameOf(const std::string& utf8Path) {
    const auto slash = utf8Path.find_last_of("/\\");
    return slash == std::string::npos ? utf8Path : utf8Path.substr(slash + 1);
}

}  // namespace wb::platform
