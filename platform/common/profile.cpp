// GetPrivateProfileIntA's reading rules over our own INI parser.
#include "platform/profile.h"

#include <cctype>
#include <climits>

#include "platform/paths.h"
#include "platform/text_file.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && (IsBlank(s[begin]) || s[begin] == '\r'))
        ++begin;
    while (end > begin && (IsBlank(s[end - 1]) || s[end - 1] == '\r'))
        --end;
    return s.substr(begin, end - begin);
}

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

// An optional sign and the leading decimal digits; anything else gives the default. The value
// wraps like the original's 32-bit accumulation rather than overflowing.
int ParseLeadingInt(const std::string& value, int defaultValue) {
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    if (i >= value.size() || !std::isdigit(static_cast<unsigned char>(value[i])))
        return defaultValue;
    uint32_t n = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
        n = n * 10u + static_cast<uint32_t>(value[i] - '0');
    if (negative) n = 0u - n;
    return static_cast<int>(n);
}

} // namespace

int ProfileIntFromText(const std::string& text, const char* section, const char* key,
                       int defaultValue) {
    bool inSection = false;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name =
                Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = EqualsNoCase(name, section);
            continue;
        }
        if (!inSection) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (EqualsNoCase(Trim(line.substr(0, eq)), key))
            return ParseLeadingInt(Trim(line.substr(eq + 1)), defaultValue);
    }
    return defaultValue;
}

int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path) {
    auto bytes = ReadBinaryFile(HostPath(path));
    if (!bytes) return defaultValue;
    return ProfileIntFromText(*bytes, section, key, defaultValue);
}

} // namespace platform
