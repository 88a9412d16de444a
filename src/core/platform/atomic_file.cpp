#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>

#include "atomic_file_detail.h"
#include "platform/file_path.h"
#include "platform/regular_file.h"

namespace wb::platform {

namespace detail {

std::string TempNameFor(const std::string& path) {
    // Drawn afresh for each name: a generator kept in the process would hand every child of
    // a fork the same names, and the leftovers of one killed half way would then refuse the
    // saves of the next.
    std::random_device source;
    const unsigned long long draw = (static_cast<unsigned long long>(source()) << 32) | source();
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx%s", draw, kTempSuffix);
    return DirectoryOf(path) + "." + BaseNameOf(path) + suffix;
}

bool IsTempNameOf(const std::string& name, const std::string& base) {
    const std::string prefix = "." + base + ".";
    const std::size_t suffix = sizeof kTempSuffix - 1;
    if (name.size() != prefix.size() + kTempDigits + suffix ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kTempSuffix) != 0)
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end() - suffix,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace detail

namespace {
constexpr std::size_t kWriteBuffer = 64 * 1024;
}  // namespace

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Write(std::string_view bytes) {
    if (!m_ok) return false;
    if (m_buffer.size() + bytes.size() > kWriteBuffer && !Flush()) return false;
    if (bytes.size() >= kWriteBuffer) return WriteOut(bytes);
    m_buffer.append(bytes);
    return m_ok;
}

bool CAtomicFileWriter::Flush() {
    WriteOut(m_buffer);
    m_buffer.clear();
    return m_ok;
}

SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    CAtomicFileWriter writer(path);
    writer.Write(bytes);
    return writer.Commit();
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadRegularFile(path, bytes) == ReadResult::Read;
}

}  // namespace wb::platform
