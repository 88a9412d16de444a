#include <algorithm>
#include <cstdint>

#include "base/message_box.h"
#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "wake/address_text.h"
#include "wake/wake_socket.h"

namespace wb::cli {

int RunSend(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {"--to"}, {}, pa, error) || pa.positional.size() != 1) {
        PrintErr("wakeburst send: " + (error.empty() ? "expects one Ethernet address" : error));
        return kExitUsage;
    }
    const std::string& ethernet = pa.positional[0];
    const std::string dest = pa.Get("--to", "255.255.255.255");

    // Linux tools write 00:a0:c9:12:34:56; colons read as separators here.
    std::string lenient = ethernet;
    std::replace(lenient.begin(), lenient.end(), ':', '-');
    std::uint8_t bytes[kEthernetAddressSize];
    if (!ParseEthernetAddress(lenient, bytes, kEthernetAddressSize)) {
        ShowMessageBox(FormatString1(IDS_BAD_ETHERNET, EscapeControlChars(ethernet)));
        return kExitUsage;
    }

    CWakeSocket socket;
    if (!socket.SetDestination(dest)) {
        PrintErr(EscapeControlChars(dest) + " 是无效的IP地址.");
        return kExitUsage;
    }
    socket.SendWakeup(lenient);
    socket.Close();
    PrintOut("发送到 " + EscapeControlChars(dest));
    return kExitOk;
}

}  // namespace wb::cli
