#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

// A broken promise of the code under test stops the fuzzer like a crash, with the input
// saved for replay.
#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

namespace wb::fuzz {

// A file of this process's own under the temporary directory, for readers that take a
// path; removed when the process ends.
class ScratchFile final {
public:
    explicit ScratchFile(const char* name) {
        const char* tmp = std::getenv("TMPDIR");
        m_path = std::string(tmp && *tmp ? tmp : "/tmp") + "/wakeburst-fuzz-" +
                 std::to_string(static_cast<long>(getpid())) + "-" + name;
    }
    ~ScratchFile() { std::remove(m_path.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

inline bool WriteScratch(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace wb::fuzz
