#pragma once

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace wb::test {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir final {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "wbalarm.XXXXXX").string();
        if (mkdtemp(tmpl.data())) m_path = tmpl;
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

private:
    std::string m_path;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string DataFile(const std::string& name) {
    return std::string(WAKEBURST_TEST_DATA) + "/alarm/" + name;
}

// "01 00 ff" -> the three bytes; blanks are ignored.
inline std::string FromHex(const std::string& hex) {
    std::string out, digits;
    for (char c : hex) {
        if (c == ' ') continue;
        digits += c;
        if (digits.size() == 2) {
            out += static_cast<char>(std::stoi(digits, nullptr, 16));
            digits.clear();
        }
    }
    return out;
}

// "01ff": lower-case hexadecimal, no blanks.
inline std::string HexOf(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// A local wall-clock moment, with the milliseconds past the given second.
inline std::chrono::system_clock::time_point LocalMoment(int year, int month, int day, int hour,
                                                         int minute, int second = 0,
                                                         int millis = 0) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm)) +
           std::chrono::milliseconds(millis);
}

}  // namespace wb::test
