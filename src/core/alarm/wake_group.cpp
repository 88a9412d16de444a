#include "alarm/wake_group.h"

#include <string_view>

#include "alarm/wake_log.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "hostlist/host_list_reader.h"

namespace wb {

namespace {

// In the manner of the reader's lines for unusable lines of the list.
std::string NotSentLine(const FrameFailure& failure, UiLanguage language) {
    const std::string reason = failure.reason.In(language);
    if (failure.sent == 0) {
        const char* pattern = WB_TR_NOOP("wakeburst", "\t错误 地址:%1: Wakeburst 未被发送 (%2).\n");
        const std::string args[] = {failure.address, reason};
        return FormatPlaceholders(TranslateTo(language, "wakeburst", pattern), args, 2);
    }
    const char* pattern =
        WB_TR_NOOP("wakeburst", "\t错误 地址:%1: %2/%3 Wakeburst 未被发送 (%4).\n");
    const std::string args[] = {failure.address, std::to_string(failure.tried - failure.sent),
                                std::to_string(failure.tried), reason};
    return FormatPlaceholders(TranslateTo(language, "wakeburst", pattern), args, 4);
}

// Report lines of one kind, each built for both readers of the report: the wake log, which
// takes Chinese whatever the user's language since other programs read it, and the user.
// Kept while they fit the budget, only counted after that, so that a list of millions of
// bad lines cannot take the memory (or the wake log) with it. The log's text alone is
// measured, so that the log holds the same lines in every language; the user's copy of
// each line is a translation of the same few words, within a small multiple of its size.
class CBoundedLines final {
public:
    // `line(language)` gives the line in that language.
    template <typename MakeLine>
    void Add(const MakeLine& line) {
        std::string log = m_omitted > 0 ? std::string() : line(UiLanguage::Chinese);
        if (m_omitted > 0 || m_log.size() + log.size() > kMaxReportedBytes) {
            ++m_omitted;
            return;
        }
        m_log += log;
        if (Separate()) m_shown += line(m_user);
    }
    std::uint64_t Omitted() const { return m_omitted; }
    const std::string& Text(UiLanguage language) const {
        return language == UiLanguage::Chinese || !Separate() ? m_log : m_shown;
    }

private:
    // A Chinese user reads the log's own lines: they are kept once.
    bool Separate() const { return m_user != UiLanguage::Chinese; }

    const UiLanguage m_user = platform::UserUiLanguage();
    std::string m_log, m_shown;
    std::uint64_t m_omitted = 0;
};

// The host's IP address for the findings, while there is room for it.
void NoteHostIp(WakeGroupFindings& findings, std::string_view ip) {
    if (!findings.wantHostIps || ip.empty()) return;
    if (findings.hostIps.size() < WakeGroupFindings::kMaxHostIps)
        findings.hostIps.emplace_back(ip);
    else
        ++findings.moreHostIps;
}

// The report of a list read to its end, in `language`: the kept lines of each kind, each
// kind's count of the lines left out, and the closing line of the hosts woken. The wake log
// takes it in Chinese whatever the user's language, since other programs read the log.
std::string ListReport(const std::string& groupFile, const CBoundedLines& badLines,
                       const CBoundedLines& notSent, std::uint64_t woken, UiLanguage language) {
    const std::string file = EscapeControlChars(groupFile);
    std::string report = badLines.Text(language);
    if (badLines.Omitted() > 0)
        report += OmittedBadLinesMessage(groupFile, badLines.Omitted(), language);
    report += notSent.Text(language);
    if (notSent.Omitted() > 0)
        report += FormatText(
            TranslateTo(language, "wakeburst",
                        WB_TR_NOOP("wakeburst", "\t错误 另有 %1 个地址: Wakeburst 未被发送.\n")),
            {std::to_string(notSent.Omitted())});
    // The log's words, from the Parts: "host" for 0 and 1; English says "0 hosts".
    const bool plural = woken > 1 || (woken == 0 && language == UiLanguage::English);
    const char* closing = plural ? WB_TR_NOOP("wakeburst", "\t唤醒 %1 hosts 于 %2\n")
                                 : WB_TR_NOOP("wakeburst", "\t唤醒 %1 host 于 %2\n");
    const std::string args[] = {std::to_string(woken), file};
    return report + FormatPlaceholders(TranslateTo(language, "wakeburst", closing), args, 2);
}

// Reads the list and sends its addresses, batch by batch; the destination is set already.
// `report` is for the log (in Chinese), `shown` for the user (in the user's language).
WakeOutcome WakeList(CWakeSocket& socket, const std::string& groupFile, const WakeRounds& rounds,
                     WakeGroupFindings& findings, std::string& report, std::string& shown) {
    WakeOutcome outcome = WakeOutcome::Woken;
    CBoundedLines badLines, notSent;
    std::vector<std::string> batch;
    // Grown one address at a time, the batch was copied over and over on a long list.
    batch.reserve(kWakeBatch);
    std::uint64_t listed = 0, notWoken = 0;
    bool sent = false;
    const auto sendBatch = [&] {
        for (const FrameFailure& failure : SendWakeupRounds(socket, batch, rounds)) {
            notSent.Add([&failure](UiLanguage language) { return NotSentLine(failure, language); });
            if (failure.sent == 0) ++notWoken;
            outcome = WakeOutcome::NotAllSent;
        }
        batch.clear();
        sent = true;
    };
    const bool read = ReadHostListLines(
        groupFile,
        [&](std::vector<std::string>& addresses, std::string_view ip) {
            // A batch leaves only once the next address is there, so that a list that
            // fits one batch and cannot be read to its end wakes nobody.
            for (std::string& address : addresses) {
                if (batch.size() == kWakeBatch) sendBatch();
                batch.push_back(std::move(address));
                ++listed;
            }
            NoteHostIp(findings, ip);
        },
        [&](std::uint64_t line) {
            ++findings.badLines;
            badLines.Add(
                [&](UiLanguage language) { return BadLineMessage(groupFile, line, language); });
        },
        shown);
    if (!read) {
        report =
            FormatString1(IDS_CANNOT_OPEN_READ, EscapeControlChars(groupFile), UiLanguage::Chinese);
        return WakeOutcome::CannotOpenList;
    }
    if (!batch.empty() || !sent) sendBatch();
    report = ListReport(groupFile, badLines, notSent, listed - notWoken, UiLanguage::Chinese);
    shown = ListReport(groupFile, badLines, notSent, listed - notWoken, platform::UserUiLanguage());
    return outcome;
}

}  // namespace

WakeOutcome WakeGroupWithReport(CWakeSocket& socket, const std::string& groupFile,
                                const std::string& broadcast, std::string* reportOut,
                                const WakeRounds& rounds, WakeGroupFindings* findingsOut) {
    std::string report, shown;
    WakeGroupFindings ownFindings;
    WakeOutcome outcome;
    if (!socket.SetDestination(broadcast)) {
        const std::string address = EscapeControlChars(broadcast);
        const std::string file = EscapeControlChars(groupFile);
        report = FormatString2(IDS_BAD_BROADCAST, address, file, UiLanguage::Chinese);
        shown = FormatString2(IDS_BAD_BROADCAST, address, file);
        outcome = WakeOutcome::BadBroadcast;
    } else {
        outcome = WakeList(socket, groupFile, rounds, findingsOut ? *findingsOut : ownFindings,
                           report, shown);
    }
    AppendWakeLog(report);
    if (reportOut) *reportOut = std::move(shown);
    return outcome;
}

}  // namespace wb
