#include <QDir>
#include <QFile>
#include <QTest>

#include "alarm/alarm_store.h"
#include "app_test_support.h"
#include "common/dialog_data_exchange.h"
#include "dialogs/create_list_dlg.h"
#include "dlg_test_support.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"

using wb::gui::CCreateListDlg;
using wb::gui::CUiSeam;
using namespace wb::test;

namespace {

struct Run {
    int calls = 0;
    std::string mask;
    std::string path;
    // The status line and the progress bar's visibility right after each announcement.
    QStringList statusSeen;
    QList<bool> progressSeen;
    bool waitCursor = false;
};

// Announces the phases the way the real run does, without touching the network; phase 4
// is the real conversion of `listing` with made-up host names.
CCreateListDlg* g_dlg = nullptr;
Run g_run;

bool FakeCreation(const std::string& mask, const std::string& path, const wb::StatusReport& status,
                  const wb::CreateListOptions& options, bool addressFound, const QString& listing) {
    ++g_run.calls;
    g_run.mask = mask;
    g_run.path = path;
    const QCursor* cursor = QApplication::overrideCursor();
    g_run.waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
    auto announce = [&](const char* text) {
        status(text);
        g_run.statusSeen << g_dlg->StatusText();
        g_run.progressSeen << g_dlg->findChild<QWidget*>("progress")->isVisible();
    };
    announce(wb::kStatusGetAddress);
    if (!addressFound) {
        announce(wb::kStatusNoAddress);
        return false;
    }
    announce(wb::kStatusPolling);
    announce(wb::kStatusReadingArp);
    announce(wb::kStatusMapping);
    wb::CreateListOptions conversion = options;
    conversion.listingPath = listing.toStdString();
    conversion.lookup = [](const std::string& ip) {
        return "host-" + ip.substr(ip.rfind('.') + 1);
    };
    const bool ok = wb::CreateHostListFile(path, conversion);
    if (!ok) announce(wb::kStatusNoArp);
    return ok;
}

void UseFake(bool addressFound, const QString& listing) {
    CCreateListDlg::SetCreationRunner([=](const std::string& mask, const std::string& path,
                                          const wb::StatusReport& status,
                                          const wb::CreateListOptions& options) {
        return FakeCreation(mask, path, status, options, addressFound, listing);
    });
}

void SetMask(CCreateListDlg& dlg, const QStringList& mask) {
    for (int k = 0; k < 4; ++k)
        Control<QLineEdit>(&dlg, CCreateListDlg::kFirstMaskId + k)->setText(mask[k]);
}

}  // namespace

class CreateListDlgTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<AppFixture> m_fixture;

