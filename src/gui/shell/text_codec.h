#pragma once

#include <QByteArray>
#include <QString>

namespace wb::gui {

// How a document's bytes became text, so that saving can turn the text back into the
// same bytes.
enum class TextEncoding { Gb18030, Utf8, Bytes };
enum class LineEnd { CrLf, Lf, Cr };

struct DecodedText {
    QString text;  // lines separated by '\n'
    TextEncoding encoding = TextEncoding::Gb18030;
    LineEnd lineEnd = LineEnd::CrLf;
    // False when encoding `text` again would not give the same bytes (mixed line ends,
    // a carriage return inside a line...).
    bool exact = true;
};

// GBK files (read as GB18030) are the system's own; text that is strictly valid UTF-8
// with characters beyond ASCII is taken as UTF-8, since such text is almost never a GBK
// text while UTF-8 text often passes for GB18030. Anything else is read byte for byte.
DecodedText DecodeFileText(const QByteArray& bytes);

QByteArray EncodeFileText(const QString& text, TextEncoding encoding, LineEnd lineEnd);

}  // namespace wb::gui
