#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hostlist/host_list_entry.h"
#include "platform/atomic_file.h"

namespace wb {

// The text every created host list starts with (UTF-8, line feeds). Every line that is not
// empty begins with '#', so the reader passes over all of it.
extern const char kHostListHeader[];

// The file's bytes: header and one "IP TAB name TAB Ethernet" line per entry, in GBK with
// CR LF line ends.
std::string HostListFileBytes(const std::vector<HostListEntry>& entries);

// The entry's name as its line holds it: one token that is neither an address nor a
// comment, short enough for the line to be read whole (control characters, separators and
// '#' become '_').
std::string HostListName(const HostListEntry& entry);

// Whether a file can be created where `path` points, checked before any slow work is done.
// Shows message 61450 when it cannot, or names the link that it will not write through.
bool CheckHostListWritable(const std::string& path);

// A host list written one entry at a time, so that a list of any size costs no more memory
// than a buffer; the file still replaces whatever stood at `path` in one piece, and only at
// Commit(). A failure shows message 61450 (once) and is false from then on; destroyed before
// Commit(), it leaves the old file as it was.
class CHostListFileWriter final {
public:
    explicit CHostListFileWriter(const std::string& path);
    bool Add(const HostListEntry& entry);
    bool Commit();

private:
    bool Fail(const platform::SaveResult& result = {});

    std::string m_path;
    std::optional<platform::CAtomicFileWriter> m_file;
    bool m_open = false;
};

// Writes the host list in one piece: a failure leaves whatever stood at `path` untouched,
// shows its message as CheckHostListWritable does and returns false.
bool WriteHostListFile(const std::string& path, const std::vector<HostListEntry>& entries);

}  // namespace wb
