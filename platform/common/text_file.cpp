#include "platform/text_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace platform {

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

std::optional<std::string> ReadBinaryFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadTextModeFile(const std::string& hostPath) {
    auto bytes = ReadBinaryFile(hostPath);
    if (!bytes) return std::nullopt;
    return FromTextMode(*bytes);
}

bool WriteTextModeFile(const std::string& hostPath, const std::string& data) {
    const std::string temp = hostPath + ".tmp";
    const std::string bytes = ToTextMode(data);
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), hostPath.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace platform
