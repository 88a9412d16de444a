#pragma once

#include <string>
#include <string_view>

#include "alarm/alarm_setting.h"

namespace wb {

// The alarm store "DwnGs" is the archive encoding of the list: a 16-bit count (0xFFFF and
// a 32-bit count from 65535 on), then each record behind an object header, the first
// introducing the class "CAlarmSetting" with schema 1, every later one referring to it as
// 0x8001. Numbers are little-endian; texts are GB18030 on disk behind a 1, 3 or 7 byte
// length prefix.
std::string EncodeAlarmStore(const AlarmList& list);

// Reads a store. False for anything the writer would not produce in its numbering (a short
// file, another class or schema, a null entry or a back-reference, a malformed header);
// `out` is then empty. Bytes after the last record are ignored.
bool DecodeAlarmStore(std::string_view bytes, AlarmList& out);

// Whether a text comes back from the store exactly as it went in. Bytes that are not UTF-8
// are stored as they are and may read back as other characters.
bool StoreKeepsText(const std::string& utf8);

}  // namespace wb
