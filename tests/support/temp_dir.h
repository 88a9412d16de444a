#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace wb::test {

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir final {
public:
    TempDir() {
        // create_directory is false for a name already taken, so a fresh one is ours alone
        // (mkdtemp's promise, which Windows has no call for).
        std::error_code ec;
        std::random_device seed;
        for (int tries = 0; m_path.empty() && tries < 100; ++tries) {
            const auto dir = std::filesystem::temp_directory_path(ec) /
                             ("wbtest-" + std::to_string(seed() % 1000000000));
            if (!ec && std::filesystem::create_directory(dir, ec)) m_path = dir.generic_string();
        }
    }
    ~TempDir() {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // The directory as the program keeps a start-up directory: with a trailing separator.
    std::string Dir() const { return m_path + "/"; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Writes bytes as they are (no line-end translation) and returns the file's path.
    std::string Write(const std::string& name, std::string_view bytes) const {
        std::ofstream(File(name), std::ios::binary | std::ios::trunc) << bytes;
        return File(name);
    }

private:
    std::string m_path;
};

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace wb::test
