#include <QTest>

#include "app_test_support.h"
#include "shell/text_codec.h"

using wb::gui::DecodeFileText;
using wb::gui::EncodeFileText;
using wb::gui::LineEnd;
using wb::gui::TextEncoding;

Q_DECLARE_METATYPE(wb::gui::TextEncoding)
Q_DECLARE_METATYPE(wb::gui::LineEnd)

class TextCodecTest : public QObject {
    Q_OBJECT

private slots:
    // Rows of gui/text_codec.txt: the bytes (a file under tests/data/gui, or after "%" the
    // bytes percent-encoded), then the encoding, line end and exactness they read as.
    void decodesAndEncodesBack_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<LineEnd>("lineEnd");
        QTest::addColumn<bool>("exact");
        const std::map<QString, TextEncoding> encodings{{"gb18030", TextEncoding::Gb18030},
                                                        {"utf-8", TextEncoding::Utf8},
                                                        {"bytes", TextEncoding::Bytes}};
        const std::map<QString, LineEnd> ends{
            {"crlf", LineEnd::CrLf}, {"lf", LineEnd::Lf}, {"cr", LineEnd::Cr}};
        const QByteArray table = wb::test::ReadFileBytes(wb::test::TestData("text_codec.txt"));
        QVERIFY(!table.isEmpty());
        for (const QByteArray& line : table.split('\n')) {
            const QList<QByteArray> f = line.simplified().split(' ');
            if (line.startsWith('#') || f.size() != 4) continue;
            const QByteArray bytes = f[0].startsWith('%')
                                         ? QByteArray::fromPercentEncoding(f[0].mid(1))
                                         : wb::test::ReadFileBytes(wb::test::TestData(f[0]));
            QTest::newRow(f[0].constData())
                << bytes << encodings.at(f[1]) << ends.at(f[2]) << (f[3] == "exact");
        }
    }

    void decodesAndEncodesBack() {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(LineEnd, lineEnd);
        QFETCH(bool, exact);
        QVERIFY(!bytes.isNull() || bytes.isEmpty());
        const auto decoded = DecodeFileText(bytes);
        QCOMPARE(decoded.encoding, encoding);
        QCOMPARE(decoded.lineEnd, lineEnd);
        QCOMPARE(decoded.exact, exact);
        QVERIFY(!decoded.text.contains(u'\r') || !exact);
        if (exact) {
            QCOMPARE(
                EncodeFileText(decoded.text, decoded.encoding, decoded.lineEnd, decoded.strayLines),
                bytes);
        }
    }

    void readsGbkHostListAsChinese_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("line");
        QTest::newRow("clean") << "gbk_hostlist.mp"
                               << "198.51.100.11\talpha\t";
        // Each stray byte alone becomes a replacement character.
        QTest::newRow("stray 0xFF") << "gbk_stray_bytes.mp"
                                    << "198.51.100.11\tal\uFFFDpha\t";
        QTest::newRow("stray 0x80") << "gbk_stray_bytes.mp"
                                    << "\n# \uFFFD\n";
    }

    void readsGbkHostListAsChinese() {
        QFETCH(QString, fixture);
        QFETCH(QString, line);
        const auto decoded = DecodeFileText(wb::test::ReadFileBytes(wb::test::TestData(fixture)));
        QCOMPARE(decoded.encoding, TextEncoding::Gb18030);
        QVERIFY(decoded.text.startsWith(QStringLiteral("# 此文件由 Wakeburst utility 创建.\n")));
        QVERIFY(decoded.text.contains(
            QStringLiteral("198.51.100.12\t*名称未被发现*\t00-0A-95-9D-68-17\n")));
        QVERIFY2(decoded.text.contains(line), qPrintable(line));
    }

    void editedTextKeepsTheFilesLineEnds_data() {
        QTest::addColumn<LineEnd>("lineEnd");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("crlf") << LineEnd::CrLf << QByteArray("x\r\n\xD6\xD0\r\n");
        QTest::newRow("lf") << LineEnd::Lf << QByteArray("x\n\xD6\xD0\n");
        QTest::newRow("cr") << LineEnd::Cr << QByteArray("x\r\xD6\xD0\r");
    }

    void editedTextKeepsTheFilesLineEnds() {
        QFETCH(LineEnd, lineEnd);
        QFETCH(QByteArray, expected);
        QCOMPARE(EncodeFileText(QStringLiteral("x\n中\n"), TextEncoding::Gb18030, lineEnd),
                 expected);
    }

    void typedCharactersInAByteFileBecomeGbk() {
        const QString text = QString::fromLatin1("\xFF\x01") + QStringLiteral("中");
        QCOMPARE(EncodeFileText(text, TextEncoding::Bytes, LineEnd::Lf),
                 QByteArray("\xFF\x01\xD6\xD0"));
    }
};

QTEST_GUILESS_MAIN(TextCodecTest)
#include "text_codec_test.moc"
