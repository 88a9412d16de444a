#include "alarm/start_dir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "alarm/alarm_store.h"
#include "base/translate.h"
#include "platform/codepage.h"
#include "platform/file_path.h"

namespace wb {

namespace fs = std::filesystem;

namespace {

// The start-up directory was read into a buffer of this many bytes.
constexpr std::size_t kStartDirBuffer = 256;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string StartDirFrom(const std::string& dirWithSeparator) {
    // The directory, its separator and the terminating zero must fit, counted in the
    // bytes the system's own files use.
    if (platform::ToFileText(dirWithSeparator).size() + 1 > kStartDirBuffer) return {};
    return dirWithSeparator;
}

std::string SharedDataDir(const std::string& xdgDataHome, const std::string& home) {
    if (!xdgDataHome.empty() && platform::PathFromUtf8(xdgDataHome).is_absolute()) {
        return WithTrailingSeparator(WithTrailingSeparator(xdgDataHome) + "wakeburst");
    }
    if (home.empty()) return {};
    return WithTrailingSeparator(WithTrailingSeparator(home) + ".local/share/wakeburst");
}

std::string SharedDataDirFromEnvironment() {
    return SharedDataDir(Environment("XDG_DATA_HOME"), Environment("HOME"));
}

bool EnsurePrivateDir(const std::string& dir, std::string& error) {
    error.clear();
    // Without its trailing separator, so that the last component is the directory itself.
    const fs::path path =
        platform::PathFromUtf8(dir.size() > 1 ? dir.substr(0, dir.size() - 1) : dir);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        // The parents are the user's ordinary data directories; only our own is private.
        fs::create_directories(path.parent_path(), ec);
        if (!ec && fs::create_directory(path, ec)) {
            fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace, ec);
        }
        if (ec) {
            error = dir + ": " + ec.message();
            return false;
        }
    }
    if (!fs::is_directory(path, ec)) {
        error = dir + ": " + (ec ? ec.message() : std::string(WB_TR("wakeburst", "不是目录")));
        return false;
    }
    return true;
}

std::string PrepareStartDir(StartPlace place, const std::string& namedDir, std::string& error) {
    error.clear();
    std::string dir;
    switch (place) {
        case StartPlace::CurrentDir:
            dir = CurrentStartDir();
            if (dir.empty()) error = WB_TR("wakeburst", "无法读取当前目录");
            return dir;
        case StartPlace::Named:
            dir = namedDir.empty() ? std::string() : ResolveStartDir(namedDir);
            break;
        case StartPlace::SharedData:
            dir = SharedDataDirFromEnvironment();
            if (dir.empty()) {
                error = WB_TR("wakeburst", "XDG_DATA_HOME 和 HOME 都没有设置");
                return {};
            }
            break;
    }
    if (dir.empty()) {
        error = WB_TR("wakeburst", "没有给出目录");
        return {};
    }
    if (place == StartPlace::SharedData) return EnsurePrivateDir(dir, error) ? dir : std::string();
    std::error_code ec;
    if (!fs::is_directory(platform::PathFromUtf8(dir), ec)) {
        error = dir + ": " + (ec ? ec.message() : std::string(WB_TR("wakeburst", "不是目录")));
        return {};
    }
    return dir;
}

}  // namespace wb
