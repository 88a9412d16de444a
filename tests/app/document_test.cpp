#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "app/backdrop_wnd.h"
#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dawnly_doc.h"
#include "app/dawnly_doc_template.h"
#include "app/dawnly_view.h"
#include "app/find_dlg.h"
#include "app/main_frame.h"
#include "app/ui_seam.h"
#include "app_test_support.h"
#include "platform/codepage.h"

using namespace wb::app;
using wb::test::AppFixture;
using wb::test::ReadFileBytes;
using wb::test::TestData;
using wb::test::WriteFileBytes;

namespace {

int MessageCount() {
    int n = 0;
    for (const auto& r : CUiSeam::Records())
        n += r.kind == CUiSeam::Kind::Message;
    return n;
}

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void newDocumentsAreNumbered();
    void unchangedSaveIsByteForByte_data();
    void unchangedSaveIsByteForByte();
    void editedAndRestoredTextSavesTheSameBytes_data();
    void editedAndRestoredTextSavesTheSameBytes();
    void inexactFileWarnsBeforeWriting();
    void saveAsAsksForANameWithTheDefaultExtension();
    void openingAnOpenFileActivatesIt();
    void unreadableFileOpensNoWindow();
    void closingAModifiedDocumentAsks_data();
    void closingAModifiedDocumentAsks();
    void secondWindowKeepsInStep();
    void viewWrapsWithoutHorizontalScrollBar();
    void printsTheTextToPdf();
    void replaceAllIsOneUndoStep();
};

void DocumentTest::newDocumentsAreNumbered() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CDawnlyDoc* first = fx.App().OpenDocumentFile(QString());
    CDawnlyDoc* second = fx.App().OpenDocumentFile(QString());
    QVERIFY(first && second);
    QCOMPARE(first->GetTitle(), QStringLiteral("Dawnly1"));
    QCOMPARE(second->GetTitle(), QStringLiteral("Dawnly2"));
    QVERIFY(first->Text().isEmpty());
    QVERIFY(!first->IsModified());
    QCOMPARE(fx.Frame().MDIGetActive()->windowTitle(), QStringLiteral("Dawnly2"));
}

void DocumentTest::unchangedSaveIsByteForByte_data() {
    QTest::addColumn<QString>("fixture");
    QTest::newRow("gbk host list") << "gbk_hostlist.mp";
    QTest::newRow("utf-8 text") << "utf8_notes.txt";
    QTest::newRow("lf lines") << "lf_lines.txt";
    QTest::newRow("binary") << "binary.bin";
    QTest::newRow("mixed line ends") << "mixed_ends.txt";
}

void DocumentTest::unchangedSaveIsByteForByte() {
    QFETCH(QString, fixture);
    AppFixture fx;
    QVERIFY(fx.Start());
    const QByteArray original = ReadFileBytes(TestData(fixture));
    QVERIFY(!original.isEmpty());
    const QString path = fx.Path(fixture);
    WriteFileBytes(path, original);
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(path);
    QVERIFY(doc);
    QCOMPARE(doc->GetTitle(), fixture);
    QVERIFY(!doc->IsModified());
    // Saved over a different file, so that a write that did nothing would show.
    WriteFileBytes(path, "changed on disk");
    QVERIFY(doc->DoFileSave());
    QCOMPARE(ReadFileBytes(path), original);
    QCOMPARE(MessageCount(), 0);
    const QString copy = fx.Path("copy-" + fixture);
    QVERIFY(doc->DoSave(copy, false));
    QCOMPARE(ReadFileBytes(copy), original);
}

void DocumentTest::editedAndRestoredTextSavesTheSameBytes_data() {
    QTest::addColumn<QString>("fixture");
    QTest::newRow("gbk host list") << "gbk_hostlist.mp";
    QTest::newRow("utf-8 text") << "utf8_notes.txt";
    QTest::newRow("lf lines") << "lf_lines.txt";
}

