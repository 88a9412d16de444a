// The document loader's decoding and its save-back check over arbitrary file bytes. What
// must hold: a document said to be exact is written back to the very bytes it was read
// from, and a saved document that holds no carriage return opens again as the same text,
// exact.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "fuzz_support.h"
#include "shell/text_codec.h"

using wb::gui::DecodedText;
using wb::gui::DecodeFileText;
using wb::gui::EncodeFileText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DecodedText doc = DecodeFileText(bytes);
    const QByteArray saved = EncodeFileText(doc.text, doc.encoding, doc.lineEnd, doc.strayLines);
    if (doc.exact) FUZZ_CHECK(saved == bytes);
    if (!doc.text.contains(QLatin1Char('\r'))) {
        const DecodedText reopened = DecodeFileText(saved);
        FUZZ_CHECK(reopened.text == doc.text);
        FUZZ_CHECK(reopened.exact);
    }
    return 0;
}
