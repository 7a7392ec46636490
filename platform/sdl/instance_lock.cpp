// The single-instance lock as an abstract unix socket: the kernel releases the name when the
// last descriptor of the socket closes, so a crashed game never blocks the next start. The name
// lives in the network namespace, so copies started in a namespace of their own do not meet.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <pthread.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/instance_lock.h"

namespace platform {
namespace {

int g_heldSocket = -1;

// A forked child gets a copy of every descriptor, the lock's too, and SDL shows its X11 message
// box from such a child: killed while the box is up, the game would leave the box holding the
// name until it is clicked. Children close their copy at once, so the lock ends with this process.
void CloseLockInChild() {
    if (g_heldSocket >= 0) close(g_heldSocket);
    g_heldSocket = -1;
}

} // namespace

bool AcquireInstanceLock(const char* className) {
    if (g_heldSocket >= 0) return true;
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
    // Fails only when memory is short; the game then runs with the old risk rather than not at all.
    pthread_atfork(nullptr, nullptr, CloseLockInChild);
    g_heldSocket = fd;
    return true;
}

} // namespace platform
