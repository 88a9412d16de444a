#pragma once

#include <cstddef>
#include <istream>
#include <string_view>
#include <vector>

namespace wb {

// Hands out a text file the way the host-list tools always read it: in pieces of at most
// 254 bytes, each ending after its first line feed, with a CR before a LF dropped (the
// files are CR LF on disk). A longer line comes out as several pieces. Counts bytes of the
// file, not characters, so a GBK character may straddle two pieces.
class CTextReader final {
public:
    static constexpr std::size_t kMaxPiece = 254;

    // Reads from an open stream (opened in binary mode); the caller keeps it.
    explicit CTextReader(std::istream& in);
    // Reads from bytes already in memory; they must outlive the reader.
    explicit CTextReader(std::string_view bytes);

    CTextReader(const CTextReader&) = delete;
    CTextReader& operator=(const CTextReader&) = delete;

    // The next piece, valid until the next call; false at the end or on a read error.
    bool Next(std::string_view& piece);
    bool Failed() const { return m_failed; }

private:
    bool Refill();
    int Get();

    std::istream* m_in = nullptr;
    std::vector<char> m_buffer;
    const char* m_cur = nullptr;
    const char* m_end = nullptr;
    bool m_failed = false;
    char m_piece[kMaxPiece];
};

}  // namespace wb
