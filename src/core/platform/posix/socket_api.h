#pragma once

// The system's socket interface on POSIX systems; the build puts this folder or win32/ on
// the include path, so that code common to both includes "socket_api.h" alone.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
