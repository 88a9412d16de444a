#include "lab/lab_network.h"

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"

namespace wb::test {

namespace {

struct LabState {
    std::string prefix = "wb" + std::to_string(getpid());
    std::string work, error;
    std::vector<LabPeer> peers;
    bool up = false;
};
LabState g_lab;

// A test killed by a signal still removes its namespaces.
void OnSignal(int sig) {
    std::signal(sig, SIG_DFL);
    std::exit(128 + sig);
}

}  // namespace

bool LabNetwork::CanRun(std::string& why) {
    if (geteuid() == 0) return true;
    why = "the network lab needs root (network namespaces)";
    return false;
}

LabNetwork::~LabNetwork() {
    if (m_owner) Down();
}

bool LabNetwork::Up(std::string& error, bool withSink) {
    m_owner = true;
    error = Start(withSink ? "sink" : "");
    return error.empty();
}

void LabNetwork::Down() {
    if (!g_lab.up) return;
    g_lab.up = false;
    Shell(std::string(LAB_SCRIPT) + " down " + g_lab.prefix + " " + g_lab.work);
}

std::string LabNetwork::Start(const std::string& options) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, OnSignal);
    [[maybe_unused]] static const bool registered = std::atexit(Down) == 0;
    char tmpl[] = "/tmp/wakeburst-lab-XXXXXX";
    if (!mkdtemp(tmpl)) return "mkdtemp failed";
    g_lab.work = tmpl;
    g_lab.up = true;  // from here on Down() has something to remove, whatever fails
    const ProcessResult r = RunProcess({"bash", "-c",
                                        "PATH=" LAB_TOOL_DIR ":$PATH exec " LAB_SCRIPT " up " +
                                            g_lab.prefix + " " + g_lab.work + " " + options});
    if (r.exitCode != 0) {
        Down();
        return "lab.sh: " + r.err;
    }
    g_lab.peers = {{"198.51.100.10"}, {"198.51.100.11"}, {"198.51.100.12"}};
    if (options.find("second") != std::string::npos) g_lab.peers.push_back({"198.51.100.140"});
    return "";
}

void LabFixture::SetUpTestSuite() {
    std::string why;
    if (CanRun(why)) g_lab.error = Start("");
}

void LabFixture::SetUp() {
    std::string why;
    if (!CanRun(why)) GTEST_SKIP() << why;
    ASSERT_TRUE(g_lab.error.empty()) << "lab not built: " << g_lab.error;
    ASSERT_TRUE(g_lab.up);
    ClearReceived();
}

void LabNetwork::ClearReceived() {
    // Whatever an earlier test sent has arrived before the records are emptied.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (const char* node : {"p1", "p2", "p3", "p4", "sk"})
        for (const char* suffix : {".rec", ".rec.t"})
            (void)truncate((g_lab.work + "/" + node + suffix).c_str(), 0);
}

const std::string& LabNetwork::Work() { return g_lab.work; }

const std::string& LabNetwork::Prefix() { return g_lab.prefix; }

const std::vector<LabPeer>& LabNetwork::Peers() { return g_lab.peers; }

ProcessResult LabNetwork::RunInHost(std::vector<std::string> argv, const std::string& cwd) {
    argv.insert(argv.begin(), {"ip", "netns", "exec", g_lab.prefix + "h"});
    return RunProcess(argv, cwd);
}

std::vector<std::string> LabNetwork::Received(std::size_t peer) {
    // Datagrams may still be on their way through the bridge.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::vector<std::string> out;
    std::istringstream lines(ReadFileBytes(g_lab.work + "/p" + std::to_string(peer + 1) + ".rec"));
    for (std::string line; std::getline(lines, line);)
        out.push_back(line);
    return out;
}

void LabNetwork::ExpectAtPeers(const std::vector<std::size_t>& reached, const std::string& line) {
    for (std::size_t i = 0; i < g_lab.peers.size(); ++i) {
        const bool wanted = std::find(reached.begin(), reached.end(), i) != reached.end();
        EXPECT_EQ(Received(i), std::vector<std::string>(wanted, line)) << g_lab.peers[i].ip;
    }
}

void LabNetwork::FlushHostNeighbours() {
    Shell("ip -n " + g_lab.prefix + "h neigh flush all >/dev/null 2>&1");
}

}  // namespace wb::test
