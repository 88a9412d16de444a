#include <QPointer>
#include <QTest>
#include <cstdint>

#include "alarm/alarm_store.h"
#include "dialogs/send_dlg.h"
#include "dlg_test_support.h"
#include "shell/system_commands.h"
#include "support/udp_receiver.h"

using wb::gui::CSendDlg;
using wb::gui::CUiSeam;
using namespace wb::test;

namespace {

// The shell's keeper of the one open send dialog.
wb::CAlarmStore g_store;
wb::gui::CSystemCommands g_commands(g_store, {});

QString OpenDialogStatus() {
    auto* dlg = g_commands.SendDialog();
    return dlg ? dlg->StatusText() : QString();
}

void SetBytes(CSendDlg* dlg, const QStringList& bytes) {
    for (int k = 0; k < 6; ++k)
        Control<QLineEdit>(dlg, CSendDlg::kFirstByteId + k)->setText(bytes.value(k));
}

}  // namespace

// Besides the tests below, the scenarios of gui/send_dlg.txt. Their own actions: open,
// resolvable (a name that resolves), fail (every send fails with the reason), bytes (the
// six fields); states: destinations (every one set), sent (frame@destination), lookup
// (the status, and the wait cursor, while each destination was set), status, pausing,
// channels (made, closed), boxes (caption, buttons and icon of each message), open.
class SendDlgTest : public QObject, DialogScript {
    Q_OBJECT
private:
    std::shared_ptr<SendLog> m_log;
    CSendDlg* Open() {
        g_commands.OpenSendDialog(nullptr);
        return g_commands.SendDialog();
    }
    CSendDlg* m_dlg = nullptr;
    QWidget* Dialog() override { return m_dlg; }
    bool Act(const QString& verb, const QStringList& args) override {
        if (verb == "open")
            m_dlg = Open();
        else if (verb == "resolvable")
            m_log->resolvable.insert(args.value(0).toStdString());
        else if (verb == "fail")
            m_log->failure = args.join(' ').toStdString();
        else if (verb == "bytes")
            SetBytes(m_dlg, args);
        else
            return false;
        return true;
    }
    std::optional<QString> State(const QString& key) override {
        QStringList out;
        if (key == "destinations") {
            for (const auto& d : m_log->destinations)
                out << QString::fromStdString(d);
        } else if (key == "sent") {
            for (std::size_t k = 0; k < m_log->sent.size(); ++k)
                out << QString::fromStdString(m_log->sent[k] + '@' + m_log->destinationOfSend[k]);
        } else if (key == "lookup") {
            for (std::size_t k = 0; k < m_log->statusDuringLookup.size(); ++k)
                out << '(' + QString(m_log->waitCursorDuringLookup[k] ? "wait " : "") +
                           m_log->statusDuringLookup[k] + ')';
        } else if (key == "boxes") {
            for (const auto& r : CUiSeam::Records()) {
                const bool question = r.buttons == int(QMessageBox::Yes | QMessageBox::No);
                out << r.caption +
                           (question                       ? ":yes-no"
                            : r.buttons == QMessageBox::Ok ? ":ok"
                                                           : ":?") +
                           (r.icon == QMessageBox::Question ? ":question" : "");
            }
        } else if (key == "channels") {
            out << QString::number(m_log->channelsMade) << QString::number(m_log->closes);
        } else if (key == "status") {
            return m_dlg->StatusText();
        } else if (key == "pausing") {
            return QString(m_dlg->IsPausing() ? "yes" : "no");
        } else if (key == "open") {
            return QString(g_commands.SendDialog() == m_dlg ? "yes" : "no");
        } else {
            return std::nullopt;
        }
        return out.join(' ');
    }
    static void CloseAll() {
        if (g_commands.SendDialog()) g_commands.SendDialog()->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void init() {
        ResetSeam();
        m_controls = {{"broadcast", CSendDlg::kBroadcastId}, {"send", 1}, {"close", 2}};
        for (int k = 0; k < 6; ++k)
            m_controls["byte" + QString::number(k + 1)] = CSendDlg::kFirstByteId + k;
        m_log = std::make_shared<SendLog>();
        auto log = m_log;
        CSendDlg::SetChannelFactory([log]() -> std::unique_ptr<wb::gui::CSendChannel> {
            ++log->channelsMade;
            return std::make_unique<CFakeSendChannel>(log, &OpenDialogStatus);
        });
    }
    void cleanup() {
        CloseAll();
        CSendDlg::SetChannelFactory({});
    }

    void scenario_data() { AddRows("send_dlg.txt"); }
    void scenario() {
        QFETCH(QStringList, lines);
        Run(lines);
        QVERIFY(!QApplication::overrideCursor());
    }

    void statusClearsAfterPauseWithoutBlocking() {
        CSendDlg* dlg = Open();
        SetBytes(dlg, {"00", "A0", "C9", "12", "34", "56"});
        QElapsedTimer clock;
        clock.start();
        dlg->OnOK();
        QVERIFY(clock.elapsed() < CSendDlg::kPauseMs);  // the send itself does not wait
        QVERIFY(dlg->IsPausing());
        QCOMPARE(dlg->StatusText(), QStringLiteral("发送到 255.255.255.255"));
        // Pressed again during the pause: nothing more is sent.
        dlg->OnOK();
        QCOMPARE(m_log->sent.size(), std::size_t{1});
        // Typing meanwhile does not cut the pause short.
        Control<QLineEdit>(dlg, CSendDlg::kFirstByteId)->setText("01");
        QVERIFY(!Control<QPushButton>(dlg, 1)->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(dlg->StatusText(), QString(), 5000);
        QVERIFY(clock.elapsed() >= CSendDlg::kPauseMs - 50);
        QVERIFY(Control<QPushButton>(dlg, 1)->isEnabled());
        dlg->OnOK();
        QCOMPARE(m_log->sent.size(), std::size_t{2});
        QCOMPARE(QString::fromStdString(m_log->sent[1]), QStringLiteral("01.A0.C9.12.34.56"));
    }

    void closingClearsPointer_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("close button") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("caption close box") << 2;
    }
    void closingClearsPointer() {
        QFETCH(int, how);
        CSendDlg* dlg = Open();
        QPointer<CSendDlg> watch(dlg);
        Control<QLineEdit>(dlg, CSendDlg::kFirstByteId)->setText("ab");
        // A second command shows the open dialog as it is.
        QCOMPARE(Open(), dlg);
        QCOMPARE(Control<QLineEdit>(dlg, CSendDlg::kFirstByteId)->text(), QStringLiteral("ab"));
        if (how == 0) QTest::mouseClick(Control<QPushButton>(dlg, 2), Qt::LeftButton);
        if (how == 1) QTest::keyClick(dlg, Qt::Key_Escape);
        if (how == 2) dlg->close();
        QVERIFY(!g_commands.SendDialog());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch.isNull());

        CSendDlg* again = Open();
        QVERIFY(again);
        // Opened fresh: the broadcast field as it comes, selected; no byte; Send disabled.
        QCOMPARE(Control<QLineEdit>(again, CSendDlg::kBroadcastId)->selectedText(),
                 QStringLiteral("255.255.255.255"));
        QVERIFY(again->StatusText().isEmpty());
        QVERIFY(Control<QLineEdit>(again, CSendDlg::kFirstByteId)->text().isEmpty());
        QVERIFY(!Control<QPushButton>(again, 1)->isEnabled());
    }

