// The single-instance lock as an flock on a file in a folder that only this user may enter: the
// kernel releases it when the last descriptor of the file closes, so a crashed game never blocks
// the next start, and another user can neither make the file nor open it to take the lock first.
// The folder is $XDG_RUNTIME_DIR, kept for the user's session alone; without it, a folder of the
// user's own in the temporary folder, which is checked before it is trusted.
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/instance_lock.h"
#include "platform/message_box.h"

namespace platform {
namespace {

int g_heldLock = -1;

// A forked child gets a copy of every descriptor, the lock's too, and SDL shows its X11 message
// box from such a child: killed while the box is up, the game would leave the box holding the
// lock until it is clicked. Children close their copy at once, so the lock ends with this process.
void CloseLockInChild() {
    if (g_heldLock >= 0) close(g_heldLock);
    g_heldLock = -1;
}

// "Class Tessary" becomes "class-tessary": a name a shell needs no quotes for.
std::string FileNameFor(const char* className) {
    std::string name;
    for (const char* c = className; *c != '\0'; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c))
                    ? static_cast<char>(std::tolower(static_cast<unsigned char>(*c)))
                    : '-';
    return name;
}

// A real folder (not a link to one), owned by this user, that no one else may write in: no other
// user can then put a lock file of their own in it, nor swap ours for one.
bool IsOwnPrivateFolder(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The folder the lock file goes in, or "" (with the reason in why) when there is none to trust.
std::string LockFolder(const std::string& name, std::string& why) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && IsOwnPrivateFolder(runtime)) return runtime;
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
    const std::string own = base + "/" + name + "-" + std::to_string(geteuid());
    if (mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
        why = own + " cannot be made: " + std::strerror(errno);
        return "";
    }
    if (!IsOwnPrivateFolder(own)) {
        why = own + " is not a folder of this user's own";
        return "";
    }
    return own;
}

// The lock file, opened without following a link; -1 with the reason in why.
int OpenLockFile(const std::string& path, std::string& why) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        why = path + ": " + std::strerror(errno);
        return -1;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        why = path + " is not a file of this user's own";
        close(fd);
        return -1;
    }
    // Another user who could open the file could take the lock too: only its owner may.
    fchmod(fd, 0600);
    return fd;
}

} // namespace

bool AcquireInstanceLock(const char* className) {
    if (g_heldLock >= 0) return true;
    const std::string name = FileNameFor(className);
    std::string why;
    const std::string folder = LockFolder(name, why);
    const int fd = folder.empty() ? -1 : OpenLockFile(folder + "/" + name + ".lock", why);
    if (fd >= 0) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Fails only when memory is short; the game then runs with that risk rather than not
            // at all.
            pthread_atfork(nullptr, nullptr, CloseLockInChild);
            g_heldLock = fd;
            return true;
        }
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) return false;
        why = std::string("flock: ") + std::strerror(error);
    }
    // No way to tell whether another copy runs: the game runs rather than refuse to.
    OutputDebugString(("The single-instance lock is not taken (" + why + ").\n").c_str());
    return true;
}

} // namespace platform