private slots:
    void init() {
        m_fixture = std::make_unique<AppFixture>();  // its own current directory
        ResetSeam();
        g_run = Run{};
    }
    void cleanup() {
        CCreateListDlg::SetCreationRunner({});
        g_dlg = nullptr;
        m_fixture.reset();
    }

    void validatesMask_data() {
        QTest::addColumn<QStringList>("mask");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<int>("focus");
        const QString byte = wb::gui::RangeMessage(0, 255);
        // The field rules are the mask's own; these show the message and the focus.
        QTest::newRow("fourth 255")
            << QStringList{"255", "255", "255", "255"} << wb::gui::RangeMessage(0, 254) << 1035;
        QTest::newRow("fourth 254") << QStringList{"255", "255", "255", "254"} << "" << 0;
        QTest::newRow("first 256") << QStringList{"256", "255", "255", "0"} << byte << 1032;
        QTest::newRow("letters") << QStringList{"255", "abc", "255", "0"}
                                 << wb::gui::ParseUIntMessage() << 1033;
        QTest::newRow("first bad field wins")
            << QStringList{"255", "300", "255", "x"} << byte << 1033;
    }
    void validatesMask() {
        QFETCH(QStringList, mask);
        QFETCH(QString, message);
        QFETCH(int, focus);
        UseFake(false, {});
        CCreateListDlg dlg({});
        g_dlg = &dlg;
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        SetMask(dlg, mask);
        QTest::mouseClick(Control<QPushButton>(&dlg, 1), Qt::LeftButton);
        if (message.isEmpty()) {
            QCOMPARE(g_run.calls, 1);
            QVERIFY(MessageTexts().isEmpty());
            return;
        }
        QCOMPARE(g_run.calls, 0);
        QCOMPARE(MessageTexts(), QStringList{message});
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(&dlg, focus));
        QVERIFY(Control<QPushButton>(&dlg, 1)->isEnabled());
        QVERIFY(dlg.StatusText().isEmpty());
    }

    void namesFileAndMask_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("mask");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("maskText");
        const QStringList standard{"255", "255", "255", "0"};
        // The mask as the dialog opens.
        QTest::newRow("empty name") << "" << QStringList() << "新建组.mp"
                                    << "255.255.255.0";
        QTest::newRow("no extension") << "hosts" << standard << "hosts.mp"
                                      << "255.255.255.0";
        QTest::newRow("leading zero kept")
            << "office" << QStringList{"255", "255", "255", "010"} << "office.mp"
            << "255.255.255.010";
    }
    void namesFileAndMask() {
        QFETCH(QString, typed);
        QFETCH(QStringList, mask);
        QFETCH(QString, path);
        QFETCH(QString, maskText);
        UseFake(false, {});
        CCreateListDlg dlg({});
        g_dlg = &dlg;
        auto* name = Control<QLineEdit>(&dlg, CCreateListDlg::kFileNameId);
        QCOMPARE(name->maxLength(), 256);
        name->setText(typed);
        if (!mask.isEmpty()) SetMask(dlg, mask);
        dlg.OnOK();
        QCOMPARE(g_run.calls, 1);
        QCOMPARE(QString::fromStdString(g_run.path), path);
        QCOMPARE(QString::fromStdString(g_run.mask), maskText);
    }

    void failedAddressDisablesOk() {
        UseFake(false, {});
        CCreateListDlg dlg({});
        g_dlg = &dlg;
        dlg.show();
        QTest::mouseClick(Control<QPushButton>(&dlg, 1), Qt::LeftButton);
        QCOMPARE(g_run.statusSeen, (QStringList{"获取此主机的 IP 地址", "无法获取主机 IP 地址."}));
        QVERIFY(g_run.waitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(dlg.StatusText(), QStringLiteral("无法获取主机 IP 地址."));
        QVERIFY(!Control<QPushButton>(&dlg, 1)->isEnabled());
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        // Enter and a second click do nothing more.
        QTest::keyClick(&dlg, Qt::Key_Return);
        dlg.OnOK();
        QCOMPARE(g_run.calls, 1);
    }

    void missingListingDisablesOk() {
        UseFake(true, m_fixture->Path("temp.mp"));
        CCreateListDlg dlg({});
        g_dlg = &dlg;
        dlg.show();
        Control<QLineEdit>(&dlg, CCreateListDlg::kFileNameId)->setText("lan");
        dlg.OnOK();
        QCOMPARE(MessageTexts(), QStringList{QString::fromUtf8(wb::kArpListingMissing)});
        QCOMPARE(dlg.StatusText(), QStringLiteral("无法读取 ARP 缓存."));
        QVERIFY(!Control<QPushButton>(&dlg, 1)->isEnabled());
        QVERIFY(!QFile::exists(m_fixture->Path("lan.mp")));
        QVERIFY(dlg.isVisible());
    }

    void successOpensDocumentAndCloses() {
        QVERIFY(m_fixture->Start());
        ResetSeam();
        const QString listing = m_fixture->Path("temp.mp");
        QVERIFY(QFile::copy(TestData("dlg_arp_listing.txt"), listing));
        UseFake(true, listing);
        CCreateListDlg dlg(
            [this](const QString& path) { m_fixture->App().OpenDocumentFile(path); });
        g_dlg = &dlg;
        dlg.show();
        Control<QLineEdit>(&dlg, CCreateListDlg::kFileNameId)->setText("lan");
        dlg.OnOK();

        QCOMPARE(g_run.statusSeen,
                 (QStringList{"获取此主机的 IP 地址", "轮询局域网内所有主机.", "正在读取 ARP 缓存.",
                              "正在完成IP地址到主机名的映射."}));
        // A progress indication during the poll, the capture and the lookups.
        QCOMPARE(g_run.progressSeen, (QList<bool>{false, true, true, true}));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
        QVERIFY(!QFile::exists(listing));
        const QString created = m_fixture->Path("lan.mp");
        const QByteArray bytes = ReadFileBytes(created);
        QVERIFY(bytes.contains("198.51.100.10\thost-10\t02-00-5e-00-00-10\r\n"));
        QVERIFY(bytes.contains("198.51.100.11\thost-11\t02-00-5E-00-00-11\r\n"));
        const auto& docs = m_fixture->App().DocTemplate()->Documents();
        QCOMPARE(docs.size(), qsizetype{1});
        QCOMPARE(QFileInfo(docs[0]->GetPathName()).canonicalFilePath(),
                 QFileInfo(created).canonicalFilePath());
    }
};

QTEST_MAIN(CreateListDlgTest)
#include "create_list_dlg_test.moc"
