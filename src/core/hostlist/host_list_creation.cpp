#include "hostlist/host_list_creation.h"

#include <cstdint>
#include <vector>

#include "base/message_box.h"
#include "hostlist/arp_listing.h"
#include "hostlist/host_list_writer.h"
#include "hostlist/subnet_poll.h"
#include "platform/atomic_file.h"
#include "platform/file_path.h"
#include "wake/wake_socket.h"

namespace wb {

namespace {

void Announce(const StatusReport& status, const char* text) {
    if (status) status(text);
}

}  // namespace

bool CreateHostListFile(const std::string& path) {
    return CreateHostListFile(path, CreateListOptions{});
}

bool CreateHostListFile(const std::string& path, const CreateListOptions& options) {
    std::string listing;
    if (!platform::ReadWholeFile(options.listingPath, listing) || listing.empty()) {
        ShowMessageBox(WB_TR("wakeburst", kArpListingMissing), MsgButtons::Ok);
        return false;
    }
    // Refuse before the lookups, which may each wait on the resolver or on a message.
    if (!CheckHostListWritable(path)) return false;

    std::vector<HostListEntry> entries = ParseArpListing(listing);

    if (options.lookup) {
        if (options.progress) options.progress(0, entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            entries[i].name = options.lookup(entries[i].ip);
            if (options.progress) options.progress(i + 1, entries.size());
        }
    } else {
        std::vector<std::string> ips;
        ips.reserve(entries.size());
        for (const HostListEntry& e : entries)
            ips.push_back(e.ip);
        std::vector<std::string> names = LookupHostNames(ips, options.progress);
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i].name = std::move(names[i]);
    }

    if (!WriteHostListFile(path, entries)) return false;
    platform::RemoveFile(options.listingPath);
    return true;
}

bool RunHostListCreation(const std::string& maskText, const std::string& path,
                         const StatusReport& status, const CreateListOptions& options) {
    // Polling the subnet and waiting for its answers is the slow part: a file that cannot
    // be written is refused before it.
    if (!CheckHostListWritable(path)) return false;
    CWakeSocket socket;
    Announce(status, kStatusGetAddress);
    std::uint32_t localAddr = 0;
    if (!GetLocalAddress(localAddr)) {
        Announce(status, kStatusNoAddress);
        return false;
    }
    Announce(status, kStatusPolling);
    PollSubnet(socket, localAddr, maskText);
    Announce(status, kStatusReadingArp);
    // An empty listing is judged by the conversion. A listing that could not be written at
    // all (its message shown) stops here: whatever stands at its name is not this capture's.
    if (!CaptureArpCache(options.listingPath)) {
        socket.Close();
        Announce(status, kStatusNoArp);
        return false;
    }
    Announce(status, kStatusMapping);
    const bool ok = CreateHostListFile(path, options);
    socket.Close();
    if (!ok) Announce(status, kStatusNoArp);
    return ok;
}

}  // namespace wb
