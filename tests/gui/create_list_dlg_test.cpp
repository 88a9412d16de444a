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

struct CreationRun {
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
CreationRun g_run;

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

}  // namespace

// Besides the tests below, the scenarios of gui/create_list_dlg.txt: "open" shows the dialog
// with a creation that finds no address; "run" is how often it ran, with which mask and file.
class CreateListDlgTest : public QObject, DialogScript {
    Q_OBJECT
private:
    std::unique_ptr<AppFixture> m_fixture;
    std::unique_ptr<CCreateListDlg> m_dlg;
    // Shows the dialog with a creation that finds this host's address or not.
    CCreateListDlg& Show(bool addressFound, const QString& listing,
                         CCreateListDlg::OpenDocument open = {}) {
        UseFake(addressFound, listing);
        m_dlg = std::make_unique<CCreateListDlg>(std::move(open));
        g_dlg = m_dlg.get();
        m_dlg->show();
        return *m_dlg;
    }
    QWidget* Dialog() override { return m_dlg.get(); }
    bool Act(const QString& verb, const QStringList&) override {
        if (verb == "open") Show(false, {});
        return verb == "open";
    }
    std::optional<QString> State(const QString& key) override {
        if (key == "status") return m_dlg->StatusText();
        if (key != "run") return std::nullopt;
        return QString::number(g_run.calls) +
               (g_run.calls ? QString::fromStdString(' ' + g_run.mask + ' ' + g_run.path) : "");
    }

private slots:
    void init() {
        m_controls = {{"name", CCreateListDlg::kFileNameId}, {"ok", 1}};
        for (int k = 0; k < 4; ++k)
            m_controls["mask" + QString::number(k + 1)] = CCreateListDlg::kFirstMaskId + k;
        m_fixture = std::make_unique<AppFixture>();  // its own current directory
        ResetSeam();
        g_run = CreationRun{};
    }
    void cleanup() {
        m_dlg.reset();
        CCreateListDlg::SetCreationRunner({});
        g_dlg = nullptr;
        m_fixture.reset();
    }

    void scenario_data() { AddRows("create_list_dlg.txt"); }
    void scenario() {
        QFETCH(QStringList, lines);
        Run(lines);
    }

    void failedAddressDisablesOk() {
        CCreateListDlg& dlg = Show(false, {});
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
        CCreateListDlg& dlg = Show(true, m_fixture->Path("temp.mp"));
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
        CCreateListDlg& dlg = Show(true, listing, [this](const QString& path) {
            m_fixture->App().OpenDocumentFile(path);
        });
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
