#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "base/translate.h"
#include "hostlist/arp_capture.h"
#include "hostlist/host_names.h"

namespace wb {

// What the creation shows while it works, and when it stops short: the status report gets
// these very texts, which tell the phase, and shows them translated (WB_TR).
inline constexpr char kStatusGetAddress[] = WB_TR_NOOP("wakeburst", "获取此主机的 IP 地址");
inline constexpr char kStatusPolling[] = WB_TR_NOOP("wakeburst", "轮询局域网内所有主机.");
inline constexpr char kStatusReadingArp[] = WB_TR_NOOP("wakeburst", "正在读取 ARP 缓存.");
inline constexpr char kStatusMapping[] = WB_TR_NOOP("wakeburst", "正在完成IP地址到主机名的映射.");
inline constexpr char kStatusNoAddress[] = WB_TR_NOOP("wakeburst", "无法获取主机 IP 地址.");
inline constexpr char kStatusNoArp[] = WB_TR_NOOP("wakeburst", "无法读取 ARP 缓存.");
inline constexpr char kArpListingMissing[] =
    WB_TR_NOOP("wakeburst", "无法读取ARP缓存.\n可能原因: ARP.EXE 和/或 CONSPAWN.EXE 不存在.");

// The host name of an IP address text, or the placeholder "*名称未被发现*" after the
// failure has been shown.
using HostNameLookup = std::function<std::string(const std::string& ipText)>;
using StatusReport = std::function<void(const std::string& text)>;

struct CreateListOptions {
    std::string listingPath = kArpListingFile;
    HostNameLookup lookup;  // empty: LookupHostNames
    LookupProgress progress;
};

// Turns the ARP listing into the host-list file at `path`: one entry per listing line with
// one IP address and one Ethernet address, in listing order, each with its host name. The
// listing is deleted after success only. Failures are shown as messages.
bool CreateHostListFile(const std::string& path);
bool CreateHostListFile(const std::string& path, const CreateListOptions& options);

// The whole creation, as the dialog and the command line run it: find this host's address,
// poll the subnet given by `maskText`, capture the ARP cache, write the file. Each phase is
// announced through `status` (one of the kStatus texts, untranslated), and so is a failure.
bool RunHostListCreation(const std::string& maskText, const std::string& path,
                         const StatusReport& status, const CreateListOptions& options = {});

}  // namespace wb