void DocumentTest::editedAndRestoredTextSavesTheSameBytes() {
    QFETCH(QString, fixture);
    AppFixture fx;
    QVERIFY(fx.Start());
    const QByteArray original = ReadFileBytes(TestData(fixture));
    const QString path = fx.Path(fixture);
    WriteFileBytes(path, original);
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(path);
    QVERIFY(doc && doc->IsExact());
    CDawnlyView* view = doc->Views().front();
    // Type at the end and take it out again: the text goes back through the encoder.
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
    QCOMPARE(MessageCount(), 0);
}

void DocumentTest::inexactFileWarnsBeforeWriting() {
    AppFixture fx;
    QVERIFY(fx.Start());
    const QByteArray original = ReadFileBytes(TestData("mixed_ends.txt"));
    const QString path = fx.Path("mixed.txt");
    WriteFileBytes(path, original);
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(path);
    QVERIFY(doc && !doc->IsExact());
    QTest::keyClicks(doc->Views().front(), "x");
    // Refused: the file stays as it was.
    CUiSeam::QueueAnswer(QMessageBox::No);
    QVERIFY(!doc->DoFileSave());
    QCOMPARE(MessageCount(), 1);
    QCOMPARE(CUiSeam::Records().back().buttons, int(QMessageBox::Yes | QMessageBox::No));
    QCOMPARE(ReadFileBytes(path), original);
    QVERIFY(doc->IsModified());
    // Accepted: written with the file's main line end.
    CUiSeam::QueueAnswer(QMessageBox::Yes);
    QVERIFY(doc->DoFileSave());
    QCOMPARE(ReadFileBytes(path), QByteArray("xone\r\ntwo\r\nthree\r\nfour\r\n"));
    QVERIFY(!doc->IsModified());
}

void DocumentTest::saveAsAsksForANameWithTheDefaultExtension() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(QString());
    QTest::keyClicks(doc->Views().front(), "198.51.100.9");
    QTest::keyClick(doc->Views().front(), Qt::Key_Return);
    CUiSeam::QueueFileNames({fx.Path("group")});
    fx.Frame().OnCommand(ID_FILE_SAVE);
    const auto& rec = CUiSeam::Records();
    QCOMPARE(static_cast<int>(rec.size()), 1);
    QCOMPARE(rec[0].kind, CUiSeam::Kind::SaveFile);
    QVERIFY(rec[0].text.startsWith(QStringLiteral("Dawnly 文件 (*.mp);;")));
    // A new document is written as the system's own files are: GBK with CR LF.
    QCOMPARE(ReadFileBytes(fx.Path("group.mp")), QByteArray("198.51.100.9\r\n"));
    QCOMPARE(doc->GetTitle(), QStringLiteral("group.mp"));
    QCOMPARE(fx.Frame().windowTitle(), QStringLiteral("Wakeburst Utility - group.mp"));
    // Cancelled: nothing written, the title stays.
    fx.Frame().OnCommand(ID_FILE_SAVE_AS);
    QCOMPARE(doc->GetTitle(), QStringLiteral("group.mp"));
}

void DocumentTest::openingAnOpenFileActivatesIt() {
    AppFixture fx;
    QVERIFY(fx.Start());
    WriteFileBytes(fx.Path("a.mp"), "a\r\n");
    CDawnlyDoc* a = fx.App().OpenDocumentFile(fx.Path("a.mp"));
    fx.App().OpenDocumentFile(QString());
    QCOMPARE(fx.Frame().GetActiveDocument()->GetTitle(), QStringLiteral("Dawnly1"));
    CUiSeam::QueueFileNames({fx.Path("a.mp")});
    fx.Frame().OnCommand(ID_FILE_OPEN);
    QCOMPARE(fx.Frame().GetActiveDocument(), a);
    QCOMPARE(fx.Frame().MdiArea()->subWindowList().size(), 2);
    QCOMPARE(CUiSeam::Records().back().kind, CUiSeam::Kind::OpenFile);
    QVERIFY(CUiSeam::Records().back().text.startsWith(QStringLiteral("Dawnly 文件 (*.mp)")));
}

void DocumentTest::unreadableFileOpensNoWindow() {
    AppFixture fx;
    QVERIFY(fx.Start());
    QVERIFY(fx.App().OpenDocumentFile(fx.Path("missing.mp")) == nullptr);
    QVERIFY(fx.Frame().MdiArea()->subWindowList().isEmpty());
    QCOMPARE(MessageCount(), 1);
}

