#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "alarm/alarm_scheduler.h"
#include "alarm/alarm_store.h"
#include "alarm/alarm_store_codec.h"
#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "platform/file_path.h"
#include "platform/inet_addr.h"
#include "wake/address_text.h"

namespace wb::cli {

namespace {

constexpr std::size_t kMaxNextCount = 10000;
constexpr char kDayLetters[] = "SMTWTFS";
constexpr const char* kDayNames[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool AllDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool ParseDays(const std::string& list, std::uint8_t& days) {
    days = 0;
    if (Lower(list) == "all") {
        days = kEveryDay;
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string name = Lower(list.substr(start, comma - start));
        auto it = std::find(std::begin(kDayNames), std::end(kDayNames), name);
        if (it == std::end(kDayNames)) return false;
        days |= WeekdayBit(static_cast<int>(it - std::begin(kDayNames)));
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool ParseTime(const std::string& text, int& hour, int& minute) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    const std::string h = text.substr(0, colon), m = text.substr(colon + 1);
    if (!AllDigits(h) || !AllDigits(m) || h.size() > 2 || m.size() != 2) return false;
    hour = std::stoi(h);
    minute = std::stoi(m);
    return hour <= 23 && minute <= 59;
}

std::string DaysText(std::uint8_t days) {
    std::string s;
    for (int d = 0; d < 7; ++d)
        s += (days & WeekdayBit(d)) ? kDayLetters[d] : '-';
    return s;
}

std::string TwoDigits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

// Prints an outcome that is not done as one line; the exit code it calls for.
int Report(const AlarmOutcome& outcome, const std::string& command) {
    if (outcome.Done()) return kExitOk;
    PrintErr("wakeburst " + command + ": " + outcome.OneLine());
    return kExitFailed;
}

// Loads the store; false (the reason printed) when it exists but cannot be read.
bool LoadStore(CAlarmStore& store, const std::string& command) {
    AlarmOutcome damaged;
    switch (store.LoadAlarmsWithResult(&damaged)) {
        case CAlarmStore::LoadResult::Loaded:
            return true;
        case CAlarmStore::LoadResult::Damaged:
            Report(damaged, command);
            return false;
        case CAlarmStore::LoadResult::NotOpened:
            break;
    }
    std::error_code ec;
    if (!std::filesystem::exists(platform::PathFromUtf8(store.StorePath()), ec)) return true;
    PrintErr("wakeburst " + command + ": cannot read " + Shown(store.StorePath()));
    return false;
}

int List(CAlarmStore& store, bool json) {
    if (!LoadStore(store, "alarms list")) return kExitFailed;
    if (json) PrintOut(store.m_alarms.empty() ? "[]" : "[");
    for (std::size_t i = 0; i < store.m_alarms.size(); ++i) {
        const CAlarmSetting& a = *store.m_alarms[i];
        const std::string time = TwoDigits(a.m_nHour) + ":" + TwoDigits(a.m_nMinute);
        if (!json) {
            PrintOut(std::to_string(i + 1) + "\t" + DaysText(a.m_nDays) + "\t" + time + "\t" +
                     EscapeControlChars(a.m_strBroadcast) + "\t" +
                     EscapeControlChars(a.m_strGroupFile));
            continue;
        }
        std::string days;
        for (int d = 0; d < 7; ++d) {
            if (!(a.m_nDays & WeekdayBit(d))) continue;
            days += (days.empty() ? "" : ",") + JsonString(kDayNames[d]);
        }
        PrintOut("  {\"index\":" + std::to_string(i + 1) + ",\"days\":[" + days + "],\"time\":" +
                 JsonString(time) + ",\"broadcast\":" + JsonString(a.m_strBroadcast) +
                 ",\"file\":" + JsonString(a.m_strGroupFile) + "}" +
                 (i + 1 < store.m_alarms.size() ? "," : ""));
    }
    if (json && !store.m_alarms.empty()) PrintOut("]");
    return kExitOk;
}

// The firings of the next days from `from` on, in time order (alarms of one minute in list
// order), as the scheduler will make them: by the local clock, none in a skipped minute and
// one in a minute passed twice.
int Next(CAlarmStore& store, const ParsedArgs& pa) {
    const std::string countText = pa.Get("--count", "10");
    const std::size_t count =
        AllDigits(countText) && countText.size() <= 5 ? std::stoul(countText) : 0;
    if (count < 1 || count > kMaxNextCount) {
        PrintErr("wakeburst alarms next: --count takes a number from 1 to " +
                 std::to_string(kMaxNextCount) + ", not '" + Shown(countText) + "'");
        return kExitUsage;
    }
    std::time_t from = std::time(nullptr);
    if (pa.Has("--from") && !ParseLocalMinute(pa.Get("--from"), from)) {
        PrintErr("wakeburst alarms next: --from takes a local time \"YYYY-MM-DD HH:MM\", not '" +
                 Shown(pa.Get("--from")) + "'");
        return kExitUsage;
    }
    if (!LoadStore(store, "alarms next")) return kExitFailed;
    const bool anyFires = std::any_of(store.m_alarms.begin(), store.m_alarms.end(),
                                      [](const AlarmPtr& a) { return (a->m_nDays & kEveryDay); });
    const std::tm start = LocalTime(from);
    std::size_t shown = 0;
    // Every week has a firing of each alarm but for a skipped minute, so this many days
    // always suffice.
    const std::size_t maxDays = anyFires ? 7 * (count + 1) : 0;
    for (std::size_t day = 0; day < maxDays && shown < count; ++day) {
        std::multimap<std::time_t, std::size_t> firings;  // keeps list order within a minute
        std::tm noon = start;
        noon.tm_mday += static_cast<int>(day);
        noon.tm_hour = 12;
        noon.tm_isdst = -1;
        std::mktime(&noon);  // only for the weekday, which spares the days without alarms
        for (std::size_t i = 0; i < store.m_alarms.size(); ++i) {
            const CAlarmSetting& a = *store.m_alarms[i];
            if (!(a.m_nDays & WeekdayBit(noon.tm_wday))) continue;
            std::time_t t = 0;
            if (!FirstLocalMoment(start.tm_year + 1900, start.tm_mon + 1,
                                  start.tm_mday + static_cast<int>(day), a.m_nHour, a.m_nMinute,
                                  t) ||
                t < from || !IsAlarmDue(a, LocalTime(t)))
                continue;
            firings.emplace(t, i);
        }
        for (auto it = firings.begin(); it != firings.end() && shown < count; ++it, ++shown) {
            const std::tm tm = LocalTime(it->first);
            char when[32];
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &tm);
            PrintOut(std::string(when) + "\t" + std::to_string(it->second + 1) + "\t" +
                     EscapeControlChars(store.m_alarms[it->second]->m_strGroupFile));
        }
    }
    return kExitOk;
}

int Add(CAlarmStore& store, const ParsedArgs& pa) {
    const char* usage = "wakeburst alarms add: ";
    if (!pa.Has("--file") || !pa.Has("--days") || !pa.Has("--time")) {
        PrintErr(std::string(usage) + "needs --file F --days LIST --time HH:MM");
        return kExitUsage;
    }
    const std::string given = pa.Get("--file");
    // Checked as the store will keep it: the service runs the alarm from its own directory,
    // which need not be this one.
    const std::string baseDir = CurrentStartDir();
    CAlarmSetting alarm;
    alarm.SetGroupFile(GroupFilePath(given, baseDir));
    if (!StoreKeepsText(alarm.m_strGroupFile)) {
        PrintErr(std::string(usage) + "--file must be a UTF-8 name for the store to keep it: '" +
                 EscapeControlChars(alarm.m_strGroupFile) + "'");
        return kExitUsage;
    }
    // The name comes back in alarms list and in every wake log entry, one line each.
    if (EscapeControlChars(alarm.m_strGroupFile) != alarm.m_strGroupFile) {
        PrintErr(std::string(usage) + "--file names a file with control characters: '" +
                 EscapeControlChars(alarm.m_strGroupFile) + "'");
        return kExitUsage;
    }
    std::uint8_t days = 0;
    if (!ParseDays(pa.Get("--days"), days)) {
        PrintErr(std::string(usage) + "--days takes sun,mon,tue,wed,thu,fri,sat or all, not '" +
                 EscapeControlChars(pa.Get("--days")) + "'");
        return kExitUsage;
    }
    alarm.SetDays(days);
    int hour = 0, minute = 0;
    if (!ParseTime(pa.Get("--time"), hour, minute)) {
        PrintErr(std::string(usage) + "--time takes HH:MM from 00:00 to 23:59, not '" +
                 EscapeControlChars(pa.Get("--time")) + "'");
        return kExitUsage;
    }
    alarm.SetHour(hour);
    alarm.SetMinute(minute);
    const std::string broadcast = platform::CanonicalDottedQuad(pa.Get("--to", "255.255.255.255"));
    if (broadcast.empty()) {
        PrintErr(std::string(usage) + "--to takes four numbers 0..255 joined by points, not '" +
                 EscapeControlChars(pa.Get("--to")) + "'");
        return kExitUsage;
    }
    alarm.SetBroadcast(broadcast);

    // The limit and the list are those on disk at the moment of the change, whoever else
    // changes the store at the same time; the file is looked at again at that moment.
    alarm.SetGroupFile(given);
    return Report(store.UpdateAlarms([&](AlarmList& list, const StoreBytes&) {
        return AddAlarm(list, alarm, baseDir);
    }),
                  "alarms add");
}

int Remove(CAlarmStore& store, const std::string& which) {
    const std::size_t n = AllDigits(which) && which.size() < 10 ? std::stoul(which) : 0;
    std::size_t held = 0;
    const AlarmOutcome outcome = store.UpdateAlarms([&](AlarmList& list, const StoreBytes&) {
        held = list.size();
        return RemoveAlarm(list, n - 1);
    });
    if (outcome.code != AlarmOutcome::Code::NoSuchAlarm) return Report(outcome, "alarms remove");
    PrintErr("wakeburst alarms remove: no alarm '" + EscapeControlChars(which) +
             "' (the list holds " + std::to_string(held) + ")");
    return kExitUsage;
}

}  // namespace

int RunAlarms(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {"--dir", "--file", "--days", "--time", "--to", "--count", "--from"},
                   {"--json"}, pa, error)) {
        PrintErr("wakeburst alarms: " + error);
        return kExitUsage;
    }
    const std::vector<std::string>& pos = pa.positional;
    const std::string sub = pos.empty() ? "list" : pos[0];
    if (sub == "list" || sub == "add" || sub == "remove" || sub == "next")
        SetCommandName("wakeburst alarms " + sub);
    const bool addOptions =
        pa.Has("--file") || pa.Has("--days") || pa.Has("--time") || pa.Has("--to");
    const bool nextOptions = pa.Has("--count") || pa.Has("--from");
    const bool json = pa.Has("--json");
    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    CAlarmStore store(dir);
    const bool only = !addOptions && !nextOptions && !json;
    if (sub == "list" && pos.size() <= 1 && !addOptions && !nextOptions) return List(store, json);
    if (sub == "add" && pos.size() == 1 && !nextOptions && !json) return Add(store, pa);
    if (sub == "remove" && pos.size() == 2 && only) return Remove(store, pos[1]);
    if (sub == "next" && pos.size() == 1 && !addOptions && !json) return Next(store, pa);
    PrintErr(
        "wakeburst alarms: expects list [--json], add --file F --days LIST --time HH:MM [--to "
        "A.B.C.D], remove N, or next [--count N] [--from \"YYYY-MM-DD HH:MM\"]");
    return kExitUsage;
}

}  // namespace wb::cli
