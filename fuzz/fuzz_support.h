#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// A broken promise of the code under test stops the fuzzer like a crash, with the input
// saved for replay.
#define FUZZ_CHECK(cond) ((cond) ? void(0) : wb::fuzz::Fail(__FILE__, __LINE__, #cond))

namespace wb::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* cond) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, cond);
    std::abort();
}

// A file of this process's own under the temporary directory, for readers that take a
// path; removed when the process ends.
class ScratchFile final {
public:
    explicit ScratchFile(const char* name)
        : m_path((std::filesystem::temp_directory_path() /
                  ("wakeburst-fuzz-" + std::to_string(getpid()) + "-" + name))
                     .string()) {}
    ~ScratchFile() { std::remove(m_path.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return m_path; }
    bool Write(const std::string& bytes) const {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        return bool(out << bytes) && bool(out.flush());
    }

private:
    std::string m_path;
};

}  // namespace wb::fuzz
