#include "shell/text_codec.h"

#include <QStringList>
#include <optional>
#include <string>

#include "platform/codepage.h"

namespace wb::gui {

namespace {

bool IsAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

LineEnd DetectLineEnd(const QByteArray& bytes, bool& mixed) {
    int crlf = 0, cr = 0, lf = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        } else if (bytes[i] == '\n') {
            ++lf;
        }
    }
    mixed = (crlf > 0) + (cr > 0) + (lf > 0) > 1;
    if (crlf >= cr && crlf >= lf && crlf > 0) return LineEnd::CrLf;
    if (lf >= cr && lf > 0) return LineEnd::Lf;
    if (cr > 0) return LineEnd::Cr;
    return LineEnd::CrLf;
}

QByteArray ToMemoryLines(const QByteArray& bytes, LineEnd lineEnd) {
    QByteArray out = bytes;
    if (lineEnd == LineEnd::CrLf) {
        out.replace("\r\n", "\n");
    } else if (lineEnd == LineEnd::Cr) {
        out.replace('\r', '\n');
    }
    return out;
}

std::optional<QString> StrictGb18030(const QByteArray& bytes) {
    auto utf8 = platform::Gb18030ToUtf8(std::string_view(bytes.constData(), bytes.size()));
    if (!utf8) return std::nullopt;
    return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
}

// The length of the GB18030 sequence that starts at `i`, or 0 when the byte there starts
// none (a stray byte).
qsizetype SequenceLength(const QByteArray& b, qsizetype i) {
    const auto at = [&b](qsizetype k) { return static_cast<unsigned char>(b[k]); };
    const auto isLead = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
    const auto isDigit = [](unsigned char c) { return c >= 0x30 && c <= 0x39; };
    const unsigned char c = at(i);
    if (c < 0x80) return 1;
    if (!isLead(c) || i + 1 >= b.size()) return 0;
    const unsigned char t = at(i + 1);
    if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFE)) return 2;
    if (isDigit(t) && i + 3 < b.size() && isLead(at(i + 2)) && isDigit(at(i + 3))) return 4;
    return 0;
}

// One line that is not GB18030 as a whole: its well-formed runs go through the converter,
// every other byte becomes one U+FFFD.
QString DecodeLineWithStrayBytes(const QByteArray& line, qsizetype& stray) {
    QString out;
    qsizetype i = 0;
    while (i < line.size()) {
        qsizetype end = i;
        while (end < line.size()) {
            const qsizetype len = SequenceLength(line, end);
            if (len == 0) break;
            end += len;
        }
        if (auto run = StrictGb18030(line.mid(i, end - i))) {
            out += *run;
        } else {
            // A well-formed code the converter does not know: taken one sequence at a time.
            for (qsizetype k = i; k < end;) {
                const qsizetype len = SequenceLength(line, k);
                if (auto one = StrictGb18030(line.mid(k, len))) {
                    out += *one;
                } else {
                    out += QString(len, QChar::ReplacementCharacter);
                    stray += len;
                }
                k += len;
            }
        }
        i = end;
        if (i < line.size()) {
            out += QChar::ReplacementCharacter;
            ++stray;
            ++i;
        }
    }
    return out;
}

QByteArray Gb18030Of(const QString& text) {
    const std::string utf8 = text.toStdString();
    auto gb = platform::Utf8ToGb18030(utf8);
    const std::string out = gb ? *gb : platform::ToFileText(utf8);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

// Lines separated by '\n', each GBK line back to its bytes.
QByteArray EncodeGbkLines(const QString& text, const StrayLines& strayLines) {
    if (strayLines.isEmpty()) return Gb18030Of(text);
    QByteArray out;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) out += '\n';
        const auto raw = strayLines.constFind(lines[i]);
        out += raw != strayLines.cend() ? *raw : Gb18030Of(lines[i]);
    }
    return out;
}

