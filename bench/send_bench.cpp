// Frames per second to 127.0.0.1 through SendWakeup against a bare sendto loop on the
// same kind of socket. Only the loopback address is used.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "wake/wake_socket.h"

namespace {

void BM_SendWakeup(benchmark::State& state) {
    wb::CWakeSocket s;
    s.SetDestination("127.0.0.1");
    for (auto _ : state)
        s.SendWakeup("00-A0-C9-12-34-56");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendWakeup);

void BM_BareSendto(benchmark::State& state) {
    wb::CWakeSocket s;
    s.SetDestination("127.0.0.1");
    std::uint8_t frame[102];
    const std::uint8_t mac[6] = {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56};
    wb::CWakeSocket::FillWakeupFrame(frame, 102, mac, 6);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.SendRaw(frame, sizeof frame));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareSendto);

}  // namespace
