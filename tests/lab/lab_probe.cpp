// Runs one wake-socket operation inside a lab namespace and prints what it gave:
//   lab_probe local              this host's address
//   lab_probe poll MASK [FROM]   polls the subnet of this host (or of FROM)
//   lab_probe lookup IP          the name of an address
// Every message the operation shows is printed to stderr as "MSG <text>".
#include <cstdio>
#include <string>

#include "base/message_box.h"
#include "platform/inet_addr.h"
#include "wake/wake_socket.h"

int main(int argc, char** argv) {
    wb::SetMessageHandler([](const wb::MessageRequest& req) {
        std::fprintf(stderr, "MSG %s\n", req.text.c_str());
        return wb::MsgAnswer::Ok;
    });
    if (argc < 2) return 2;
    const std::string op = argv[1];
    wb::CWakeSocket s;
    char buf[16];
    if (op == "local") {
        if (!s.GetLocalAddress()) return 1;
        std::printf("%s\n",
                    std::string(wb::platform::FormatInetAddr(s.Destination().addr, buf)).c_str());
        return 0;
    }
    if (op == "poll" && argc >= 3) {
        if (argc >= 4) {
            if (!s.SetDestination(argv[3])) return 1;
        } else if (!s.GetLocalAddress()) {
            return 1;
        }
        s.PollSubnet(argv[2]);
        return 0;
    }
    if (op == "lookup" && argc == 3) {
        std::string name;
        s.LookupHostName(argv[2], name);
        std::printf("%s\n", name.c_str());
        return 0;
    }
    return 2;
}
