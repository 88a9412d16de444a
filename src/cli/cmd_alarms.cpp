#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "alarm/alarm_scheduler.h"
#include "alarm/alarm_store.h"
#include "alarm/alarm_store_codec.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "platform/file_path.h"
#include "platform/inet_addr.h"
#include "wake/address_text.h"

namespace wb::cli {

namespace {

constexpr std::size_t kMaxNextCount = 10000;
constexpr char kDayLetters[] = "SMTWTFS";
constexpr const char* kDayNames[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

bool ParseDays(const std::string& list, std::uint8_t& days) {
    days = 0;
    if (AsciiLower(list) == "all") {
        days = kEveryDay;
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string name = AsciiLower(list.substr(start, comma - start));
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
    PrintErr(FormatText(WB_TR("wakeburst", "wakeburst %1: 无法读取 %2"),
                        {command, EscapeControlChars(store.StorePath())}));
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

struct NextOptions {
    std::size_t count = 10;
    std::time_t from = 0;
};

bool ReadNextOptions(const ParsedArgs& pa, NextOptions& out) {
    const std::string countText = pa.Get("--count", "10");
    out.count = AllDigits(countText) && countText.size() <= 5 ? std::stoul(countText) : 0;
    if (out.count < 1 || out.count > kMaxNextCount) {
        PrintErr(FormatText(
            WB_TR("wakeburst", "wakeburst alarms next: --count 须为 1 到 %1 之间的数, 而不是 '%2'"),
            {std::to_string(kMaxNextCount), EscapeControlChars(countText)}));
        return false;
    }
    out.from = std::time(nullptr);
    if (!pa.Has("--from") || ParseLocalMinute(pa.Get("--from"), out.from)) return true;
    PrintErr(FormatText(WB_TR("wakeburst",
                              "wakeburst alarms next: --from 须为本地时间 \"YYYY-MM-DD HH:MM\", "
                              "而不是 '%1'"),
                        {EscapeControlChars(pa.Get("--from"))}));
    return false;
}

// The firings on the `day`th day after `start`, not before `from` (alarms of one minute in
// list order).
std::multimap<std::time_t, std::size_t> FiringsOfDay(const AlarmList& alarms, const std::tm& start,
                                                     std::size_t day, std::time_t from) {
    std::multimap<std::time_t, std::size_t> firings;
    std::tm noon = start;
    noon.tm_mday += static_cast<int>(day);
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    std::mktime(&noon);  // only for the weekday, which spares the days without alarms
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const CAlarmSetting& a = *alarms[i];
        if (!(a.m_nDays & WeekdayBit(noon.tm_wday))) continue;
        std::time_t t = 0;
        if (!FirstLocalMoment(start.tm_year + 1900, start.tm_mon + 1,
                              start.tm_mday + static_cast<int>(day), a.m_nHour, a.m_nMinute, t) ||
            t < from || !IsAlarmDue(a, LocalTime(t)))
            continue;
        firings.emplace(t, i);
    }
    return firings;
}

// The firings of the next days from `from` on, in time order, as the scheduler will make
// them: by the local clock, none in a skipped minute and one in a minute passed twice.
void PrintNext(const AlarmList& alarms, const NextOptions& options) {
    const bool anyFires = std::any_of(alarms.begin(), alarms.end(),
                                      [](const AlarmPtr& a) { return (a->m_nDays & kEveryDay); });
    const std::tm start = LocalTime(options.from);
    std::size_t shown = 0;
    // Every week has a firing of each alarm but for a skipped minute, so this many days
    // always suffice.
    const std::size_t maxDays = anyFires ? 7 * (options.count + 1) : 0;
    for (std::size_t day = 0; day < maxDays && shown < options.count; ++day) {
        const auto firings = FiringsOfDay(alarms, start, day, options.from);
        for (auto it = firings.begin(); it != firings.end() && shown < options.count;
             ++it, ++shown) {
            const std::tm tm = LocalTime(it->first);
            char when[32];
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &tm);
            PrintOut(std::string(when) + "\t" + std::to_string(it->second + 1) + "\t" +
                     EscapeControlChars(alarms[it->second]->m_strGroupFile));
        }
    }
}

const char kAddRefusal[] = "wakeburst alarms add: ";

bool RefuseAdd(const std::string& text) {
    PrintErr(kAddRefusal + text);
    return false;
}

// The group file, checked as the store will keep it: the service runs the alarm from its
// own directory, which need not be this one.
bool ReadGroupFile(const std::string& given, const std::string& baseDir, CAlarmSetting& alarm) {
    alarm.SetGroupFile(GroupFilePath(given, baseDir));
    const std::string shown = EscapeControlChars(alarm.m_strGroupFile);
    if (!StoreKeepsText(alarm.m_strGroupFile))
        return RefuseAdd(FormatText(
            WB_TR("wakeburst", "--file 须为 UTF-8 名字, 提醒存储才能保存它: '%1'"), {shown}));
    // The name comes back in alarms list and in every wake log entry, one line each.
    if (shown != alarm.m_strGroupFile)
        return RefuseAdd(
            FormatText(WB_TR("wakeburst", "--file 指定的文件名含有控制字符: '%1'"), {shown}));
    return true;
}

bool ReadWhen(const ParsedArgs& pa, CAlarmSetting& alarm) {
    std::uint8_t days = 0;
    if (!ParseDays(pa.Get("--days"), days))
        return RefuseAdd(FormatText(
            WB_TR("wakeburst", "--days 须为 sun,mon,tue,wed,thu,fri,sat 或 all, 而不是 '%1'"),
            {EscapeControlChars(pa.Get("--days"))}));
    alarm.SetDays(days);
    int hour = 0, minute = 0;
    if (!ParseTime(pa.Get("--time"), hour, minute))
        return RefuseAdd(
            FormatText(WB_TR("wakeburst", "--time 须为 00:00 到 23:59 之间的 HH:MM, 而不是 '%1'"),
                       {EscapeControlChars(pa.Get("--time"))}));
    alarm.SetHour(hour);
    alarm.SetMinute(minute);
    return true;
}

// The alarm of the options, the group file as given; false after one line.
bool ReadNewAlarm(const ParsedArgs& pa, const std::string& baseDir, CAlarmSetting& alarm) {
    if (!pa.Has("--file") || !pa.Has("--days") || !pa.Has("--time"))
        return RefuseAdd(
            FormatText(WB_TR("wakeburst", "需要 %1"), {RequiredOptions("alarms add")}));
    if (!ReadGroupFile(pa.Get("--file"), baseDir, alarm) || !ReadWhen(pa, alarm)) return false;
    const std::string broadcast = platform::CanonicalDottedQuad(pa.Get("--to", "255.255.255.255"));
    if (broadcast.empty())
        return RefuseAdd(
            FormatText(WB_TR("wakeburst", "--to 须为以点连接的四个 0..255 的数, 而不是 '%1'"),
                       {EscapeControlChars(pa.Get("--to"))}));
    alarm.SetBroadcast(broadcast);
    alarm.SetGroupFile(pa.Get("--file"));
    return true;
}

}  // namespace

int RunAlarms(const ParsedArgs& pa) {
    const std::string sub = pa.positional.empty() ? "list" : pa.positional[0];
    const CommandRow* row = FindCommand("alarms " + sub);
    if (row) SetCommandName("wakeburst alarms " + sub);
    ParsedArgs rest = pa;
    if (!rest.positional.empty()) rest.positional.erase(rest.positional.begin());
    const std::size_t n = rest.positional.size();
    if (row && n >= row->minOperands && n <= row->maxOperands && OnlyOptionsOf(*row, rest))
        return row->run(rest);
    PrintErr("wakeburst alarms: " + SubCommandsError("alarms"));
    return kExitUsage;
}

int RunAlarmsList(const ParsedArgs& pa) {
    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    CAlarmStore store(dir);
    return List(store, pa.Has("--json"));
}

int RunAlarmsNext(const ParsedArgs& pa) {
    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    CAlarmStore store(dir);
    NextOptions options;
    if (!ReadNextOptions(pa, options)) return kExitUsage;
    if (!LoadStore(store, "alarms next")) return kExitFailed;
    PrintNext(store.m_alarms, options);
    return kExitOk;
}

int RunAlarmsAdd(const ParsedArgs& pa) {
    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    CAlarmStore store(dir);
    const std::string baseDir = CurrentStartDir();
    CAlarmSetting alarm;
    if (!ReadNewAlarm(pa, baseDir, alarm)) return kExitUsage;
    // The limit and the list are those on disk at the moment of the change, whoever else
    // changes the store at the same time; the file is looked at again at that moment.
    return Report(store.UpdateAlarms([&](AlarmList& list, const StoreBytes&) {
        return AddAlarm(list, alarm, baseDir);
    }),
                  "alarms add");
}

int RunAlarmsRemove(const ParsedArgs& pa) {
    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    CAlarmStore store(dir);
    const std::string& which = pa.positional[0];
    const std::size_t n = AllDigits(which) && which.size() < 10 ? std::stoul(which) : 0;
    std::size_t held = 0;
    const AlarmOutcome outcome = store.UpdateAlarms([&](AlarmList& list, const StoreBytes&) {
        held = list.size();
        return RemoveAlarm(list, n - 1);
    });
    if (outcome.code != AlarmOutcome::Code::NoSuchAlarm) return Report(outcome, "alarms remove");
    PrintErr(
        FormatText(WB_TR("wakeburst", "wakeburst alarms remove: 没有提醒 '%1' (列表中有 %2 个)"),
                   {EscapeControlChars(which), std::to_string(held)}));
    return kExitUsage;
}

}  // namespace wb::cli
