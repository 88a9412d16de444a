#include "hostlist/host_names.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "base/message_box.h"
#include "platform/inet_addr.h"
#include "platform/sockets.h"
#include "wake/network_error.h"
#include "wake/wake_socket.h"

namespace wb {

namespace {

// Enough lookups at once for a whole /24 of live hosts to wait about one resolver time-out,
// few enough that the threads stay cheap whatever the listing holds.
constexpr std::size_t kMaxParallelLookups = 64;

// What one reverse lookup found, kept until its failure (if any) can be shown in turn.
struct NameLookup {
    std::uint32_t addr = platform::kInetAddrNone;
    bool found = false;
    int error = 0;
    platform::HostEnt record;
};

void ResolveOne(const std::string& ipText, NameLookup& out) {
    out.addr = ConvertDottedAddress(ipText);
    if (out.addr != platform::kInetAddrNone)
        out.found = platform::ResolveAddress(out.addr, out.record);
    if (!out.found) out.error = platform::LastNetError();
}

// The name found, or the placeholder after the failure has been shown.
std::string TakeLookup(const std::string& ipText, NameLookup& lookup) {
    if (lookup.addr == platform::kInetAddrNone) {
        ReportNetworkError(lookup.error);
        return kNameNotFound;
    }
    if (lookup.found) return std::move(lookup.record.name);
    std::string reason;
    ReportNetworkError(lookup.error, &reason);
    ShowMessageBox(ipText + "\n" + reason, MsgButtons::Ok);
    return kNameNotFound;
}

// Runs `work` on up to `wanted` threads; with none to be had, on this one.
std::vector<std::thread> StartWorkers(std::size_t wanted, const std::function<void()>& work) {
    std::vector<std::thread> workers;
    try {
        while (workers.size() < wanted)
            workers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads only make it slower; with none at all this thread does the work.
        if (workers.empty()) work();
    }
    return workers;
}

}  // namespace

std::string LookupHostName(const std::string& ipText) {
    NameLookup lookup;
    ResolveOne(ipText, lookup);
    return TakeLookup(ipText, lookup);
}

std::vector<std::string> LookupHostNames(const std::vector<std::string>& ipTexts,
                                         const LookupProgress& progress) {
    const std::size_t total = ipTexts.size();
    std::vector<NameLookup> lookups(total);
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t done = 0;
    std::vector<std::thread> workers = StartWorkers(std::min(total, kMaxParallelLookups), [&] {
        for (std::size_t i; (i = next++) < total;) {
            ResolveOne(ipTexts[i], lookups[i]);
            {
                const std::lock_guard<std::mutex> lock(mutex);
                ++done;
            }
            finished.notify_one();
        }
    });
    if (progress) progress(0, total);
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (std::size_t shown = 0; shown < total;) {
            finished.wait(lock, [&] { return done != shown; });
            shown = done;
            if (progress) {
                lock.unlock();
                progress(shown, total);
                lock.lock();
            }
        }
    }
    for (std::thread& t : workers)
        t.join();

    std::vector<std::string> names;
    names.reserve(total);
    for (std::size_t i = 0; i < total; ++i)
        names.push_back(TakeLookup(ipTexts[i], lookups[i]));
    return names;
}

}  // namespace wb
