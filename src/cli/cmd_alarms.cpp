#include <algorithm>
#include <cctype>
#include <filesystem>

#include "alarm/alarm_store.h"
#include "base/message_box.h"
#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "platform/file_path.h"

namespace wb::cli {

namespace {

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

// Four numbers 0..255, stored in plain decimal: a leading zero would make the address
// conversion read the number as octal.
bool ParseBroadcast(const std::string& text, std::string& canonical) {
    canonical.clear();
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = text.find('.', start);
        if ((part < 3) == (dot == std::string::npos)) return false;
        const std::string num = text.substr(start, dot - start);
        if (!AllDigits(num) || num.size() > 3 || std::stoi(num) > 255) return false;
        if (part) canonical += '.';
        canonical += std::to_string(std::stoi(num));
        start = dot + 1;
    }
    return true;
}

std::string DaysText(std::uint8_t days) {
    std::string s;
    for (int d = 0; d < 7; ++d)
        s += (days & WeekdayBit(d)) ? kDayLetters[d] : '-';
    return s;
}

std::string TwoDigits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

// Loads the store; false (the reason already shown) when it exists but cannot be read.
bool LoadStore(CAlarmStore& store, const std::string& command) {
    switch (store.LoadAlarmsWithResult()) {
        case CAlarmStore::LoadResult::Loaded:
            return true;
        case CAlarmStore::LoadResult::Damaged:
            return false;
        case CAlarmStore::LoadResult::NotOpened:
            break;
    }
    std::error_code ec;
    if (!std::filesystem::exists(platform::PathFromUtf8(store.StorePath()), ec)) return true;
    PrintErr("wakeburst " + command + ": cannot read " + store.StorePath());
    return false;
}

// The exit code of a change of the store, saying what went wrong where nobody has yet.
int ExitFor(const CAlarmStore& store, CAlarmStore::UpdateResult result,
            const std::string& command) {
    using R = CAlarmStore::UpdateResult;
    switch (result) {
        case R::Saved:
            return kExitOk;
        case R::Unreadable:
            PrintErr("wakeburst " + command + ": cannot read " + store.StorePath());
            break;
        case R::NotLocked:
        case R::Refused:
        case R::Damaged:
        case R::NotSaved:
            break;
    }
    return kExitFailed;
}

int List(CAlarmStore& store) {
    if (!LoadStore(store, "alarms")) return kExitFailed;
    for (std::size_t i = 0; i < store.m_alarms.size(); ++i) {
        const CAlarmSetting& a = *store.m_alarms[i];
        PrintOut(std::to_string(i + 1) + "\t" + DaysText(a.m_nDays) + "\t" + TwoDigits(a.m_nHour) +
                 ":" + TwoDigits(a.m_nMinute) + "\t" + a.m_strBroadcast + "\t" + a.m_strGroupFile);
    }
    return kExitOk;
}

int Add(CAlarmStore& store, const ParsedArgs& pa) {
    const char* usage = "wakeburst alarms add: ";
    if (!pa.Has("--file") || !pa.Has("--days") || !pa.Has("--time")) {
        PrintErr(std::string(usage) + "needs --file F --days LIST --time HH:MM");
        return kExitUsage;
    }
    CAlarmSetting alarm;
    alarm.SetGroupFile(pa.Get("--file"));
    std::uint8_t days = 0;
    if (!ParseDays(pa.Get("--days"), days)) {
        PrintErr(std::string(usage) + "--days takes sun,mon,tue,wed,thu,fri,sat or all, not '" +
                 pa.Get("--days") + "'");
        return kExitUsage;
    }
    alarm.SetDays(days);
    int hour = 0, minute = 0;
    if (!ParseTime(pa.Get("--time"), hour, minute)) {
        PrintErr(std::string(usage) + "--time takes HH:MM from 00:00 to 23:59, not '" +
                 pa.Get("--time") + "'");
        return kExitUsage;
    }
    alarm.SetHour(hour);
    alarm.SetMinute(minute);
    std::string broadcast;
    if (!ParseBroadcast(pa.Get("--to", "255.255.255.255"), broadcast)) {
        PrintErr(std::string(usage) + "--to takes four numbers 0..255 joined by points, not '" +
                 pa.Get("--to") + "'");
        return kExitUsage;
    }
    alarm.SetBroadcast(broadcast);

    // The limit and the list are those on disk at the moment of the change, whoever else
    // changes the store at the same time.
    const auto result = store.UpdateAlarms([&alarm](AlarmList& list, const StoreBytes&) {
        if (list.size() >= kMaxAlarms) {
            ShowMessageBox("组 " + std::to_string(kMaxAlarms) + " 允许的最大值.");
            return false;
        }
        std::error_code ec;
        const std::filesystem::path file = platform::PathFromUtf8(alarm.m_strGroupFile);
        if (!std::filesystem::exists(file, ec) || std::filesystem::is_directory(file, ec)) {
            ShowMessageBox(FormatString1(IDS_FILE_NOT_FOUND, alarm.m_strGroupFile));
            return false;
        }
        list.push_back(std::make_shared<CAlarmSetting>(alarm));
        return true;
    });
    return ExitFor(store, result, "alarms add");
}

int Remove(CAlarmStore& store, const std::string& which) {
    const std::size_t n = AllDigits(which) && which.size() < 10 ? std::stoul(which) : 0;
    bool outOfRange = false;
    const auto result = store.UpdateAlarms([&](AlarmList& list, const StoreBytes&) {
        if (n < 1 || n > list.size()) {
            PrintErr("wakeburst alarms remove: no alarm '" + which + "' (the list holds " +
                     std::to_string(list.size()) + ")");
            outOfRange = true;
            return false;
        }
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(n - 1));
        return true;
    });
    return outOfRange ? kExitUsage : ExitFor(store, result, "alarms remove");
}

}  // namespace

int RunAlarms(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {"--dir", "--file", "--days", "--time", "--to"}, {}, pa, error)) {
        PrintErr("wakeburst alarms: " + error);
        return kExitUsage;
    }
    const std::vector<std::string>& pos = pa.positional;
    const std::string sub = pos.empty() ? "list" : pos[0];
    const bool addOptions =
        pa.Has("--file") || pa.Has("--days") || pa.Has("--time") || pa.Has("--to");
    CAlarmStore store(ResolveStartDir(pa.Get("--dir")));
    if (sub == "list" && pos.size() <= 1 && !addOptions) return List(store);
    if (sub == "add" && pos.size() == 1) return Add(store, pa);
    if (sub == "remove" && pos.size() == 2 && !addOptions) return Remove(store, pos[1]);
    PrintErr(
        "wakeburst alarms: expects list, add --file F --days LIST --time HH:MM [--to A.B.C.D], "
        "or remove N");
    return kExitUsage;
}

}  // namespace wb::cli
