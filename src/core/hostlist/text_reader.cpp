#include "hostlist/text_reader.h"

#include <cstdio>

namespace wb {

namespace {
constexpr std::size_t kBlock = 64 * 1024;
}  // namespace

CTextReader::CTextReader(std::istream& in) : m_in(&in), m_buffer(kBlock) {}

CTextReader::CTextReader(std::string_view bytes)
    : m_cur(bytes.data()), m_end(bytes.data() + bytes.size()) {}

bool CTextReader::Refill() {
    if (!m_in || m_failed) return false;
    m_in->read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    const auto n = static_cast<std::size_t>(m_in->gcount());
    if (m_in->bad()) m_failed = true;
    if (n == 0 || m_failed) return false;
    m_cur = m_buffer.data();
    m_end = m_cur + n;
    return true;
}

int CTextReader::Get() {
    if (m_cur == m_end && !Refill()) return EOF;
    char c = *m_cur++;
    if (c == '\r') {
        // A CR counts only when no LF follows it; the pair may be split across blocks.
        if (m_cur == m_end && !Refill()) return '\r';
        if (*m_cur == '\n') {
            ++m_cur;
            return '\n';
        }
    }
    return static_cast<unsigned char>(c);
}

bool CTextReader::Next(std::string_view& piece) {
    std::size_t n = 0;
    while (n < kMaxPiece) {
        int c = Get();
        if (c == EOF) break;
        m_piece[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    if (n == 0 || m_failed) return false;
    piece = std::string_view(m_piece, n);
    return true;
}

}  // namespace wb
