// Holds a name in the abstract unix-socket namespace until it is killed, as any user on the
// machine may: the end-to-end tests take a name with it as another user. Says "holding" once the
// name is taken.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s NAME\n", argv[0]);
        return 2;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const size_t length = std::min(std::strlen(argv[1]), sizeof(addr.sun_path) - 1);
    std::memcpy(addr.sun_path + 1, argv[1], length); // leading NUL: the abstract namespace
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), size) != 0) {
        std::perror("bind");
        return 1;
    }
    std::puts("holding");
    std::fflush(stdout);
    pause();
}
