// ReadHostList over arbitrary file contents. What must hold: the file is read (true); the
// caller's earlier addresses are kept in front; every address taken is a strict Ethernet
// text standing as it is in the file; the report holds nothing but bad-line messages, with
// rising line numbers; and the stream reader cuts the file into the same pieces as the
// in-memory reader, also where a CR LF pair straddles its block boundary.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "hostlist/host_list_reader.h"
#include "hostlist/text_reader.h"
#include "wake/address_text.h"

namespace {

constexpr char kSentinel[] = "earlier entry";

std::vector<std::string> Pieces(wb::CTextReader& reader) {
    std::vector<std::string> out;
    std::string_view piece;
    while (reader.Next(piece)) {
        FUZZ_CHECK(!piece.empty() && piece.size() <= wb::CTextReader::kMaxPiece);
        FUZZ_CHECK(piece.find('\n') == std::string_view::npos || piece.back() == '\n');
        out.emplace_back(piece);
    }
    FUZZ_CHECK(!reader.Failed());
    return out;
}

// The report is bad-line messages alone, for rising line numbers within the file.
void CheckReport(const std::string& report, const std::string& path, std::size_t pieces) {
    const std::string sample = wb::BadLineMessage(path, 0);
    const std::size_t numberAt = sample.rfind('0');
    long last = 0;
    for (std::size_t pos = 0; pos < report.size();) {
        FUZZ_CHECK(report.compare(pos, numberAt, sample, 0, numberAt) == 0);
        const long line = std::strtol(report.c_str() + pos + numberAt, nullptr, 10);
        const std::string message = wb::BadLineMessage(path, static_cast<int>(line));
        FUZZ_CHECK(line > last && static_cast<std::size_t>(line) <= pieces);
        FUZZ_CHECK(report.compare(pos, message.size(), message) == 0);
        last = line;
        pos += message.size();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static wb::fuzz::ScratchFile file("hostlist.mp");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(file.Write(bytes));

    std::string report = "left over";
    std::vector<std::string> addresses = {kSentinel};
    FUZZ_CHECK(wb::ReadHostList(file.Path(), report, addresses));
    FUZZ_CHECK(!addresses.empty() && addresses[0] == kSentinel);
    for (std::size_t i = 1; i < addresses.size(); ++i) {
        FUZZ_CHECK(wb::IsValidEthernetText(addresses[i]));
        FUZZ_CHECK(bytes.find(addresses[i]) != std::string::npos);
    }
    wb::CTextReader memory(bytes);
    const std::vector<std::string> pieces = Pieces(memory);
    CheckReport(report, file.Path(), pieces.size());

    // The stream reader fills 64 KiB blocks: put the input across the first boundary. That
    // costs 64 KiB a run, so only inputs with a CR near their start, where a split pair
    // can matter, take this path.
    const std::size_t shift = size ? data[0] % 4 : 0;
    if (bytes.find('\r') > 8) return 0;
    const std::string padded = std::string(65536 - shift, '#') + bytes;
    std::istringstream stream(padded);
    wb::CTextReader fromStream(stream);
    wb::CTextReader fromMemory(padded);
    FUZZ_CHECK(Pieces(fromStream) == Pieces(fromMemory));
    return 0;
}
