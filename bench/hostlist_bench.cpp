// ReadHostList over a generated 100,000-line host list, and, where the network lab can be
// built (root), the whole "wakeburst scan" of the lab's /24. The lab uses 198.51.100.0/24
// inside namespaces of its own only.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "hostlist/host_list_reader.h"
#include "hostlist/host_list_writer.h"

#ifdef WAKEBURST_LAB_BENCH
#include "lab/lab_network.h"
#endif

namespace {

// About 5 MB: the created header, then entries with names of varying length, a comment now
// and then, and a bad line every thousand lines so the report is exercised too.
std::string MakeHostList(int lines) {
    std::string text = wb::HostListFileBytes({});
    char buf[160];
    for (int i = 0; i < lines; ++i) {
        const int a = (i >> 16) & 0xFF, b = (i >> 8) & 0xFF, c = i & 0xFF;
        if (i % 1000 == 999) {
            std::snprintf(buf, sizeof buf, "10.%d.%d.%d\tno-ethernet-here\r\n", a, b, c);
        } else {
            std::snprintf(buf, sizeof buf,
                          "10.%d.%d.%d\tws-%06d.lan\t02-00-5e-%02x-%02x-%02x"
                          "%s\r\n",
                          a, b, c, i, a, b, c, i % 10 == 0 ? "\t# rack 7, shelf 3" : "");
        }
        text += buf;
    }
    return text;
}

void BM_ReadHostList(benchmark::State& state) {
    const std::string bytes = MakeHostList(static_cast<int>(state.range(0)));
    char path[] = "/tmp/wb-hostlist-bench-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) {
        state.SkipWithError("mkstemp failed");
        return;
    }
    close(fd);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::string report;
    std::vector<std::string> addresses;
    for (auto _ : state) {
        addresses.clear();
        benchmark::DoNotOptimize(wb::ReadHostList(path, report, addresses));
    }
    std::remove(path);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["addresses"] = static_cast<double>(addresses.size());
}
BENCHMARK(BM_ReadHostList)->Arg(100000)->Unit(benchmark::kMillisecond);

#ifdef WAKEBURST_LAB_BENCH
// One full scan per iteration from an empty neighbour table. With the sink every address of
// the subnet answers; without it 251 addresses stay silent until resolution gives up.
void BM_LabScan(benchmark::State& state) {
    std::string why;
    if (!wb::test::LabNetwork::CanRun(why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    wb::test::LabNetwork lab;
    if (!lab.Up(why, state.range(0) != 0)) {
        state.SkipWithError(("lab not built: " + why).c_str());
        return;
    }
    char dir[] = "/tmp/wb-scan-bench-XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("mkdtemp failed");
        return;
    }
    for (auto _ : state) {
        lab.FlushHostNeighbours();
        const auto start = std::chrono::steady_clock::now();
        auto r = lab.RunInHost({WAKEBURST_CLI, "scan", "-o", "bench"}, dir);
        const auto end = std::chrono::steady_clock::now();
        if (r.exitCode != 0) {
            state.SkipWithError(("scan failed: " + r.err).c_str());
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    wb::test::Shell(std::string("rm -rf ") + dir);
}
BENCHMARK(BM_LabScan)
    ->ArgName("sink")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace
