#include "alarm/alarm_store_codec.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/codepage.h"

namespace wb {

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
constexpr std::uint16_t kSchema = 1;
constexpr char kClassName[] = "CAlarmSetting";

void PutU16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

void PutText(std::string& out, const std::string& utf8) {
    const std::string bytes = platform::ToFileText(utf8);
    const std::size_t len = bytes.size();
    if (len < 0xFF) {
        out += static_cast<char>(len);
    } else if (len < 0xFFFE) {
        out += static_cast<char>(0xFF);
        PutU16(out, static_cast<std::uint16_t>(len));
    } else {
        out += static_cast<char>(0xFF);
        PutU16(out, 0xFFFF);
        PutU32(out, static_cast<std::uint32_t>(len));
    }
    out += bytes;
}

class Reader final {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    bool U8(std::uint8_t& v) {
        if (Remaining() < 1) return false;
        v = static_cast<std::uint8_t>(m_bytes[m_pos++]);
        return true;
    }
    bool U16(std::uint16_t& v) {
        if (Remaining() < 2) return false;
        v = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
        m_pos += 2;
        return true;
    }
    bool U32(std::uint32_t& v) {
        if (Remaining() < 4) return false;
        v = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (Byte(3) << 24);
        m_pos += 4;
        return true;
    }
    bool Raw(std::size_t n, std::string_view& v) {
        if (Remaining() < n) return false;
        v = m_bytes.substr(m_pos, n);
        m_pos += n;
        return true;
    }
    bool Text(std::string& utf8) {
        std::uint8_t b = 0;
        if (!U8(b)) return false;
        std::uint32_t len = b;
        if (b == 0xFF) {
            std::uint16_t w = 0;
            if (!U16(w)) return false;
            len = w;
            if (w == 0xFFFF && !U32(len)) return false;
        }
        std::string_view raw;
        if (!Raw(len, raw)) return false;
        utf8 = platform::FromFileText(raw);
        return true;
    }

private:
    std::uint32_t Byte(std::size_t k) const {
        return static_cast<std::uint8_t>(m_bytes[m_pos + k]);
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The archive numbers classes and objects in one sequence from 1; only class entries can
// be referred to again, since the writer never refers back to a record.
class ObjectTable final {
public:
    std::uint32_t Add(bool isClass) {
        m_isClass.push_back(isClass);
        return static_cast<std::uint32_t>(m_isClass.size());
    }
    bool IsClass(std::uint32_t index) const {
        return index >= 1 && index <= m_isClass.size() && m_isClass[index - 1];
    }

private:
    std::vector<bool> m_isClass;
};

bool ReadClassDescription(Reader& in) {
    std::uint16_t schema = 0, nameLen = 0;
    std::string_view name;
    if (!in.U16(schema) || !in.U16(nameLen) || !in.Raw(nameLen, name)) return false;
    return name == kClassName && schema == kSchema;
}

// Reads one object header; true when a CAlarmSetting record follows.
bool ReadHeader(Reader& in, ObjectTable& table) {
    std::uint16_t tag = 0;
    if (!in.U16(tag)) return false;
    if (tag == kNewClassTag) {
        if (!ReadClassDescription(in)) return false;
        table.Add(true);
    } else if (tag == kBigObjectTag) {
        std::uint32_t big = 0;
        if (!in.U32(big) || !(big & kBigClassTag) || !table.IsClass(big & ~kBigClassTag))
            return false;
    } else if (tag == kNullTag || !(tag & kClassTag) ||
               !table.IsClass(static_cast<std::uint32_t>(tag & ~kClassTag))) {
        return false;
    }
    table.Add(false);
    return true;
}

bool ReadBody(Reader& in, CAlarmSetting& rec) {
    std::uint32_t hour = 0, minute = 0;
    if (!in.Text(rec.m_strGroupFile) || !in.U8(rec.m_nDays) || !in.U32(hour) || !in.U32(minute) ||
        !in.Text(rec.m_strBroadcast))
        return false;
    rec.m_nHour = static_cast<std::int32_t>(hour);
    rec.m_nMinute = static_cast<std::int32_t>(minute);
    return true;
}

// Header plus the smallest body: tag, empty text, day, hour, minute, empty text.
constexpr std::size_t kMinRecordSize = 2 + 1 + 1 + 4 + 4 + 1;

}  // namespace

std::string EncodeAlarmStore(const AlarmList& list) {
    std::string out;
    const std::size_t count = list.size();
    if (count < 0xFFFF) {
        PutU16(out, static_cast<std::uint16_t>(count));
    } else {
        PutU16(out, 0xFFFF);
        PutU32(out, static_cast<std::uint32_t>(count));
    }
    bool classWritten = false;
    for (const AlarmPtr& rec : list) {
        if (!classWritten) {
            PutU16(out, kNewClassTag);
            PutU16(out, kSchema);
            PutU16(out, static_cast<std::uint16_t>(sizeof kClassName - 1));
            out.append(kClassName, sizeof kClassName - 1);
            classWritten = true;
        } else {
            PutU16(out, kClassTag | 1);
        }
        const CAlarmSetting empty;
        const CAlarmSetting& r = rec ? *rec : empty;
        PutText(out, r.m_strGroupFile);
        out += static_cast<char>(r.m_nDays);
        PutU32(out, static_cast<std::uint32_t>(r.m_nHour));
        PutU32(out, static_cast<std::uint32_t>(r.m_nMinute));
        PutText(out, r.m_strBroadcast);
    }
    return out;
}

bool StoreKeepsText(const std::string& utf8) {
    const auto file = platform::Utf8ToGb18030(utf8);
    if (!file) return false;
    const auto back = platform::Gb18030ToUtf8(*file);
    return back && *back == utf8;
}

bool DecodeAlarmStore(std::string_view bytes, AlarmList& out) {
    out.clear();
    Reader in(bytes);
    std::uint16_t shortCount = 0;
    if (!in.U16(shortCount)) return false;
    std::uint32_t count = shortCount;
    if (shortCount == 0xFFFF && !in.U32(count)) return false;

    // A damaged count must not make us reserve gigabytes before the first record fails.
    AlarmList list;
    list.reserve(std::min<std::size_t>(count, in.Remaining() / kMinRecordSize));
    ObjectTable table;
    for (std::uint32_t i = 0; i < count; ++i) {
        auto rec = std::make_shared<CAlarmSetting>();
        if (!ReadHeader(in, table) || !ReadBody(in, *rec)) return false;
        list.push_back(std::move(rec));
    }
    out = std::move(list);
    return true;
}

}  // namespace wb
