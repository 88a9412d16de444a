#include "platform/file_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace wb::platform {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string PathToUtf8(const std::filesystem::path& path) { return path.native(); }

namespace {

// The kernel's own rule (fs.protected_symlinks): outside a world-writable sticky directory
// any link is followed; inside one only a link of the follower or of the directory's owner.
bool KernelWouldFollow(const std::string& link, const struct stat& linkStat) {
    const std::string dir = DirectoryOf(link);
    struct stat dirStat {};
    if (stat(dir.empty() ? "." : dir.c_str(), &dirStat) != 0) return false;
    if ((dirStat.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH)) return true;
    return linkStat.st_uid == geteuid() || linkStat.st_uid == dirStat.st_uid;
}

}  // namespace

bool ResolveWriteTarget(const std::string& utf8Path, std::string& target,
                        std::string& refusedLink) {
    refusedLink.clear();
    std::string at = utf8Path;
    // No more links in a row than the kernel follows before it gives up.
    for (int hops = 0; hops <= 40; ++hops) {
        struct stat st {};
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = at;
            return true;
        }
        if (!KernelWouldFollow(at, st)) {
            refusedLink = at;
            return false;
        }
        std::string to(PATH_MAX, '\0');
        const ssize_t n = readlink(at.c_str(), to.data(), to.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= to.size()) return false;
        to.resize(static_cast<std::size_t>(n));
        at = to.front() == '/' ? to : DirectoryOf(at) + to;
    }
    return false;
}

}  // namespace wb::platform
