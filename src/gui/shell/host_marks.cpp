#include "shell/host_marks.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSet>
#include <QThreadPool>
#include <QTimer>

#include "alarm/document_hosts.h"
#include "platform/sockets.h"
#include "shell/dawnly_view.h"

namespace wb::gui {

namespace {

// A full round over every host of the document starts this long after the last one ended
// (a round of 250 hosts, most of them silent, takes four slices of a second);
// hosts just woken are probed every second meanwhile, as `wakeburst send --wait` does.
constexpr int kFullRoundSeconds = 5;
constexpr int kTickMs = 1000;
constexpr std::chrono::milliseconds kSliceBudget{1000};
// Edits are scanned for addresses once typing pauses.
constexpr int kRescanMs = 400;

}  // namespace

std::atomic<int> CHostMarks::s_rounds{0};

CHostMarks::CHostMarks(CDawnlyView* view) : QObject(view), m_pView(view) {
    m_rescanTimer.setSingleShot(true);
    m_rescanTimer.setInterval(kRescanMs);
    connect(&m_rescanTimer, &QTimer::timeout, this, &CHostMarks::Rescan);
    connect(view, &QPlainTextEdit::textChanged, &m_rescanTimer, qOverload<>(&QTimer::start));
    m_tickTimer.setInterval(kTickMs);
    connect(&m_tickTimer, &QTimer::timeout, this, &CHostMarks::OnTick);
    m_tickTimer.start();
    m_rescanTimer.start();
}

CHostMarks::~CHostMarks() = default;

QString CHostMarks::IpOfLine(int line) const {
    return line >= 0 && line < m_lineIps.size() ? m_lineIps.at(line) : QString();
}

QString CHostMarks::SinceText(const QString& ip) const {
    const Mark mark = MarkOf(ip);
    const QString when = mark.since.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    switch (mark.state) {
        case State::Answering:
            return tr("%1 自 %2 起应答").arg(ip, when);
        case State::Silent:
            return tr("%1 自 %2 起无应答").arg(ip, when);
        case State::Unknown:
            break;
    }
    return tr("%1 尚未探测").arg(ip);
}

void CHostMarks::WatchWoken(const QStringList& ips) {
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString& ip : ips)
        m_woken.insert(ip, now);
}

bool CHostMarks::IsShown() const {
    const QWidget* top = m_pView->window();
    return m_pView->isVisible() && !m_pView->visibleRegion().isEmpty() && top &&
           !(top->windowState() & Qt::WindowMinimized);
}

void CHostMarks::Rescan() {
    const QStringList before = m_lineIps;
    m_lineIps.clear();
    const QByteArray text = m_pView->RawText().toUtf8();
    for (const std::string& ip : DocumentHostIps(std::string_view(text.constData(), text.size())))
        m_lineIps << QString::fromStdString(ip);
    if (m_lineIps != before) emit marksChanged();
}

void CHostMarks::OnTick() {
    const QDateTime now = QDateTime::currentDateTime();
    // A woken host that has not come up within the wait is no longer waited for.
    for (auto it = m_woken.begin(); it != m_woken.end();) {
        if (it.value().secsTo(now) > kDefaultAwakeWait.count())
            it = m_woken.erase(it);
        else
            ++it;
    }
    if (!s_probing || m_busy || !IsShown()) return;
    QStringList ips;
    QSet<QString> seen;
    const bool full =
        !m_lastFullRound.isValid() || m_lastFullRound.secsTo(now) >= kFullRoundSeconds;
    const QStringList& source = full ? m_lineIps : QStringList(m_woken.keys());
    for (const QString& ip : source) {
        if (!ip.isEmpty() && !seen.contains(ip)) {
            seen.insert(ip);
            ips << ip;
        }
    }
    if (ips.isEmpty()) return;
    m_fullRound = full;
    StartRound(ips);
}

void CHostMarks::StartRound(const QStringList& ips) {
    std::vector<platform::IpAddress> hosts;
    QStringList probed;
    for (const QString& ip : ips) {
        platform::IpAddress addr;
        // Only the hosts themselves: never a broadcast or multicast address in the text.
        if (platform::ParseIpAddress(ip.toStdString(), addr) && !platform::NeedsScope(addr) &&
            !platform::IsBroadcastOrMulticast(addr)) {
            hosts.push_back(addr);
            probed << ip;
        }
    }
    if (hosts.empty()) return;
    m_busy = true;
    ++s_rounds;
    QPointer<CHostMarks> self(this);
    // One round at a time per document, on a pool thread; the answer comes back to this
    // thread and is dropped when the document has gone meanwhile.
    QThreadPool::globalInstance()->start([self, probed, hosts = std::move(hosts)] {
        const std::vector<bool> got = ProbeHostsOnce(hosts, kSliceBudget);
        const QList<bool> answered(got.begin(), got.end());
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, probed, answered] {
                if (self) self->OnRoundDone(probed, answered);
            },
            Qt::QueuedConnection);
    });
}

void CHostMarks::OnRoundDone(const QStringList& ips, const QList<bool>& answered) {
    m_busy = false;
    const QDateTime now = QDateTime::currentDateTime();
    if (m_fullRound) m_lastFullRound = now;
    bool changed = false;
    for (qsizetype i = 0; i < ips.size() && i < answered.size(); ++i) {
        const State state = answered.at(i) ? State::Answering : State::Silent;
        Mark& mark = m_marks[ips.at(i)];
        if (mark.state != state) {
            mark = {state, now};
            changed = true;
        }
        if (state == State::Answering && m_woken.contains(ips.at(i))) {
            const qint64 seconds = m_woken.take(ips.at(i)).secsTo(now);
            emit hostAwake(ips.at(i), static_cast<int>(seconds));
        }
    }
    if (changed) emit marksChanged();
}

}  // namespace wb::gui
