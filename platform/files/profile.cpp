// GetPrivateProfileIntA's reading rules over our own INI parser.
#include "platform/profile.h"

#include <cctype>
#include <climits>
#include <cstdint>

#include "platform/paths.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && IsBlank(s[begin]))
        ++begin;
    while (end > begin && IsBlank(s[end - 1]))
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

// A value in a matching pair of quotes is read without them.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return Trim(value.substr(1, value.size() - 2));
    return value;
}

// An optional sign and the leading decimal digits. An empty value gives the default; any other
// value without leading digits reads 0. The value wraps like the original's 32-bit accumulation
// rather than overflowing.
int ParseLeadingInt(const std::string& value, int defaultValue) {
    if (value.empty()) return defaultValue;
    size_t i = 0;
    bool negative = false;
    if (value[i] == '-' || value[i] == '+') {
        negative = value[i] == '-';
        ++i;
    }
    uint32_t n = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
        n = n * 10u + static_cast<uint32_t>(value[i] - '0');
    if (negative) n = 0u - n;
    return static_cast<int>(n);
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// UTF-16 after its byte-order mark, as UTF-8. A lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::string& bytes, bool bigEndian) {
    auto unit = [&](size_t i) {
        const auto a = static_cast<uint8_t>(bytes[i]), b = static_cast<uint8_t>(bytes[i + 1]);
        return static_cast<uint32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        uint32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace

std::optional<std::string> ProfileStringFromText(const std::string& text, const char* section,
                                                 const char* key) {
    bool inSection = false;
    size_t pos = 0;
    while (pos <= text.size()) {
        // A line ends at a line feed, a carriage return (old Mac files) or both; the empty line
        // between the two of a CR LF pair is skipped like any other.
        size_t end = text.find_first_of("\r\n", pos);
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
        if (EqualsNoCase(Trim(line.substr(0, eq)), key)) return Unquoted(Trim(line.substr(eq + 1)));
    }
    return std::nullopt;
}

int ProfileIntFromText(const std::string& text, const char* section, const char* key,
                       int defaultValue) {
    const std::optional<std::string> value = ProfileStringFromText(text, section, key);
    return value ? ParseLeadingInt(*value, defaultValue) : defaultValue;
}

std::string ProfileTextFromBytes(const std::string& bytes) {
    // What Notepad saves as "Unicode" (and "Unicode big endian"), and its UTF-8 with a mark.
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return FromUtf16(bytes, false);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return FromUtf16(bytes, true);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
    return bytes;
}

FileContents ReadProfileFile(const char* path) {
    FileContents file = ReadWholeFile(HostPath(path), kMaxProfileFileBytes);
    if (file.Read()) file.bytes = ProfileTextFromBytes(file.bytes);
    return file;
}

int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path) {
    const FileContents file = ReadProfileFile(path);
    if (!file.Read()) return defaultValue;
    return ProfileIntFromText(file.bytes, section, key, defaultValue);
}

} // namespace platform
