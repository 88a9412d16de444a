#pragma once

#include <cstdint>

namespace wb::platform {

// Whether the process at the other end of a connected local (Unix-domain) socket runs as
// the same user as this one. On Windows the named pipe's default access already keeps
// other users out, so this is true there.
bool IsPeerSameUser(std::intptr_t socketDescriptor);

}  // namespace wb::platform
