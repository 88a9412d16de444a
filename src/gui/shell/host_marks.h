#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <atomic>

namespace wb::gui {

class CDawnlyView;

// Whether the host of a line answers, probed in the background while its document is shown.
class CHostMarks final : public QObject {
    Q_OBJECT
public:
    enum class State { Unknown, Answering, Silent };
    struct Mark {
        State state = State::Unknown;
        QDateTime since;  // when it last changed
    };

    explicit CHostMarks(CDawnlyView* view);
    ~CHostMarks() override;

    // The IP address of a line (a block of the view); empty when the line names no host.
    QString IpOfLine(int line) const;
    Mark MarkOf(const QString& ip) const { return m_marks.value(ip); }
    // What hovering a mark says.
    QString SinceText(const QString& ip) const;

    // Woken hosts: each that answers within kDefaultAwakeWait is reported once, with the
    // seconds it took.
    void WatchWoken(const QStringList& ips);

    // Probe rounds started by every document's marks since the program began: while all
    // documents are minimised or hidden this stands still.
    static int RoundsStarted() { return s_rounds.load(); }
    // Off, no document probes at all (the tests' default outside the network lab).
    static void SetProbing(bool on) { s_probing = on; }

signals:
    void marksChanged();
    void hostAwake(const QString& ip, int seconds);

private:
    bool IsShown() const;
    void Rescan();
    void OnTick();
    void StartRound(const QStringList& ips);
    void OnRoundDone(const QStringList& ips, const QList<bool>& answered);

    CDawnlyView* m_pView;
    QTimer m_rescanTimer;
    QTimer m_tickTimer;
    QStringList m_lineIps;
    QHash<QString, Mark> m_marks;
    QHash<QString, QDateTime> m_woken;  // waiting for these since
    QDateTime m_lastFullRound;
    bool m_busy = false;
    bool m_fullRound = false;  // the round under way covers the whole document
    static std::atomic<int> s_rounds;
    static inline bool s_probing = true;
};

}  // namespace wb::gui
