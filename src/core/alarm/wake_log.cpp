#include "alarm/wake_log.h"

#include <iomanip>
#include <locale>
#include <sstream>

#include "alarm/local_time.h"
#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/codepage.h"
#include "platform/regular_file.h"

namespace wb {

namespace {

// How long an append waits for the log's lock before it writes its entry without it.
constexpr std::chrono::seconds kWakeLogLockPatience{10};

WakeLogTarget& Target() {
    static WakeLogTarget target;
    return target;
}

}  // namespace

WakeLogTarget SetWakeLogTarget(WakeLogTarget target) {
    WakeLogTarget previous = std::move(Target());
    Target() = std::move(target);
    return previous;
}

const WakeLogTarget& CurrentWakeLogTarget() { return Target(); }

std::string FormatWakeLogDate(std::time_t when) {
    const std::tm tm = LocalTime(when);
    // The classic locale, not the global one: the GUI library sets the global locale from
    // the environment, and the log's names must stay English whatever it says.
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os << std::put_time(&tm, "%A, %B %d, %Y %H:%M");
    return os.str();
}

std::string FormatWakeLogEntry(const std::string& body, std::time_t when) {
    const std::string text = FormatWakeLogDate(when) + "\n" + body;
    std::string lines;
    lines.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    return platform::ToFileText(lines);
}

void AppendWakeLog(const std::string& body) {
    const WakeLogTarget& target = Target();
    const auto now = target.clock ? target.clock() : std::chrono::system_clock::now();
    const std::string entry = FormatWakeLogEntry(body, std::chrono::system_clock::to_time_t(now));
    const std::string path = target.startDir + kWakeLogName;
    platform::CRegularFile out;
    if (!out.OpenForAppending(path)) return;
    // The window and a wake from the shell may append at the same moment: each entry goes in
    // whole under the log's lock, and a disk that fills half way through takes out only this
    // entry's bytes, from where this append began, never another program's entry before it.
    // Whoever may read the log may hold its lock too: wait a while and say so, then write
    // the entry all the same rather than lose it or hang the wake.
    const auto waitNotice = [&path] {
        ShowMessageBox(LockWaitText(path), MsgButtons::Ok, MsgIcon::Information);
    };
    std::uint64_t before = 0;
    if (out.LockExclusive(kWakeLogLockPatience, waitNotice) && out.CurrentSize(before)) {
        if (!out.WriteAll(entry)) out.Truncate(before);
    } else {
        // Unlocked, the end seen now may already be behind another entry: half an entry is
        // left rather than cutting into that one.
        out.WriteAll(entry);
    }
    out.Close();
}

}  // namespace wb
