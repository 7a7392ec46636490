// Reading integers from INI files with GetPrivateProfileIntA's rules.
#pragma once
#include <string>

namespace platform {

// Section and key names are compared without case; blanks around the value are ignored; an
// optional sign and the leading digits are read; anything else, or a missing file, section or
// key, gives defaultValue. The first matching key of the first matching section wins.
int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path);

// The same rules on text already in memory.
int ProfileIntFromText(const std::string& text, const char* section, const char* key,
                       int defaultValue);

} // namespace platform
