/* The floor for a group wake: 10,000 (or argv[1]) wake-up frames to 127.0.0.1:2304 with a bare loop of
   sendto calls on one socket, nothing read or parsed. */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

int main(int argc, char** argv) {
    int count = argc > 1 ? atoi(argv[1]) : 10000;
    unsigned char frame[102];
    memset(frame, 0xFF, 6);
    for (int i = 6; i < 102; i += 6)
        memcpy(frame + i, "\x02\x00\x5e\x00\x00\x10", 6);
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    struct sockaddr_in to;
    memset(&to, 0, sizeof to);
    to.sin_family = AF_INET;
    to.sin_port = htons(2304);
    to.sin_addr.s_addr = inet_addr("127.0.0.1");
    for (int i = 0; i < count; ++i)
        sendto(fd, frame, sizeof frame, 0, (struct sockaddr*)&to, sizeof to);
    close(fd);
    return 0;
}
