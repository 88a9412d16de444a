#include "lab/lab_network.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"
#include "support/transcript.h"

namespace wb::test {

namespace {

struct LabState {
    std::string prefix = "wb" + std::to_string(getpid());
    std::string host = prefix + "h";
    std::string work;
    std::vector<LabPeer> peers;
    std::string error;
    bool up = false;
};
LabState g_lab;

// A test killed by a signal still removes its namespaces.
void OnSignal(int sig) {
    std::signal(sig, SIG_DFL);
    std::exit(128 + sig);
}

std::vector<std::string> Record(const std::string& name) {
    // Datagrams may still be on their way through the bridge.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::vector<std::string> out;
    std::istringstream lines(ReadFileBytes(g_lab.work + "/" + name));
    for (std::string line; std::getline(lines, line);)
        out.push_back(line);
    return out;
}

}  // namespace

std::string FrameHex(const std::string& ethernet) {
    std::string mac, hex = "ffffffffffff";
    for (char c : ethernet)
        if (c != '-') mac += c;
    for (int i = 0; i < 16; ++i)
        hex += mac;
    return hex;
}

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
    error = Start({withSink});
    return error.empty();
}

void LabNetwork::Down() {
    if (!g_lab.up) return;
    g_lab.up = false;
    Shell(std::string(LAB_SCRIPT) + " down " + g_lab.prefix + " " + g_lab.work);
}

void LabFixture::Build(const LabOptions& options) {
    std::string why;
    if (CanRun(why)) g_lab.error = Start(options);
}

std::string LabNetwork::Start(const LabOptions& options) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, OnSignal);
    static const bool registered = std::atexit(Down) == 0;
    (void)registered;
    char tmpl[] = "/tmp/wakeburst-lab-XXXXXX";
    if (!mkdtemp(tmpl)) return "mkdtemp failed";
    g_lab.work = tmpl;
    g_lab.up = true;  // from here on Down() has something to remove, whatever fails
    std::vector<std::string> argv = {"env",
                                     "LAB_RECORDER=" LAB_RECORDER,
                                     "LAB_SLEEPER=" LAB_SLEEPER,
                                     LAB_SCRIPT,
                                     "up",
                                     g_lab.prefix,
                                     g_lab.work};
    for (auto [on, word] : {std::pair{options.sink, "sink"},
                            {options.secondLink, "second"},
                            {options.ipv6, "ipv6"},
                            {options.sleeper, "sleeper"}})
        if (on) argv.push_back(word);
    const ProcessResult r = RunProcess(argv);
    if (r.exitCode != 0) {
        Down();
        return "lab.sh: " + r.err;
    }
    g_lab.peers.clear();
    const char* peers[][2] = {{"10", "peer-a"}, {"11", "peer-b"}, {"12", ""}, {"40", ""}};
    for (std::size_t i = 0; i < (options.secondLink ? 4 : 3); ++i) {
        g_lab.peers.push_back({g_lab.prefix + "p" + std::to_string(i + 1),
                               std::string("198.51.100.") + peers[i][0],
                               std::string("02-00-5e-00-00-") + peers[i][0], peers[i][1]});
    }
    return "";
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
    for (const char* node : {"p1", "p2", "p3", "p4", "sk"}) {
        for (const char* suffix : {".rec", ".rec.t"})
            (void)truncate((g_lab.work + "/" + node + suffix).c_str(), 0);
    }
}

const std::string& LabNetwork::HostNs() { return g_lab.host; }

const std::vector<LabPeer>& LabNetwork::Peers() { return g_lab.peers; }

ProcessResult LabNetwork::RunInHost(std::vector<std::string> argv, const std::string& cwd) {
    argv.insert(argv.begin(), {"ip", "netns", "exec", HostNs()});
    return RunProcess(argv, cwd);
}

std::vector<std::string> LabNetwork::Received(std::size_t peer) {
    return Record("p" + std::to_string(peer + 1) + ".rec");
}

std::vector<long long> LabNetwork::ReceivedTimes(std::size_t peer) {
    std::vector<long long> out;
    for (const std::string& line : Record("p" + std::to_string(peer + 1) + ".rec.t"))
        out.push_back(std::stoll(line));
    return out;
}

std::vector<std::string> LabNetwork::SinkReceived() { return Record("sk.rec"); }

void LabNetwork::ExpectAtPeers(const std::vector<std::size_t>& reached, const std::string& line,
                               std::size_t frames) {
    for (std::size_t i = 0; i < g_lab.peers.size(); ++i) {
        const bool wanted = std::find(reached.begin(), reached.end(), i) != reached.end();
        EXPECT_EQ(Received(i), std::vector<std::string>(wanted ? frames : 0, line))
            << g_lab.peers[i].ip;
    }
}

void LabNetwork::RunTranscript(const std::string& name) {
    const auto cases = ReadTranscripts("lab/" + name);
    ASSERT_FALSE(cases.empty()) << name;
    for (const TranscriptCase& c : cases) {
        SCOPED_TRACE(name + ": " + c.title);
        std::vector<std::string> argv = {WAKEBURST_CLI};
        std::string out, err;
        int exitCode = 0;
        std::vector<std::vector<std::string>> received(Peers().size());
        for (const std::string& line : c.lines) {
            const std::string rest = line.size() > 2 ? line.substr(2) : "";
            if (line[0] == '$') {
                const auto words = TranscriptWords(rest);
                argv.insert(argv.end(), words.begin(), words.end());
            } else if (line[0] == '>' || line[0] == '!') {
                (line[0] == '>' ? out : err) += TranscriptUnescape(rest) + "\n";
            } else if (line[0] == '?') {
                exitCode = std::stoi(rest);
            } else if (line[0] == '@') {
                std::string seen = rest.substr(rest.find(": ") + 2);
                if (seen.find("FRAME") != std::string::npos)
                    seen.replace(seen.find("FRAME"), 5, FrameHex("00a0c9123456"));
                std::istringstream peers(rest.substr(0, rest.find(':')));
                for (std::size_t peer; peers >> peer;)
                    received.at(peer).push_back(seen);
            }
        }
        ClearReceived();
        const TempDir dir;
        const ProcessResult r = RunInHost(argv, dir.Path());
        EXPECT_EQ(r.exitCode, exitCode);
        EXPECT_EQ(r.out, out);
        EXPECT_EQ(r.err, err);
        for (std::size_t i = 0; i < Peers().size(); ++i)
            EXPECT_EQ(Received(i), received[i]) << Peers()[i].ip;
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    }
}

void LabNetwork::FlushHostNeighbours() {
    Shell("ip -n " + HostNs() + " neigh flush all >/dev/null 2>&1");
}

}  // namespace wb::test
