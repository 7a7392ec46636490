// Reading and saving whole files. Reads never block, never throw and never take more than the
// caller's limit; saves never leave a half-written file in place of a good one. Text-mode files
// follow the original C library's translation: on the way out every 0x0A becomes 0x0D 0x0A; on
// the way in 0x0D 0x0A becomes 0x0A and 0x1A ends the file.
#pragma once
#include <cstddef>
#include <string>

namespace platform {

// What a read found. A missing file is usually no news (the caller has a default for it); any
// other failure is said in `refusal`, a phrase that follows the file's name in the caller's one
// line: "is a folder", "cannot be opened (Permission denied)", "holds more than 4096 bytes".
struct FileContents {
    std::string bytes;
    bool missing = false;
    std::string refusal;

    bool Read() const { return !missing && refusal.empty(); }
};

// The plain bytes of a regular file of at most maxBytes bytes. A folder, a pipe, a device, a file
// that cannot be opened or read, or one larger than maxBytes (however its size is reported) is
// refused without waiting on it and without reading past the limit. A file that shrinks while it
// is read gives the bytes that were there.
FileContents ReadWholeFile(const std::string& hostPath, size_t maxBytes);

// Replaces the file's bytes. The new bytes go into a file beside it that is synced and then
// renamed over it, so a crash at any moment leaves the old bytes or the new ones, and the folder
// is synced after the rename. A link is followed and its target replaced; the replaced file keeps
// its permissions. A file the user may not write is left alone. Where the folder takes no new file
// but the file itself is writable, the bytes are written into it in place. False, with the reason
// in `why` (a phrase as for FileContents::refusal), when nothing was saved.
bool SaveFile(const std::string& hostPath, const std::string& bytes, std::string* why = nullptr);

// SaveFile through the text-mode translation.
bool WriteTextModeFile(const std::string& hostPath, const std::string& data,
                       std::string* why = nullptr);

std::string ToTextMode(const std::string& data);
std::string FromTextMode(const std::string& bytes);

} // namespace platform
