#include "dlg_test_support.h"

#include <QCursor>
#include <QTest>

#include "wake/address_text.h"
#include "wake/wake_socket.h"

namespace wb::test {

bool CFakeSendChannel::SetDestination(const std::string& text) {
    m_log->destinations.push_back(text);
    m_log->statusDuringLookup.push_back(m_status ? m_status() : QString());
    const QCursor* cursor = QApplication::overrideCursor();
    m_log->waitCursorDuringLookup.push_back(cursor && cursor->shape() == Qt::WaitCursor);
    const bool dotted = IsValidIpText(text) && text.find('-') == std::string::npos;
    const bool ok = dotted || m_log->resolvable.count(text) > 0;
    m_dest = ok ? text : "255.255.255.255";
    return ok;
}

void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

bool CFakeSendChannel::SendWakeup(const std::string& ethernetText) {
    if (!m_log->failure.empty()) return false;
    m_log->sent.push_back(ethernetText);
    m_log->destinationOfSend.push_back(m_dest);
    return true;
}

}  // namespace wb::test
