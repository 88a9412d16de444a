#include "alarm/wake_log.h"

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <locale>
#include <sstream>

#include "alarm/local_time.h"
#include "platform/codepage.h"
#include "platform/file_path.h"

namespace wb {

namespace {

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
    std::error_code sizeError;
    const auto before = std::filesystem::file_size(platform::PathFromUtf8(path), sizeError);
    std::ofstream out = platform::OpenOutputFile(path, std::ios::binary | std::ios::app);
    if (!out) return;
    out.write(entry.data(), static_cast<std::streamsize>(entry.size()));
    out.close();
    // A disk that fills half way through leaves half an entry, into which the next entry
    // would run: take it out again, so that only this entry is lost.
    if (out.fail()) {
        std::error_code ec;
        std::filesystem::resize_file(platform::PathFromUtf8(path), sizeError ? 0 : before, ec);
    }
}

}  // namespace wb
