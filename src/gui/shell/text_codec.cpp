#include "shell/text_codec.h"

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

std::optional<QString> Decode(const QByteArray& bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8: {
            QString s = QString::fromUtf8(bytes);
            if (s.toUtf8() != bytes) return std::nullopt;
            return s;
        }
        case TextEncoding::Gb18030: {
            auto utf8 = platform::Gb18030ToUtf8(std::string_view(bytes.constData(), bytes.size()));
            if (!utf8) return std::nullopt;
            return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
        }
        case TextEncoding::Bytes:
            return QString::fromLatin1(bytes);
    }
    return std::nullopt;
}

QByteArray Gb18030Of(const QString& text) {
    const std::string utf8 = text.toStdString();
    auto gb = platform::Utf8ToGb18030(utf8);
    const std::string out = gb ? *gb : platform::ToFileText(utf8);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

}  // namespace

QByteArray EncodeFileText(const QString& text, TextEncoding encoding, LineEnd lineEnd) {
    QByteArray out;
    switch (encoding) {
        case TextEncoding::Utf8:
            out = text.toUtf8();
            break;
        case TextEncoding::Gb18030:
            out = Gb18030Of(text);
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
                                  TextEncoding::Gb18030, TextEncoding::Bytes};
    for (TextEncoding enc : order) {
        auto text = Decode(lines, enc);
        if (!text) continue;
        result.text = *text;
        result.encoding = enc;
        break;
    }
    result.exact = !mixed && EncodeFileText(result.text, result.encoding, result.lineEnd) == bytes;
    return result;
}

}  // namespace wb::gui
