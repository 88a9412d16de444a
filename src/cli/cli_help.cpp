#include "cli/cli_help.h"

#include <map>

namespace wb::cli {

namespace {

// Options that send and wake share.
constexpr char kWakeOptions[] =
    "  --to DEST          IPv4 address, broadcast or name (default 255.255.255.255), or an IPv6\n"
    "                     address, with a scope for link-local and multicast (fe80::1%eth0,\n"
    "                     ff02::1%eth0)\n"
    "  --port N           UDP port 1..65535 (default 2304)\n"
    "  --repeat N         frames per host, 1..100 (default 1)\n"
    "  --interval MS      pause between repeats, 0..60000 ms (default 100)\n"
    "  --interface IF     send through this network interface only (with a broadcast: out of "
    "IF)\n"
    "  --password PW      SecureOn password appended to the frame: six bytes written like an\n"
    "                     Ethernet address (frame of 108 bytes) or four bytes as a dotted IPv4\n"
    "                     address (106)\n"
    "  --wait SECONDS     after sending, wait until the host answers; exit 0 when it did, 3 when\n"
    "                     the time ran out\n";

constexpr char kWakeTail[] =
    "  -q, --quiet        no output lines (errors still print)\n"
    "  --                 ends the options\n"
    "  -h, --help         this help\n"
    "exit status: 0 done, 1 the operation failed, 2 bad input or usage, 3 a host did not\n"
    "answer in time (--wait)\n";

constexpr char kDirOption[] =
    "  --dir DIR          the directory of the alarm store DwnGs and the wake log Dawnly.log\n"
    "                     (default: the current directory)\n";

constexpr char kHelpOption[] = "  -h, --help         this help\n";

std::map<std::string, std::string> HelpTexts() {
    const std::string dir = kDirOption, help = kHelpOption;
    return {
        {"send",
         "usage: wakeburst send [options] ETHERNET...\n"
         "       wakeburst send [options] -\n"
         "Wakes each address (several allowed); with -, the Ethernet addresses on standard\n"
         "input, one a line. ETHERNET is six pairs: 00-A0-C9-12-34-56, 00.a0.c9.12.34.56,\n"
         "00a0c9123456 or 00:a0:c9:12:34:56; the all-zero and broadcast addresses are refused.\n"
         "options:\n" +
             std::string(kWakeOptions) +
             "  --host IP          the host to wait for when DEST is not the host itself\n" +
             kWakeTail},
        {"wake",
         "usage: wakeburst wake [options] FILE\n"
         "Wakes every host of a host list (.mp) and appends the outcome to the wake log; a\n"
         "line of the list it cannot use makes it exit 1, after the others were woken.\n"
         "options:\n" +
             std::string(kWakeOptions) +
             "                     (every host of the list whose line has an IP address)\n" + dir +
             kWakeTail},
        {"check",
         "usage: wakeburst check FILE\n"
         "Prints the Ethernet addresses of a host list (.mp), one a line; the lines it cannot\n"
         "use are reported on standard error and make it exit 1.\n"
         "options:\n" +
             help},
        {"scan",
         "usage: wakeburst scan [--mask A.B.C.D] [-o NAME]\n"
         "Builds a host list of this subnet from the hosts that answer (through the ARP cache).\n"
         "options:\n"
         "  --mask A.B.C.D     the subnet mask (default 255.255.255.0)\n"
         "  -o NAME            the file to write, .mp added when missing (default 新建组.mp)\n" +
             help},
        {"import",
         "usage: wakeburst import [--format auto|ethers|csv|plain|neigh|json] INPUT|- -o OUT.mp\n"
         "Writes a host list from another tool's list: ethers lines (ETHERNET and a name or\n"
         "an address, # comments), CSV (RFC 4180) whose header names the columns ip, name\n"
         "and mac (also ip_address, address, hostname, host, mac_address, ethernet, hwaddr;\n"
         "any case and order; fields split at , or ;), plain lines of Ethernet addresses\n"
         "written with : or -, the neighbour tables of ip neigh, arp -an, arp -n and\n"
         "/proc/net/arp (failed and incomplete entries left out), or the JSON of export.\n"
         "A host without an IP address gets the address its name resolves to, else 0.0.0.0;\n"
         "a name that a host list cannot hold as it is is changed, and said so. Lines that\n"
         "cannot be read are reported with their numbers; exit 1 when none could be read.\n"
         "options:\n"
         "  --format auto|ethers|csv|plain|neigh|json\n"
         "                     the form of INPUT (default auto: JSON when it starts with [,\n"
         "                     CSV when the first line is a header naming a mac column, a\n"
         "                     neighbour table when it starts like one, else ethers or plain)\n"
         "  -o OUT.mp          the host list to write (replaced as a whole)\n" +
             help},
        {"export",
         "usage: wakeburst export [--format csv|ethers|json] FILE.mp\n"
         "Prints the hosts of a host list (its Ethernet addresses, with the IP address and\n"
         "name of their line) in UTF-8: CSV with the header ip,name,mac, ethers lines, or a\n"
         "JSON array of objects {\"ip\",\"name\",\"mac\"}. A CSV field that a spreadsheet\n"
         "would run as a formula gets a leading '; control characters are written as _.\n"
         "ethers names a host by its IP address where the name would not read back whole.\n"
         "How many entries were left out, and why, is said on stderr.\n"
         "options:\n"
         "  --format csv|ethers|json\n"
         "                     the form to print (default csv)\n" +
             help},
        {"alarms",
         "usage: wakeburst alarms list [--json] [--dir DIR]\n"
         "       wakeburst alarms add --file F --days LIST --time HH:MM [--to A.B.C.D] [--dir "
         "DIR]\n"
         "       wakeburst alarms remove N [--dir DIR]\n"
         "       wakeburst alarms next [--count N] [--from \"YYYY-MM-DD HH:MM\"] [--dir DIR]\n"
         "The weekly group alarms; list is the default. wakeburst alarms SUBCOMMAND --help\n"
         "tells each one's options.\n"
         "options:\n" +
             dir + help},
        {"alarms list",
         "usage: wakeburst alarms list [--json] [--dir DIR]\n"
         "Prints the alarms one per line: number, days (SMTWTFS), time, broadcast address and\n"
         "host-list file.\n"
         "options:\n"
         "  --json             a JSON array of objects {\"index\",\"days\",\"time\",\n"
         "                     \"broadcast\",\"file\"}\n" +
             dir + help},
        {"alarms add",
         "usage: wakeburst alarms add --file F --days LIST --time HH:MM [--to A.B.C.D] [--dir "
         "DIR]\n"
         "Adds an alarm that wakes the hosts of a host list on these days at this time.\n"
         "options:\n"
         "  --file F           the host list to wake\n"
         "  --days all|sun|mon|tue|wed|thu|fri|sat[,...]\n"
         "                     all, or any of the days joined by commas\n"
         "  --time HH:MM       the local time, 00:00 to 23:59\n"
         "  --to A.B.C.D       the broadcast address (default 255.255.255.255)\n" +
             dir + help},
        {"alarms remove",
         "usage: wakeburst alarms remove N [--dir DIR]\n"
         "Removes alarm number N (as alarms list numbers them).\n"
         "options:\n" +
             dir + help},
        {"alarms next",
         "usage: wakeburst alarms next [--count N] [--from \"YYYY-MM-DD HH:MM\"] [--dir DIR]\n"
         "Prints the coming firings by the local clock: date and time, alarm number and\n"
         "host-list file.\n"
         "options:\n"
         "  --count N          how many firings (default 10)\n"
         "  --from \"YYYY-MM-DD HH:MM\"\n"
         "                     from this local time on (default: now)\n" +
             dir + help},
        {"tick",
         "usage: wakeburst tick [--at \"YYYY-MM-DD HH:MM\"] [--dir DIR]\n"
         "One scheduler tick: wakes the groups whose alarms are due at that minute.\n"
         "options:\n"
         "  --at \"YYYY-MM-DD HH:MM\"\n"
         "                     the local minute of the tick (default: now)\n" +
             dir + help},
        {"run-alarms",
         "usage: wakeburst run-alarms [--dir DIR]\n"
         "Runs the scheduler without a window until SIGINT or SIGTERM, and reloads the alarm\n"
         "store when it changes on disk.\n"
         "options:\n" +
             dir + help},
        {"log",
         "usage: wakeburst log [--tail N] [--dir DIR]\n"
         "Prints the wake log in UTF-8 with plain line feeds.\n"
         "options:\n"
         "  --tail N           only the last N entries\n" +
             dir + help},
    };
}

}  // namespace

std::string CommandHelp(const std::string& name) {
    static const std::map<std::string, std::string> texts = HelpTexts();
    const auto it = texts.find(name);
    return it == texts.end() ? std::string() : it->second;
}

}  // namespace wb::cli