// GBK text spoilt by a few stray bytes: worth showing as GBK when its GBK characters
// outnumber the stray bytes and it is no binary file (no NUL), and when every line goes
// back to its own bytes.
std::optional<QString> DecodeGbkWithStrayBytes(const QByteArray& lines, StrayLines& strayLines) {
    if (lines.contains('\0')) return std::nullopt;
    QString text;
    qsizetype stray = 0;
    qsizetype gbk = 0;
    const QList<QByteArray> split = lines.split('\n');
    for (qsizetype i = 0; i < split.size(); ++i) {
        if (i > 0) text += u'\n';
        const QByteArray& line = split[i];
        QString decoded;
        if (auto strict = StrictGb18030(line)) {
            decoded = *strict;
        } else {
            decoded = DecodeLineWithStrayBytes(line, stray);
            // Two lines that read alike but differ in their stray bytes cannot both go back.
            const auto known = strayLines.constFind(decoded);
            if (known != strayLines.cend() && *known != line) return std::nullopt;
            strayLines.insert(decoded, line);
        }
        for (QChar c : decoded)
            gbk += c.unicode() >= 0x80 && c != QChar::ReplacementCharacter;
        text += decoded;
    }
    if (stray == 0 || stray >= gbk) return std::nullopt;
    if (EncodeGbkLines(text, strayLines) != lines) return std::nullopt;
    return text;
}

std::optional<QString> Decode(const QByteArray& bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8: {
            QString s = QString::fromUtf8(bytes);
            if (s.toUtf8() != bytes) return std::nullopt;
            return s;
        }
        case TextEncoding::Gb18030:
            return StrictGb18030(bytes);
        case TextEncoding::Bytes:
            return QString::fromLatin1(bytes);
    }
    return std::nullopt;
}

}  // namespace

QByteArray EncodeFileText(const QString& text, TextEncoding encoding, LineEnd lineEnd,
                          const StrayLines& strayLines) {
    QByteArray out;
    switch (encoding) {
        case TextEncoding::Utf8:
            out = text.toUtf8();
            break;
        case TextEncoding::Gb18030:
            out = EncodeGbkLines(text, strayLines);
            break;
        case TextEncoding::Bytes:
            // Bytes read from the file come back as themselves; characters typed since
            // then have no byte of their own and are written as GBK.
            out.reserve(text.size());
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar c = text[i];
                if (c.unicode() <= 0xFF) {
                    out.append(static_cast<char>(c.unicode()));
                } else {
                    qsizetype len = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                    out.append(Gb18030Of(text.mid(i, len)));
                    i += len - 1;
                }
            }
            break;
    }
    if (lineEnd == LineEnd::CrLf) {
        out.replace("\n", "\r\n");
    } else if (lineEnd == LineEnd::Cr) {
        out.replace('\n', '\r');
    }
    return out;
}

DecodedText DecodeFileText(const QByteArray& bytes) {
    DecodedText result;
    bool mixed = false;
    result.lineEnd = DetectLineEnd(bytes, mixed);
    const QByteArray lines = ToMemoryLines(bytes, result.lineEnd);

    const bool ascii = IsAscii(lines);
    const TextEncoding order[] = {ascii ? TextEncoding::Gb18030 : TextEncoding::Utf8,
                                  TextEncoding::Gb18030};
    std::optional<QString> text;
    for (TextEncoding enc : order) {
        text = Decode(lines, enc);
        result.encoding = enc;
        if (text) break;
    }
    if (!text) text = DecodeGbkWithStrayBytes(lines, result.strayLines);
    if (!text) {
        result.strayLines.clear();
        result.encoding = TextEncoding::Bytes;
        text = Decode(lines, TextEncoding::Bytes);
    }
    result.text = *text;
    result.exact = !mixed && EncodeFileText(result.text, result.encoding, result.lineEnd,
                                            result.strayLines) == bytes;
    return result;
}

bool KeepsStrayBytes(const QString& text, const StrayLines& strayLines) {
    if (strayLines.isEmpty() || !text.contains(QChar::ReplacementCharacter)) return true;
    for (const QString& line : text.split(u'\n')) {
        if (line.contains(QChar::ReplacementCharacter) && !strayLines.contains(line)) {
            return false;
        }
    }
    return true;
}

}  // namespace wb::gui
