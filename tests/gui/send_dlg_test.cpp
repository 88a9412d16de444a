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

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

// The shell's keeper of the one open send dialog.
wb::CAlarmStore g_store;
wb::gui::CSystemCommands g_commands(g_store, {});

const QString kInvalid = QStringLiteral("IP地址无效.\n请重试.");

QString OpenDialogStatus() {
    auto* dlg = g_commands.SendDialog();
    return dlg ? dlg->StatusText() : QString();
}

void SetBytes(CSendDlg* dlg, const QStringList& bytes) {
    for (int k = 0; k < 6; ++k)
        Control<QLineEdit>(dlg, CSendDlg::kFirstByteId + k)->setText(bytes.value(k));
}

}  // namespace

class SendDlgTest : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<SendLog> m_log;
    CSendDlg* Open() {
        g_commands.OpenSendDialog(nullptr);
        return g_commands.SendDialog();
    }
    static void CloseAll() {
        if (g_commands.SendDialog()) g_commands.SendDialog()->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void init() {
        ResetSeam();
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

    // Only the address bytes enable Send; a refused address disables it until the next key.
    void byteFieldsEnableSend() {
        CSendDlg* dlg = Open();
        auto* send = Control<QPushButton>(dlg, 1);
        Control<QLineEdit>(dlg, CSendDlg::kBroadcastId)->setText("198.51.100.255");
        QVERIFY(!send->isEnabled());
        auto* third = Control<QLineEdit>(dlg, CSendDlg::kFirstByteId + 2);
        QTest::keyClicks(third, "c9f");
        QCOMPARE(third->text(), QStringLiteral("c9"));  // a third character is refused
        QVERIFY(send->isEnabled());
        SetBytes(dlg, {"00", "A0", "C9", "12", "34", ""});
        send->click();
        QVERIFY(!send->isEnabled());
        QTest::keyClicks(Control<QLineEdit>(dlg, CSendDlg::kFirstByteId + 5), "5");
        QVERIFY(send->isEnabled());
    }

    void sends_data() {
        QTest::addColumn<QStringList>("bytes");
        QTest::addColumn<QString>("broadcast");
        QTest::addColumn<int>("answer");  // to the question, when one is asked
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<std::vector<std::string>>("destinations");
        QTest::addColumn<std::vector<std::string>>("sentTo");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("sendEnabled");

        const QStringList mac{"00", "A0", "C9", "12", "34", "56"};
        const std::vector<std::string> none;
        const std::vector<std::string> limited{"255.255.255.255"};
        const QString question =
            QStringLiteral("no-such-host 是无效的IP地址.\n要使用有线广播 255.255.255.255 吗?");
        QTest::newRow("limited broadcast")
            << mac << "255.255.255.255" << 0 << QStringList{} << limited << limited
            << "发送到 255.255.255.255" << false;
        QTest::newRow("directed broadcast")
            << mac << "198.51.100.255" << 0 << QStringList{}
            << std::vector<std::string>{"198.51.100.255"}
            << std::vector<std::string>{"198.51.100.255"} << "发送到 198.51.100.255" << false;
        QTest::newRow("resolvable name")
            << mac << "peer-a" << 0 << QStringList{} << std::vector<std::string>{"peer-a"}
            << std::vector<std::string>{"peer-a"} << "发送到 peer-a" << false;
        QTest::newRow("empty broadcast field") << mac << "" << 0 << QStringList{} << limited
                                               << limited << "发送到 255.255.255.255" << false;
        QTest::newRow("unresolvable, No")
            << mac << "no-such-host" << int(QMessageBox::No) << QStringList{question}
            << std::vector<std::string>{"no-such-host"} << none << "" << true;
        QTest::newRow("unresolvable, Yes")
            << mac << "no-such-host" << int(QMessageBox::Yes) << QStringList{question}
            << std::vector<std::string>{"no-such-host", "255.255.255.255"} << limited
            << "发送到 255.255.255.255" << false;
        QTest::newRow("sixth field empty")
            << QStringList{"00", "A0", "C9", "12", "34", ""} << "255.255.255.255" << 0
            << QStringList{kInvalid} << none << none << "" << false;
        QTest::newRow("one character")
            << QStringList{"00", "A0", "C9", "12", "34", "5"} << "255.255.255.255" << 0
            << QStringList{kInvalid} << none << none << "" << false;
    }
    void sends() {
        QFETCH(QStringList, bytes);
        QFETCH(QString, broadcast);
        QFETCH(int, answer);
        QFETCH(QStringList, messages);
        QFETCH(std::vector<std::string>, destinations);
        QFETCH(std::vector<std::string>, sentTo);
        QFETCH(QString, status);
        QFETCH(bool, sendEnabled);

        m_log->resolvable = {"peer-a"};
        if (answer) CUiSeam::QueueAnswer(static_cast<QMessageBox::StandardButton>(answer));
        CSendDlg* dlg = Open();
        Control<QLineEdit>(dlg, CSendDlg::kBroadcastId)->setText(broadcast);
        SetBytes(dlg, bytes);
        auto* send = Control<QPushButton>(dlg, 1);
        QVERIFY(send->isEnabled());
        QTest::mouseClick(send, Qt::LeftButton);

        QCOMPARE(MessageTexts(), messages);
        QCOMPARE(m_log->destinations, destinations);
        QCOMPARE(m_log->destinationOfSend, sentTo);
        if (!sentTo.empty()) {
            QCOMPARE(m_log->sent.size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(m_log->sent[0]), bytes.join('.'));
        }
        QCOMPARE(dlg->StatusText(), status);
        QCOMPARE(send->isEnabled(), sendEnabled);
        QVERIFY(!QApplication::overrideCursor());
        // A name is looked up under the wait cursor and status; an empty field needs no lookup.
        if (broadcast == "peer-a" || broadcast.isEmpty()) {
            const QString lookup = broadcast.isEmpty() ? QString() : "地址解析中... 请稍后.";
            QCOMPARE(m_log->statusDuringLookup, std::vector<QString>{lookup});
            QCOMPARE(m_log->waitCursorDuringLookup, std::vector<bool>{!lookup.isEmpty()});
        }
        // Every channel that was made was closed; a refused address makes none.
        QCOMPARE(m_log->closes, m_log->channelsMade);
        if (messages == QStringList{kInvalid}) QCOMPARE(m_log->channelsMade, 0);
        for (const auto& r : CUiSeam::Records()) {
            if (r.text == kInvalid) {
                QCOMPARE(r.caption, QStringLiteral("Wakeburst Utility"));
                QCOMPARE(r.buttons, int(QMessageBox::Ok));
            } else {
                QCOMPARE(r.caption, QStringLiteral("IP地址错误"));
                QCOMPARE(r.buttons, int(QMessageBox::Yes | QMessageBox::No));
                QCOMPARE(r.icon, int(QMessageBox::Question));
            }
        }
        QVERIFY(g_commands.SendDialog() == dlg);  // the dialog stays open
    }

    // A frame that could not leave is a message, never the "发送到" status; Send stays
    // enabled for another try.
    void failedSendShowsMessage() {
        m_log->failure = "Network is unreachable";
        CSendDlg* dlg = Open();
        Control<QLineEdit>(dlg, CSendDlg::kBroadcastId)->setText("198.51.100.255");
        SetBytes(dlg, {"00", "A0", "C9", "12", "34", "56"});
        QTest::mouseClick(Control<QPushButton>(dlg, 1), Qt::LeftButton);
        QCOMPARE(MessageTexts(),
                 QStringList{QStringLiteral(
                     "Wakeburst 未被发送到 198.51.100.255.\nNetwork is unreachable")});
        QCOMPARE(CUiSeam::Records().front().caption, QStringLiteral("Wakeburst Utility"));
        QCOMPARE(dlg->StatusText(), QString());
        QVERIFY(!dlg->IsPausing());
        QVERIFY(Control<QPushButton>(dlg, 1)->isEnabled());
        QCOMPARE(m_log->closes, m_log->channelsMade);
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
