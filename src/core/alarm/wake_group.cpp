#include "alarm/wake_group.h"

#include <vector>

#include "alarm/wake_log.h"
#include "base/string_table.h"
#include "hostlist/host_list_reader.h"

namespace wb {

namespace {

// In the manner of the reader's lines for unusable lines of the list.
std::string NotSentLine(const FrameFailure& failure, int repeat) {
    std::string line = "\t错误 地址:" + failure.address + ": ";
    if (failure.sent > 0)
        line += std::to_string(repeat - failure.sent) + "/" + std::to_string(repeat) + " ";
    return line + "Wakeburst 未被发送 (" + failure.reason + ").\n";
}

}  // namespace

WakeOutcome WakeGroupWithReport(CWakeSocket& socket, const std::string& groupFile,
                                const std::string& broadcast, std::string* reportOut,
                                const WakeRounds& rounds, std::vector<std::string>* hostIps) {
    std::vector<std::string> addresses;
    std::string report;
    WakeOutcome outcome = WakeOutcome::Woken;
    if (!socket.SetDestination(broadcast)) {
        report = FormatString2(IDS_BAD_BROADCAST, EscapeControlChars(broadcast),
                               EscapeControlChars(groupFile));
        outcome = WakeOutcome::BadBroadcast;
    } else if (!ReadHostList(groupFile, report, addresses, hostIps)) {
        outcome = WakeOutcome::CannotOpenList;
    } else {
        std::size_t n = addresses.size();
        for (const FrameFailure& failure : SendWakeupRounds(socket, addresses, rounds)) {
            report += NotSentLine(failure, rounds.repeat);
            if (failure.sent == 0) --n;
            outcome = WakeOutcome::NotAllSent;
        }
        report += "\t唤醒 " + std::to_string(n) + (n > 1 ? " hosts" : " host") + " 于 " +
                  EscapeControlChars(groupFile) + "\n";
    }
    AppendWakeLog(report);
    if (reportOut) *reportOut = std::move(report);
    return outcome;
}

void CWakeSocket::WakeGroup(const std::string& groupFile, const std::string& broadcast) {
    WakeGroupWithReport(*this, groupFile, broadcast);
}

}  // namespace wb
