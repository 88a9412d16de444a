#pragma once

#include <string>
#include <string_view>

namespace wb::test {

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir final {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Writes bytes as they are (no line-end translation) and returns the file's path.
    std::string Write(const std::string& name, std::string_view bytes) const;

private:
    std::string m_path;
};

std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace wb::test
