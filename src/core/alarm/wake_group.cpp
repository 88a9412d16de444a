#include "alarm/wake_group.h"

#include <vector>

#include "alarm/wake_log.h"
#include "base/string_table.h"
#include "hostlist/host_list_reader.h"

namespace wb {

WakeOutcome WakeGroupWithReport(CWakeSocket& socket, const std::string& groupFile,
                                const std::string& broadcast, std::string* reportOut) {
    std::vector<std::string> addresses;
    std::string report;
    WakeOutcome outcome = WakeOutcome::Woken;
    if (!socket.SetDestination(broadcast)) {
        report = FormatString2(IDS_BAD_BROADCAST, EscapeControlChars(broadcast),
                               EscapeControlChars(groupFile));
        outcome = WakeOutcome::BadBroadcast;
    } else if (!ReadHostList(groupFile, report, addresses)) {
        outcome = WakeOutcome::CannotOpenList;
    } else {
        for (const std::string& text : addresses)
            socket.SendWakeup(text);
        const std::size_t n = addresses.size();
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
