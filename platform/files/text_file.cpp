#include "platform/text_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// More links than this in a row are a loop, as the kernel counts them.
constexpr int kMaxLinkHops = 40;

std::string WithError(const char* what, int error) {
    return std::string(what) + " (" + std::strerror(error) + ")";
}

bool Fail(std::string* why, std::string reason) {
    if (why != nullptr) *why = std::move(reason);
    return false;
}

// Closes the descriptor however the function using it returns.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now, so that a failed close (a late write error) can be seen.
    int Close() {
        const int result = close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

const char* NotARegularFile(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder";
    if (S_ISFIFO(mode)) return "is a pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
    return "is not a regular file";
}

std::string TooLarge(size_t maxBytes) {
    return "holds more than " + std::to_string(maxBytes) + " bytes";
}

std::string FolderOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// The file a path names once every link is followed. A link to a file not yet there names the
// file it would make.
bool FollowLinks(std::string path, std::string& target, std::string* why) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::array<char, PATH_MAX> link{};
        const ssize_t length = readlink(path.c_str(), link.data(), link.size() - 1);
        if (length < 0) {
            if (errno != EINVAL && errno != ENOENT)
                return Fail(why, WithError("cannot be found", errno));
            target = path;
            return true;
        }
        std::string next(link.data(), static_cast<size_t>(length));
        if (next.front() != '/') next = FolderOf(path) + "/" + next;
        path = next;
    }
    return Fail(why, "is a loop of links");
}

bool WriteAll(int fd, const std::string& bytes, int& error) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The rename is done; a folder that cannot be synced (some file systems refuse) does not undo it.
void SyncFolder(const std::string& folder) {
    Descriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) fsync(dir.Get());
}

// No crash safety here: only for a file that may be written in a folder that takes no new file.
// The new bytes come first and the old tail goes after, so an interruption leaves the new bytes at
// the start of the file.
bool SaveInPlace(const std::string& target, const std::string& bytes, std::string* why) {
    Descriptor file(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) return Fail(why, WithError("cannot be written", errno));
    int error = 0;
    if (lseek(file.Get(), 0, SEEK_SET) != 0 || !WriteAll(file.Get(), bytes, error) ||
        ftruncate(file.Get(), static_cast<off_t>(bytes.size())) != 0 || fsync(file.Get()) != 0 ||
        file.Close() != 0)
        return Fail(why, WithError("could not be written", error != 0 ? error : errno));
    return true;
}

bool SaveBeside(const std::string& target, const struct stat* old, const std::string& bytes,
                std::string* why) {
    const std::string temp = target + ".tmp";
    // What an interrupted save left behind goes first; a link there is removed, never followed.
    unlink(temp.c_str());
    Descriptor file(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.Get() < 0) {
        const int error = errno;
        // A folder the user may not change takes no new file (nor loses a stale one), but the file
        // in it may still be written.
        if (old != nullptr && access(FolderOf(target).c_str(), W_OK) != 0)
            return SaveInPlace(target, bytes, why);
        return Fail(why, WithError("cannot be saved: no new file can be made beside it", error));
    }
    // The replaced file's permissions, where the file system keeps any (FAT refuses them).
    if (old != nullptr) (void)fchmod(file.Get(), old->st_mode & 07777);
    int error = 0;
    const bool written =
        WriteAll(file.Get(), bytes, error) && fsync(file.Get()) == 0 && file.Close() == 0;
    if (!written) {
        if (error == 0) error = errno;
        unlink(temp.c_str());
        return Fail(why, WithError("could not be written", error));
    }
    if (rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
        unlink(temp.c_str());
        return Fail(why, WithError("cannot be replaced", error));
    }
    SyncFolder(FolderOf(target));
    return true;
}

} // namespace

std::string ToTextMode(const std::string& data) {
    std::string out;
    out.reserve(data.size() + data.size() / 8);
    for (char c : data) {
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

std::string FromTextMode(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == 0x1A) break;
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out.push_back(c);
    }
    return out;
}

FileContents ReadWholeFile(const std::string& hostPath, size_t maxBytes) {
    FileContents result;
    // Without O_NONBLOCK opening a pipe would wait for a writer.
    Descriptor file(open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            result.missing = true;
        else
            result.refusal = WithError("cannot be opened", errno);
        return result;
    }
    struct stat info {};
    if (fstat(file.Get(), &info) != 0) {
        result.refusal = WithError("cannot be looked at", errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.refusal = NotARegularFile(info.st_mode);
        return result;
    }
    if (static_cast<uintmax_t>(info.st_size) > maxBytes) {
        result.refusal = TooLarge(maxBytes);
        return result;
    }
    // The reported size is only a hint: the file may grow or shrink while it is read, and some
    // files report no size at all. One byte past the limit shows that it was passed.
    std::string& bytes = result.bytes;
    bytes.resize(std::min(static_cast<size_t>(info.st_size), maxBytes) + 1);
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxBytes) break;
            bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
        }
        const ssize_t n = read(file.Get(), bytes.data() + got, bytes.size() - got);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            result.refusal = WithError("cannot be read", errno);
            bytes.clear();
            return result;
        }
        got += static_cast<size_t>(n);
    }
    if (got > maxBytes) {
        result.refusal = TooLarge(maxBytes);
        bytes.clear();
        return result;
    }
    bytes.resize(got);
    return result;
}

bool SaveFile(const std::string& hostPath, const std::string& bytes, std::string* why) {
    std::string target;
    if (!FollowLinks(hostPath, target, why)) return false;
    struct stat old {};
    if (stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT) return Fail(why, WithError("cannot be found", errno));
        return SaveBeside(target, nullptr, bytes, why);
    }
    if (!S_ISREG(old.st_mode)) return Fail(why, NotARegularFile(old.st_mode));
    // The rename would replace a file the user has made read-only; such a file is left alone.
    if (access(target.c_str(), W_OK) != 0) return Fail(why, WithError("cannot be written", errno));
    return SaveBeside(target, &old, bytes, why);
}

bool WriteTextModeFile(const std::string& hostPath, const std::string& data, std::string* why) {
    return SaveFile(hostPath, ToTextMode(data), why);
}

} // namespace platform
