#include "platform/peer_user.h"

#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace wb::platform {

#if defined(__linux__)
bool IsPeerSameUser(std::intptr_t socketDescriptor) {
    ucred cred{};
    socklen_t len = sizeof cred;
    if (getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0)
        return false;
    return cred.uid == geteuid();
}
#else
bool IsPeerSameUser(std::intptr_t socketDescriptor) {
    uid_t uid = 0;
    gid_t gid = 0;
    if (getpeereid(static_cast<int>(socketDescriptor), &uid, &gid) != 0) return false;
    return uid == geteuid();
}
#endif

}  // namespace wb::platform
