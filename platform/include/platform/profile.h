// Reading INI files with GetPrivateProfileIntA's rules: integers, and the settings this game
// adds that are words.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "platform/text_file.h"

namespace platform {

// A settings file a hundred times the size of any a person writes by hand is not one.
inline constexpr size_t kMaxProfileFileBytes = size_t{1} << 20;

// Section and key names are compared without case; blanks around the value and a pair of quotes
// around it are ignored; an optional sign and the leading digits are read, and a value without
// leading digits reads 0; an empty value, or a missing file, section or key, gives defaultValue.
// The first matching key of the first matching section wins. A file that cannot be read (see
// ReadProfileFile) gives defaultValue too.
int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path);

// The file at a game path as the profile functions read it: at most kMaxProfileFileBytes, a
// UTF-16 file with its byte-order mark (either order) turned into UTF-8, a UTF-8 mark dropped.
FileContents ReadProfileFile(const char* path);

// The same rules on text already in memory (8-bit text, after ReadProfileFile's decoding).
int ProfileIntFromText(const std::string& text, const char* section, const char* key,
                       int defaultValue);

// A key's value as those rules see it: without the blanks around it and a pair of quotes; none
// for a missing section or key.
std::optional<std::string> ProfileStringFromText(const std::string& text, const char* section,
                                                 const char* key);

// The decoding ReadProfileFile applies to the bytes of a file.
std::string ProfileTextFromBytes(const std::string& bytes);

} // namespace platform
