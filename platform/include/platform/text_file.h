// Files read and written with the text-mode translation of the original C library: on the way out
// every 0x0A becomes 0x0D 0x0A; on the way in 0x0D 0x0A becomes 0x0A and 0x1A ends the file.
#pragma once
#include <optional>
#include <string>

namespace platform {

// The whole file through the text-mode translation; nothing when it cannot be opened.
std::optional<std::string> ReadTextModeFile(const std::string& hostPath);

// Writes data through the translation. The old file is replaced only once the new one is complete,
// so a failed write never loses what was there. False when it cannot be written.
bool WriteTextModeFile(const std::string& hostPath, const std::string& data);

// The plain bytes of a file; nothing when it cannot be opened.
std::optional<std::string> ReadBinaryFile(const std::string& hostPath);

std::string ToTextMode(const std::string& data);
std::string FromTextMode(const std::string& bytes);

} // namespace platform
