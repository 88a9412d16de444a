#include "wake/host_wait.h"

#include <algorithm>
#include <iterator>
#include <thread>

#include "platform/host_probe.h"

namespace wb {

namespace {

// A round of probes starts at most this often: a host that refuses at once is not flooded.
constexpr std::chrono::milliseconds kRound{1000};
// Hosts per round: seven connections each stay well inside the usual limit of 1024 files.
constexpr std::size_t kSlice = 64;

}  // namespace

std::vector<bool> WaitForHosts(
    const std::vector<platform::IpAddress>& hosts, std::chrono::seconds timeout,
    const std::function<void(std::size_t, std::chrono::milliseconds)>& onAwake) {
    using Clock = std::chrono::steady_clock;
    const std::vector<std::uint16_t> ports(std::begin(kAwakeProbePorts),
                                           std::end(kAwakeProbePorts));
    std::vector<bool> awake(hosts.size(), false);
    const auto start = Clock::now();
    const auto deadline = start + timeout;
    std::size_t next = 0;  // where the next slice of sleeping hosts starts
    for (;;) {
        std::vector<std::size_t> slice;
        for (std::size_t k = 0; k < hosts.size() && slice.size() < kSlice; ++k) {
            const std::size_t i = (next + k) % hosts.size();
            if (!awake[i]) slice.push_back(i);
        }
        const auto roundStart = Clock::now();
        if (slice.empty() || roundStart >= deadline) break;
        next = (slice.back() + 1) % hosts.size();

        std::vector<platform::IpAddress> batch;
        for (std::size_t i : slice)
            batch.push_back(hosts[i]);
        const auto budget = std::min(
            kRound, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - roundStart));
        const std::vector<bool> answered = platform::ProbeHosts(batch, ports, budget);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        for (std::size_t k = 0; k < slice.size(); ++k) {
            if (!answered[k]) continue;
            awake[slice[k]] = true;
            if (onAwake) onAwake(slice[k], elapsed);
        }
        const auto nextRound = std::min(roundStart + kRound, deadline);
        if (std::find(awake.begin(), awake.end(), false) != awake.end())
            std::this_thread::sleep_until(nextRound);
    }
    return awake;
}

}  // namespace wb
