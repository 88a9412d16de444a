#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <utility>

namespace wb {

inline constexpr char kWakeLogName[] = "Dawnly.log";

using WallClock = std::function<std::chrono::system_clock::time_point()>;

// Where AppendWakeLog writes (start-up directory + "Dawnly.log") and the clock that dates
// its entries. A null clock means the system clock.
struct WakeLogTarget {
    std::string startDir;
    WallClock clock;
};

// Sets the target for the rest of the run (or until the next call); returns the old one.
WakeLogTarget SetWakeLogTarget(WakeLogTarget target);
const WakeLogTarget& CurrentWakeLogTarget();

// Sets a target for as long as it lives, restoring the previous one; nests.
class CWakeLogScope final {
public:
    explicit CWakeLogScope(WakeLogTarget target)
        : m_previous(SetWakeLogTarget(std::move(target))) {}
    ~CWakeLogScope() { SetWakeLogTarget(std::move(m_previous)); }
    CWakeLogScope(const CWakeLogScope&) = delete;
    CWakeLogScope& operator=(const CWakeLogScope&) = delete;

private:
    WakeLogTarget m_previous;
};

// "%A, %B %d, %Y %H:%M" in local time, always with the C locale's English names.
std::string FormatWakeLogDate(std::time_t when);

// The bytes one entry adds to the log: the date line and the body, GB18030, every line
// feed written as CR LF (a CR already in the text stays, giving CR CR LF).
std::string FormatWakeLogEntry(const std::string& body, std::time_t when);

// Appends one entry, dated now by the target's clock, under the log's lock. A log that
// cannot be opened (a link that the kernel would not follow for us among them) loses the
// entry silently.
void AppendWakeLog(const std::string& body);

}  // namespace wb
