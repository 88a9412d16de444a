#pragma once

#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "platform/sockets.h"
#include "wake/wake_socket.h"

namespace wb::cli {

// The options that `send` and `wake` share, read and checked before anything is sent.
struct SendOptions {
    std::string dest = "255.255.255.255";
    std::uint16_t port = kWakePort;
    WakeRounds rounds;
    std::string interfaceName;
    std::vector<std::uint8_t> password;
    std::chrono::seconds wait{0};  // 0: do not wait
    std::string host;              // --host as given
    platform::IpAddress hostAddress;
    bool quiet = false;
};

bool IsQuiet(const ParsedArgs& pa);

// Reads the options of `pa` into `out`. A bad value is refused with one line naming the
// option and the value (on stderr, prefixed by `command`); false then.
bool ReadSendOptions(const ParsedArgs& pa, const std::string& command, SendOptions& out);

// Port, password and interface onto a fresh socket. An interface that does not exist or is
// down is refused as a bad value; one that the system will not bind to is a failure.
// Returns the exit code: kExitOk when the socket is ready.
int PrepareSocket(CWakeSocket& socket, const SendOptions& options, const std::string& command);

// The destination `socket` was set to, as an address to wait for; false (and one line)
// when it reaches many hosts at once and no --host names the one to wait for.
bool WaitTarget(const CWakeSocket& socket, const SendOptions& options, const std::string& command,
                platform::IpAddress& target);

// Waits for the hosts (named by `texts` in the lines) and prints one line per host:
// awake (on stdout, unless quiet) or not in time (on stderr). kExitOk when all answered,
// kExitTimedOut otherwise.
int WaitAndReport(const std::vector<std::string>& texts,
                  const std::vector<platform::IpAddress>& hosts, const SendOptions& options);

// The report of a group wake that sent every frame: on stdout; when quiet only the lines
// about unusable lines of the list, on stderr (the count line is the normal output).
void PrintWokenReport(const std::string& report, bool quiet);

inline constexpr int kExitTimedOut = 3;

}  // namespace wb::cli
