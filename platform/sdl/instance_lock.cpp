// The single-instance lock as an abstract unix socket: the kernel releases the name when the
// process ends, however it ends, so a crashed game never blocks the next start.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/instance_lock.h"

namespace platform {

bool AcquireInstanceLock(const char* className) {
    static int heldSocket = -1;
    if (heldSocket >= 0) return true;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true; // no way to tell; let the game run rather than refuse it
    std::string name = std::string(className) + ":" + std::to_string(getuid());
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    size_t length = std::min(name.size(), sizeof(addr.sun_path) - 1);
    std::memcpy(addr.sun_path + 1, name.data(), length); // leading NUL: the abstract namespace
    auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), size) != 0) {
        close(fd);
        return false;
    }
    heldSocket = fd;
    return true;
}

} // namespace platform
