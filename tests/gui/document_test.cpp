#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "app_test_support.h"
#include "common/ui_seam.h"
#include "dialogs/find_dlg.h"
#include "platform/codepage.h"
#include "shell/backdrop_wnd.h"
#include "shell/child_frame.h"
#include "shell/command_ids.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/dawnly_view.h"
#include "shell/main_frame.h"

using namespace wb::gui;
using wb::test::AppFixture;
using wb::test::ReadFileBytes;
using wb::test::TestData;
using wb::test::WriteFileBytes;

class DocumentTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppFixture> m_fx;

    // Opens a copy of a data file, put under the given name in the working directory.
    CDawnlyDoc* OpenCopy(const QString& data, const QString& name) {
        WriteFileBytes(m_fx->Path(name), ReadFileBytes(TestData(data)));
        return m_fx->App().OpenDocumentFile(m_fx->Path(name));
    }

private slots:
    void init() {
        m_fx = std::make_unique<AppFixture>();
        QVERIFY(m_fx->Start());
    }
    void cleanup() { m_fx.reset(); }

    void savesTheBytesItRead_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("exact");  // edits go back through the encoder unchanged
        QTest::newRow("gbk host list") << "gbk_hostlist.mp" << true;
        // Its stray bytes go back as they came, also when another line is edited.
        QTest::newRow("gbk with stray bytes") << "gbk_stray_bytes.mp" << true;
        QTest::newRow("utf-8 text") << "utf8_notes.txt" << true;
        QTest::newRow("lf lines") << "lf_lines.txt" << true;
        QTest::newRow("binary") << "binary.bin" << false;
        QTest::newRow("mixed line ends") << "mixed_ends.txt" << false;
    }

    void savesTheBytesItRead() {
        QFETCH(QString, fixture);
        QFETCH(bool, exact);
        const QByteArray original = ReadFileBytes(TestData(fixture));
        QVERIFY(!original.isEmpty());
        const QString path = m_fx->Path(fixture);
        CDawnlyDoc* doc = OpenCopy(fixture, fixture);
        QVERIFY(doc);
        QCOMPARE(doc->GetTitle(), fixture);
        QVERIFY(!doc->IsModified());
        QCOMPARE(doc->IsExact(), exact);
        // Saved over a different file, so that a write that did nothing would show.
        WriteFileBytes(path, "changed on disk");
        QVERIFY(doc->DoFileSave());
        QCOMPARE(ReadFileBytes(path), original);
        const QString copy = m_fx->Path("copy-" + fixture);
        QVERIFY(doc->DoSave(copy, false));
        QCOMPARE(ReadFileBytes(copy), original);
        if (exact) {
            // Type at the end and take it out again.
            CDawnlyView* view = doc->Views().front();
            view->moveCursor(QTextCursor::End);
            QTest::keyClicks(view, "zz");
            QVERIFY(doc->IsModified());
            QVERIFY(doc->Text().endsWith("zz"));
            QVERIFY(doc->DoFileSave());
            QCOMPARE(ReadFileBytes(path), original + "zz");
            QTest::keyClick(view, Qt::Key_Backspace);
            QTest::keyClick(view, Qt::Key_Backspace);
            QVERIFY(doc->DoFileSave());
            QCOMPARE(ReadFileBytes(path), original);
        }
        QCOMPARE(wb::test::MessageTexts().size(), 0);
    }

    void inexactFileWarnsBeforeWriting_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("line");  // where an x is typed
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("mixed line ends")
            << "mixed_ends.txt" << 0 << QByteArray("xone\r\ntwo\r\nthree\r\nfour\r\n");
        // The edited line's stray byte has no character to go back as: it is written as the
        // replacement character it shows.
        QTest::newRow("edited stray byte")
            << "gbk_stray_bytes.mp" << 11
            << ReadFileBytes(TestData("gbk_stray_bytes.mp"))
                   .replace("\r\n# \x80\r\n", "\r\nx# \x84\x31\xA4\x37\r\n");
    }

    void inexactFileWarnsBeforeWriting() {
        QFETCH(QString, fixture);
        QFETCH(int, line);
        QFETCH(QByteArray, saved);
        const QByteArray original = ReadFileBytes(TestData(fixture));
        const QString path = m_fx->Path(fixture);
        CDawnlyDoc* doc = OpenCopy(fixture, fixture);
        QVERIFY(doc);
        CDawnlyView* view = doc->Views().front();
        view->setTextCursor(QTextCursor(view->document()->findBlockByNumber(line)));
        QTest::keyClicks(view, "x");
        // Refused: the file stays as it was.
        CUiSeam::QueueAnswer(QMessageBox::No);
        QVERIFY(!doc->DoFileSave());
        QCOMPARE(wb::test::MessageTexts().size(), 1);
        QCOMPARE(CUiSeam::Records().back().buttons, int(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(ReadFileBytes(path), original);
        QVERIFY(doc->IsModified());
        // Accepted: written with the file's main line end.
        CUiSeam::QueueAnswer(QMessageBox::Yes);
        QVERIFY(doc->DoFileSave());
        QCOMPARE(ReadFileBytes(path), saved);
        QVERIFY(!doc->IsModified());
    }

    void saveAsAsksForANameWithTheDefaultExtension() {
        CDawnlyDoc* doc = m_fx->App().OpenDocumentFile(QString());
        QTest::keyClicks(doc->Views().front(), "198.51.100.9");
        QTest::keyClick(doc->Views().front(), Qt::Key_Return);
        CUiSeam::QueueFileNames({m_fx->Path("group")});
        m_fx->Frame().OnCommand(ID_FILE_SAVE);
        const auto& rec = CUiSeam::Records();
        QCOMPARE(static_cast<int>(rec.size()), 1);
        QCOMPARE(rec[0].kind, CUiSeam::Kind::SaveFile);
        QVERIFY(rec[0].text.startsWith(QStringLiteral("Dawnly 文件 (*.mp);;")));
        // A new document is written as the system's own files are: GBK with CR LF.
        QCOMPARE(ReadFileBytes(m_fx->Path("group.mp")), QByteArray("198.51.100.9\r\n"));
        QCOMPARE(doc->GetTitle(), QStringLiteral("group.mp"));
        QCOMPARE(m_fx->Frame().windowTitle(), QStringLiteral("Wakeburst Utility - group.mp"));
        // Cancelled: nothing written, the title stays.
        m_fx->Frame().OnCommand(ID_FILE_SAVE_AS);
        QCOMPARE(doc->GetTitle(), QStringLiteral("group.mp"));
    }

    void openingAnOpenFileActivatesIt() {
        WriteFileBytes(m_fx->Path("a.mp"), "a\r\n");
        CDawnlyDoc* a = m_fx->App().OpenDocumentFile(m_fx->Path("a.mp"));
        m_fx->App().OpenDocumentFile(QString());
        QCOMPARE(m_fx->Frame().GetActiveDocument()->GetTitle(), QStringLiteral("Dawnly1"));
        CUiSeam::QueueFileNames({m_fx->Path("a.mp")});
        m_fx->Frame().OnCommand(ID_FILE_OPEN);
        QCOMPARE(m_fx->Frame().GetActiveDocument(), a);
        QCOMPARE(m_fx->Frame().MdiArea()->subWindowList().size(), 2);
        QCOMPARE(CUiSeam::Records().back().kind, CUiSeam::Kind::OpenFile);
    }

    void unreadableFileOpensNoWindow() {
        QVERIFY(m_fx->App().OpenDocumentFile(m_fx->Path("missing.mp")) == nullptr);
        QVERIFY(m_fx->Frame().MdiArea()->subWindowList().isEmpty());
        QCOMPARE(wb::test::MessageTexts().size(), 1);
    }

    void closingAModifiedDocumentAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("onDisk");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << QByteArray("a\r\n");
        QTest::newRow("no") << int(QMessageBox::No) << true << QByteArray("a\r\n");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true << QByteArray("ba\r\n");
    }

    void closingAModifiedDocumentAsks() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(QByteArray, onDisk);
        WriteFileBytes(m_fx->Path("a.mp"), "a\r\n");
        CDawnlyDoc* doc = m_fx->App().OpenDocumentFile(m_fx->Path("a.mp"));
        QTest::keyClicks(doc->Views().front(), "b");
        CUiSeam::QueueAnswer(static_cast<QMessageBox::StandardButton>(answer));
        m_fx->Frame().OnCommand(ID_FILE_CLOSE);
        QCOMPARE(wb::test::MessageTexts().size(), 1);
        QVERIFY(CUiSeam::Records()[0].text.contains(QStringLiteral("a.mp")));
        QTRY_COMPARE(m_fx->Frame().MdiArea()->subWindowList().isEmpty(), closes);
        QCOMPARE(ReadFileBytes(m_fx->Path("a.mp")), onDisk);
    }

    void secondWindowKeepsInStep() {
        CDawnlyDoc* doc = OpenCopy("gbk_hostlist.mp", "a.mp");
        m_fx->Frame().OnCommand(ID_WINDOW_NEW);
        QCOMPARE(doc->Views().size(), 2);
        CDawnlyView* first = doc->Views()[0];
        CDawnlyView* second = doc->Views()[1];
        QCOMPARE(second->RawText(), first->RawText());
        QCOMPARE(m_fx->Frame().MDIGetActive()->windowTitle(), QStringLiteral("a.mp:2"));
        // Edits in either window reach the other, wherever they are made.
        second->moveCursor(QTextCursor::Start);
        QTest::keyClicks(second, "# top");
        QTest::keyClick(second, Qt::Key_Return);
        first->moveCursor(QTextCursor::End);
        first->insertPlainText("198.51.100.30\tzeta\t00-11-22-33-44-66\n");
        QTextCursor c = second->textCursor();
        c.setPosition(10);
        c.setPosition(20, QTextCursor::KeepAnchor);
        second->setTextCursor(c);
        QTest::keyClick(second, Qt::Key_Delete);
        QCOMPARE(second->RawText(), first->RawText());
        QVERIFY(first->RawText().startsWith("# top\n"));
        QVERIFY(doc->IsModified());
        // Closing one window keeps the document; the other still saves it.
        second->parentWidget()->close();
        QTRY_COMPARE(doc->Views().size(), 1);
        QVERIFY(doc->DoFileSave());
        const QString saved = QString::fromUtf8(
            *wb::platform::Gb18030ToUtf8(ReadFileBytes(m_fx->Path("a.mp")).toStdString()));
        QCOMPARE(saved, first->RawText().replace("\n", "\r\n"));
    }

    void viewWrapsWithoutHorizontalScrollBar() {
        CDawnlyDoc* doc = m_fx->App().OpenDocumentFile(QString());
        CDawnlyView* view = doc->Views().front();
        QCOMPARE(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        view->setPlainText(QString(2000, u'x'));
        QTRY_VERIFY(view->document()->firstBlock().layout()->lineCount() > 1);
    }

    void printsTheTextToPdf() {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        CDawnlyDoc* doc = OpenCopy("gbk_hostlist.mp", "a.mp");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_fx->Path("out.pdf"));
        doc->Views().front()->PrintTo(&printer);
        QVERIFY(QFileInfo(m_fx->Path("out.pdf")).size() > 1000);
        if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
        QProcess p;
        p.start(pdftotext, {"-layout", m_fx->Path("out.pdf"), "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains("198.51.100.11"), qPrintable(text));
        QVERIFY(text.contains("00-0A-95-9D-68-17"));
        QVERIFY(text.contains(QStringLiteral("Wakeburst utility")));
        // The text only: no page number under it.
        for (const QString& line : text.split(u'\n'))
            QVERIFY2(line.trimmed() != QStringLiteral("1"), qPrintable(text));
    }

    void replaceAllIsOneUndoStep() {
        CDawnlyDoc* doc = OpenCopy("gbk_hostlist.mp", "a.mp");
        CDawnlyView* view = doc->Views().front();
        const QString before = view->RawText();
        CFindReplaceDlg dlg(view, true);
        dlg.SetFindText("198.51.100.");
        auto* with = dlg.findChildren<QLineEdit*>().at(1);
        with->setText("203.0.113.");
        QCOMPARE(dlg.ReplaceAll(), 2);
        QVERIFY(view->RawText().contains("203.0.113.11\talpha"));
        QVERIFY(!view->RawText().contains("198.51.100."));
        m_fx->Frame().OnCommand(ID_EDIT_UNDO);
        QCOMPARE(view->RawText(), before);
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
