#include "lab/lab_network.h"

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

extern char** environ;

namespace wb::test {

namespace {

constexpr const char* kNet = "198.51.100";

bool Run(const std::string& cmd, std::string& error) {
    if (Shell(cmd + " >/dev/null 2>&1")) return true;
    error = "failed: " + cmd;
    return false;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Labs of test processes that died without cleaning up are removed before a new one starts.
void RemoveStaleLabs() {
    auto r = RunProcess({"ip", "netns", "list"});
    std::regex re("^wb([0-9]+)(h|sw|sk|p[0-9])\\b");
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (!std::regex_search(line, m, re)) continue;
        pid_t pid = static_cast<pid_t>(std::stol(m[1]));
        if (kill(pid, 0) == 0) continue;
        std::string ns = "wb" + m[1].str() + m[2].str();
        Shell("ip netns del " + ns + " >/dev/null 2>&1");
        Shell("rm -rf /etc/netns/" + ns);
    }
}

}  // namespace

bool LabNetwork::CanRun(std::string& why) {
    if (geteuid() != 0) {
        why = "the network lab needs root (network namespaces)";
        return false;
    }
    return true;
}

LabNetwork::LabNetwork() {
    m_prefix = "wb" + std::to_string(getpid());
    m_hostNs = m_prefix + "h";
    m_switchNs = m_prefix + "sw";
}

LabNetwork::~LabNetwork() { Down(); }

bool LabNetwork::Up(std::string& error, bool withSink) {
    LabOptions options;
    options.sink = withSink;
    return Up(error, options);
}

bool LabNetwork::Up(std::string& error, const LabOptions& options) {
    const bool withSink = options.sink;
    const std::string prefixLength = options.secondLink ? "/25" : "/24";
    RemoveStaleLabs();
    m_up = true;  // from here on Down() has something to remove, whatever fails
    char tmpl[] = "/tmp/wakeburst-lab-XXXXXX";
    if (!mkdtemp(tmpl)) {
        error = "mkdtemp failed";
        return false;
    }
    m_workDir = tmpl;

    const std::string sw = m_switchNs;
    if (!Run("ip netns add " + sw, error) || !Run("ip -n " + sw + " link set lo up", error) ||
        !Run("ip -n " + sw + " link add br0 type bridge", error) ||
        !Run("ip -n " + sw + " link set br0 up", error))
        return false;
    if (options.secondLink && (!Run("ip -n " + sw + " link add br1 type bridge", error) ||
                               !Run("ip -n " + sw + " link set br1 up", error)))
        return false;

    struct Node {
        std::string ns, ip, mac, name;
        std::string bridge = "br0";
        std::string dev = "eth0";
        bool recorder = true;
    };
    std::vector<Node> nodes = {{m_hostNs, std::string(kNet) + ".37", "02:00:5e:00:00:37", ""}};
    nodes.front().recorder = false;
    const char* names[] = {"peer-a", "peer-b", ""};
    for (int i = 0; i < 3; ++i) {
        std::string octet = std::to_string(10 + i);
        nodes.push_back({m_prefix + "p" + std::to_string(i + 1), std::string(kNet) + "." + octet,
                         "02:00:5e:00:00:" + octet, names[i]});
    }
    if (withSink) nodes.push_back({m_prefix + "sk", "", "02:00:5e:00:00:fe", ""});
    if (options.secondLink) {
        nodes.push_back(
            {m_hostNs, std::string(kNet) + ".137", "02:00:5e:00:01:37", "", "br1", "eth1", false});
        nodes.push_back(
            {m_prefix + "p4", std::string(kNet) + ".140", "02:00:5e:00:00:40", "", "br1"});
    }
    if (options.sleeper) {
        m_sleeperNs = m_prefix + "p5";
        nodes.push_back({m_sleeperNs, std::string(kNet) + ".13", "02:00:5e:00:00:13", "", "br0",
                         "eth0", false});
    }

    int port = 0;
    for (const Node& n : nodes) {
        const std::string veth = "v" + std::to_string(port++);
        const std::string dev = " dev " + n.dev;
        if ((n.dev == "eth0" && !Run("ip netns add " + n.ns, error)) ||
            (n.dev == "eth0" && !Run("ip -n " + n.ns + " link set lo up", error)) ||
            !Run("ip -n " + sw + " link add " + veth + " type veth peer name " + n.dev + " netns " +
                     n.ns,
                 error) ||
            !Run("ip -n " + sw + " link set " + veth + " master " + n.bridge, error) ||
            !Run("ip -n " + sw + " link set " + veth + " up", error) ||
            !Run("ip -n " + n.ns + " link set " + n.dev + " address " + n.mac, error))
            return false;
        if (!n.ip.empty() &&
            !Run("ip -n " + n.ns + " addr add " + n.ip + prefixLength + dev, error))
            return false;
        if (options.ipv6 && n.bridge == "br0" && !n.ip.empty()) {
            const std::string octet = n.ip.substr(n.ip.rfind('.') + 1);
            if (!Run("ip -n " + n.ns + " addr add 2001:db8::" + octet + "/64" + dev + " nodad",
                     error) ||
                !Run("ip -n " + n.ns + " addr add fe80::" + octet + "/64" + dev + " nodad", error))
                return false;
        }
        if (!Run("ip -n " + n.ns + " link set " + n.dev + " up", error)) return false;
    }
    if (!Run("ip -n " + m_hostNs + " route add default dev eth0", error)) return false;
    if (options.secondLink &&
        !Run("ip -n " + m_hostNs + " link add dn0 type veth peer name dn1", error))
        return false;
    if (options.sleeper) {
        // Asleep: its link is down until the watcher on the bridge sees its wake-up frame.
        if (!Run("ip -n " + m_sleeperNs + " link set eth0 down", error)) return false;
        if (!Spawn({"ip", "netns", "exec", sw, LAB_SLEEPER, "br0", "02-00-5e-00-00-13", "2000",
                    m_sleeperNs},
                   error))
            return false;
    }

    if (withSink) {
        // Every other address of the subnet lives here, so that polls can be counted.
        std::string batch = m_workDir + "/sink.batch";
        std::ofstream b(batch);
        for (int k = 1; k <= 254; ++k) {
            if (k == 37 || (k >= 10 && k <= 12)) continue;
            b << "addr add " << kNet << "." << k << "/24 dev eth0\n";
        }
        b.close();
        if (!Run("ip -n " + m_prefix + "sk -batch " + batch, error)) return false;
    }

    // The host's own name resolves to its lab address; some peers have names, one has not;
    // the resolver points at nothing, so unknown names fail at once.
    char hostname[256] = {};
    gethostname(hostname, sizeof hostname - 1);
    const std::string etc = "/etc/netns/" + m_hostNs;
    Shell("mkdir -p " + etc);
    {
        std::ofstream hosts(etc + "/hosts");
        hosts << "127.0.0.1\tlocalhost\n" << kNet << ".37\t" << hostname << "\n";
        for (std::size_t i = 1; i < nodes.size(); ++i) {
            if (!nodes[i].name.empty()) hosts << nodes[i].ip << "\t" << nodes[i].name << "\n";
        }
        std::ofstream resolv(etc + "/resolv.conf");
        resolv << "nameserver 127.0.0.1\noptions timeout:1 attempts:1\n";
    }

    for (std::size_t i = 1; i < nodes.size(); ++i) {
        if (!nodes[i].recorder) continue;
        std::string mac = nodes[i].mac;
        for (char& c : mac) {
            if (c == ':') c = '-';
        }
        std::string file = m_workDir + "/" + nodes[i].ns + ".rec";
        if (!nodes[i].ip.empty())
            m_peers.push_back({nodes[i].ns, nodes[i].ip, mac, nodes[i].name});
        else
            m_sinkFile = file;
        m_recordFiles.push_back(file);
        if (!Spawn({"ip", "netns", "exec", nodes[i].ns, LAB_RECORDER, "2304,40000", file}, error))
            return false;
        // The recorder creates its file once it is bound.
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        struct stat st {};
        while (stat(file.c_str(), &st) != 0) {
            if (std::chrono::steady_clock::now() > until) {
                error = "recorder did not start in " + nodes[i].ns;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return true;
}

bool LabNetwork::Spawn(std::vector<std::string> argv, std::string& error) {
    std::vector<char*> args;
    for (auto& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        error = "cannot start " + argv[4];
        return false;
    }
    m_recorderPids.push_back(pid);
    return true;
}

void LabNetwork::Down() {
    if (!m_up) return;
    m_up = false;
    for (int pid : m_recorderPids) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    m_recorderPids.clear();
    for (const char* suffix : {"h", "sw", "sk", "p1", "p2", "p3", "p4", "p5"}) {
        Shell("ip netns del " + m_prefix + suffix + " >/dev/null 2>&1");
    }
    Shell("rm -rf /etc/netns/" + m_hostNs);
    if (!m_workDir.empty()) Shell("rm -rf " + m_workDir);
}

ProcessResult LabNetwork::RunInHost(const std::vector<std::string>& argv, const std::string& cwd) {
    std::vector<std::string> full = {"ip", "netns", "exec", m_hostNs};
    full.insert(full.end(), argv.begin(), argv.end());
    return RunProcess(full, cwd);
}

std::vector<std::string> LabNetwork::ReadRecord(const std::string& file) {
    // Datagrams may still be on their way through the bridge.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::vector<std::string> out;
    std::istringstream lines(ReadFile(file));
    std::string line;
    while (std::getline(lines, line))
        out.push_back(line);
    return out;
}

std::vector<std::string> LabNetwork::Received(std::size_t peer) {
    return ReadRecord(m_recordFiles.at(peer));
}

std::vector<long long> LabNetwork::ReceivedTimes(std::size_t peer) {
    std::vector<long long> out;
    for (const std::string& line : ReadRecord(m_recordFiles.at(peer) + ".t"))
        out.push_back(std::stoll(line));
    return out;
}

std::vector<std::string> LabNetwork::SinkReceived() {
    return m_sinkFile.empty() ? std::vector<std::string>() : ReadRecord(m_sinkFile);
}

void LabNetwork::ClearReceived() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (const auto& f : m_recordFiles) {
        truncate(f.c_str(), 0);
        truncate((f + ".t").c_str(), 0);
    }
}

void LabNetwork::FlushHostNeighbours() {
    Shell("ip -n " + m_hostNs + " neigh flush all >/dev/null 2>&1");
}

}  // namespace wb::test
