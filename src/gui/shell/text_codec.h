#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace wb::gui {

// How a document's bytes became text, so that saving can turn the text back into the
// same bytes.
enum class TextEncoding { Gb18030, Utf8, Bytes };
enum class LineEnd { CrLf, Lf, Cr };

// The lines of a GBK text that hold bytes no GBK character begins with (a stray 0xFF or
// 0x80, a lead byte cut off): each stray byte is shown as U+FFFD, and the line's text maps
// to the bytes it came from, so that the line goes back to the file as it was read.
using StrayLines = QHash<QString, QByteArray>;

struct DecodedText {
    QString text;  // lines separated by '\n'
    TextEncoding encoding = TextEncoding::Gb18030;
    LineEnd lineEnd = LineEnd::CrLf;
    // False when encoding `text` again would not give the same bytes (mixed line ends,
    // a carriage return inside a line...).
    bool exact = true;
    StrayLines strayLines;
};

// GBK files (read as GB18030) are the system's own; text that is strictly valid UTF-8
// with characters beyond ASCII is taken as UTF-8, since such text is almost never a GBK
// text while UTF-8 text often passes for GB18030. GBK text with a few stray bytes (fewer
// than its GBK characters, and no NUL) stays GBK with the stray bytes replaced. Anything
// else is read byte for byte.
DecodedText DecodeFileText(const QByteArray& bytes);

// `strayLines` gives the bytes of GBK lines that held stray bytes when they were read.
QByteArray EncodeFileText(const QString& text, TextEncoding encoding, LineEnd lineEnd,
                          const StrayLines& strayLines = {});

// Whether every line of `text` that shows a replaced stray byte still has its bytes in
// `strayLines`: false once such a line was edited, and saving would lose its stray bytes.
bool KeepsStrayBytes(const QString& text, const StrayLines& strayLines);

}  // namespace wb::gui
