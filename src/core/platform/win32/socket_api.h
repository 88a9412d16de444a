#pragma once

// The system's socket interface on Windows; the build puts this folder or posix/ on the
// include path, so that code common to both includes "socket_api.h" alone.
// Winsock 2 before anything that could pull in the old winsock.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>
