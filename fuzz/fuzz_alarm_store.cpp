// The alarm-store decoder over arbitrary bytes. It either refuses, leaving the list empty,
// or returns a list that the encoder writes as a store which decodes to the same list and
// which the encoder then writes back to the same bytes. (A first write-back may differ from
// the input where the archive allows several forms: a long length prefix for a short text,
// the large count or object tag, trailing bytes, a text that is not GBK.)
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "alarm/alarm_store_codec.h"
#include "fuzz_support.h"

namespace {

// The same alarms, field by field.
bool Same(const wb::AlarmList& a, const wb::AlarmList& b) {
    const auto fields = [](const wb::CAlarmSetting& x) {
        return std::tie(x.m_strGroupFile, x.m_nDays, x.m_nHour, x.m_nMinute, x.m_strBroadcast);
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const auto& x, const auto& y) {
        return x && y && fields(*x) == fields(*y);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    wb::AlarmList list = {std::make_shared<wb::CAlarmSetting>()};
    if (!wb::DecodeAlarmStore(bytes, list)) {
        FUZZ_CHECK(list.empty());
        return 0;
    }
    for (const wb::AlarmPtr& rec : list)
        FUZZ_CHECK(rec != nullptr);
    // Every record takes at least 13 bytes behind the 2-byte count: a count alone cannot
    // conjure up records.
    FUZZ_CHECK(2 + list.size() * 13 <= size);

    const std::string written = wb::EncodeAlarmStore(list);
    wb::AlarmList again;
    FUZZ_CHECK(wb::DecodeAlarmStore(written, again));
    FUZZ_CHECK(Same(list, again));
    FUZZ_CHECK(wb::EncodeAlarmStore(again) == written);
    return 0;
}