    void focusSelectsWholeField() {
        CSendDlg* dlg = Open();
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        auto* field = Control<QLineEdit>(dlg, CSendDlg::kFirstByteId + 3);
        field->setText("4f");
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(2, field->height() / 2));
        QTRY_COMPARE(field->selectedText(), QStringLiteral("4f"));
        auto* broadcast = Control<QLineEdit>(dlg, CSendDlg::kBroadcastId);
        QTest::mouseClick(broadcast, Qt::LeftButton, {}, QPoint(2, broadcast->height() / 2));
        QTRY_COMPARE(broadcast->selectedText(), QStringLiteral("255.255.255.255"));
    }

    // A real frame through the wake socket, received on the loopback address.
    void sendsFrameToLoopback() {
        CSendDlg::SetChannelFactory({});
        UdpReceiver receiver;
        QVERIFY(receiver.IsBound());
        CSendDlg* dlg = Open();
        Control<QLineEdit>(dlg, CSendDlg::kBroadcastId)->setText("127.0.0.1");
        SetBytes(dlg, {"00", "A0", "C9", "12", "34", "56"});
        QTest::mouseClick(Control<QPushButton>(dlg, 1), Qt::LeftButton);
        const auto frames = receiver.Drain();
        QCOMPARE(frames.size(), std::size_t{1});
        const std::uint8_t mac[6] = {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56};
        QCOMPARE(ToHex(frames[0]), ToHex(ExpectedFrame(mac)));
        QCOMPARE(dlg->StatusText(), QStringLiteral("发送到 127.0.0.1"));
        QVERIFY(MessageTexts().isEmpty());
    }
};

QTEST_MAIN(SendDlgTest)
#include "send_dlg_test.moc"
