#include "platform/regular_file.h"

#include <algorithm>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/file_path.h"

namespace wb::platform {

class CRegularFileStream::Buffer final : public std::streambuf {
public:
    explicit Buffer(CRegularFile& file) : m_file(file), m_data(64 * 1024) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        const std::int64_t got = m_file.Read(m_data.data(), m_data.size());
        // A read error surfaces as an exception, which the stream turns into badbit.
        if (got < 0) throw std::ios_base::failure("read error");
        if (got == 0) return traits_type::eof();
        setg(m_data.data(), m_data.data(), m_data.data() + got);
        return traits_type::to_int_type(*gptr());
    }

private:
    CRegularFile& m_file;
    std::vector<char> m_data;
};

CRegularFileStream::CRegularFileStream(const std::string& utf8Path) : std::istream(nullptr) {
    if (m_file.OpenForReading(utf8Path)) {
        m_buffer = std::make_unique<Buffer>(m_file);
        rdbuf(m_buffer.get());
    } else {
        setstate(std::ios::failbit);
    }
}

CRegularFileStream::~CRegularFileStream() = default;

ReadResult ReadRegularFile(const std::string& utf8Path, std::string& bytes,
                           std::uint64_t maxBytes) {
    CRegularFile file;
    bool notRegular = false;
    if (!file.OpenForReading(utf8Path, &notRegular))
        return notRegular ? ReadResult::NotRegular : ReadResult::NotOpened;
    if (file.SizeAtOpen() > maxBytes) return ReadResult::TooLarge;
    std::string read;
    read.reserve(static_cast<std::size_t>(file.SizeAtOpen()));
    char buf[64 * 1024];
    for (;;) {
        const std::int64_t got = file.Read(buf, sizeof buf);
        if (got < 0) return ReadResult::Failed;
        if (got == 0) break;
        // The file may grow while it is read.
        if (read.size() + static_cast<std::uint64_t>(got) > maxBytes) return ReadResult::TooLarge;
        read.append(buf, static_cast<std::size_t>(got));
    }
    bytes = std::move(read);
    return ReadResult::Read;
}

bool CRegularFile::LockExclusive(std::chrono::milliseconds patience,
                                 const std::function<void()>& longWait) {
    constexpr std::chrono::milliseconds kRetryPause{20};
    constexpr std::chrono::seconds kQuietWait{3};
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    while (!TryLockExclusive()) {
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited >= patience) return false;
        if (!told && waited >= kQuietWait) {
            told = true;
            if (longWait) longWait();
        }
        std::this_thread::sleep_for(kRetryPause);
    }
    return true;
}

}  // namespace wb::platform