void DocumentTest::closingAModifiedDocumentAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << QByteArray("a\r\n");
    QTest::newRow("no") << int(QMessageBox::No) << true << QByteArray("a\r\n");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true << QByteArray("ba\r\n");
}

void DocumentTest::closingAModifiedDocumentAsks() {
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(QByteArray, onDisk);
    AppFixture fx;
    QVERIFY(fx.Start());
    WriteFileBytes(fx.Path("a.mp"), "a\r\n");
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(fx.Path("a.mp"));
    QTest::keyClicks(doc->Views().front(), "b");
    CUiSeam::QueueAnswer(static_cast<QMessageBox::StandardButton>(answer));
    fx.Frame().OnCommand(ID_FILE_CLOSE);
    QCOMPARE(MessageCount(), 1);
    QVERIFY(CUiSeam::Records()[0].text.contains(QStringLiteral("a.mp")));
    QTRY_COMPARE(fx.Frame().MdiArea()->subWindowList().isEmpty(), closes);
    QCOMPARE(ReadFileBytes(fx.Path("a.mp")), onDisk);
}

void DocumentTest::secondWindowKeepsInStep() {
    AppFixture fx;
    QVERIFY(fx.Start());
    WriteFileBytes(fx.Path("a.mp"), ReadFileBytes(TestData("gbk_hostlist.mp")));
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(fx.Path("a.mp"));
    fx.Frame().OnCommand(ID_WINDOW_NEW);
    QCOMPARE(doc->Views().size(), 2);
    CDawnlyView* first = doc->Views()[0];
    CDawnlyView* second = doc->Views()[1];
    QCOMPARE(second->RawText(), first->RawText());
    QCOMPARE(fx.Frame().MDIGetActive()->windowTitle(), QStringLiteral("a.mp:2"));
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
        *wb::platform::Gb18030ToUtf8(ReadFileBytes(fx.Path("a.mp")).toStdString()));
    QCOMPARE(saved, first->RawText().replace("\n", "\r\n"));
}

void DocumentTest::viewWrapsWithoutHorizontalScrollBar() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(QString());
    CDawnlyView* view = doc->Views().front();
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    view->setPlainText(QString(2000, u'x'));
    QTRY_VERIFY(view->document()->firstBlock().layout()->lineCount() > 1);
}

void DocumentTest::printsTheTextToPdf() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    AppFixture fx;
    QVERIFY(fx.Start());
    WriteFileBytes(fx.Path("a.mp"), ReadFileBytes(TestData("gbk_hostlist.mp")));
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(fx.Path("a.mp"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fx.Path("out.pdf"));
    doc->Views().front()->PrintTo(&printer);
    QVERIFY(QFileInfo(fx.Path("out.pdf")).size() > 1000);
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess p;
    p.start(pdftotext, {"-layout", fx.Path("out.pdf"), "-"});
    QVERIFY(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(text.contains("198.51.100.11"), qPrintable(text));
    QVERIFY(text.contains("00-0A-95-9D-68-17"));
    QVERIFY(text.contains(QStringLiteral("Wakeburst utility")));
}

void DocumentTest::replaceAllIsOneUndoStep() {
    AppFixture fx;
    QVERIFY(fx.Start());
    WriteFileBytes(fx.Path("a.mp"), ReadFileBytes(TestData("gbk_hostlist.mp")));
    CDawnlyDoc* doc = fx.App().OpenDocumentFile(fx.Path("a.mp"));
    CDawnlyView* view = doc->Views().front();
    const QString before = view->RawText();
    CFindReplaceDlg dlg(view, true);
    dlg.SetFindText("198.51.100.");
    auto* with = dlg.findChildren<QLineEdit*>().at(1);
    with->setText("203.0.113.");
    QCOMPARE(dlg.ReplaceAll(), 2);
    QVERIFY(view->RawText().contains("203.0.113.11\talpha"));
    QVERIFY(!view->RawText().contains("198.51.100."));
    fx.Frame().OnCommand(ID_EDIT_UNDO);
    QCOMPARE(view->RawText(), before);
}

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
