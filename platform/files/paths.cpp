#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Walks the path one component at a time, taking the exact name when it exists and otherwise the
// first entry of the directory that matches without case. From the first component found neither
// way on, the rest is kept as given, after the folders that were found: a new file goes into the
// folder that its name matched.
std::string FindIgnoringCase(const std::string& path) {
    fs::path input(path);
    fs::path found = input.is_absolute() ? input.root_path() : fs::path();
    const fs::path relative = input.relative_path();
    for (auto it = relative.begin(); it != relative.end(); ++it) {
        const fs::path& part = *it;
        fs::path exact = found / part;
        std::error_code ec;
        if (part == "." || part == ".." || fs::exists(exact, ec)) {
            found = exact;
            continue;
        }
        bool matched = false;
        fs::path dir = found.empty() ? fs::path(".") : found;
        for (fs::directory_iterator entry(dir, ec), end; !ec && entry != end; entry.increment(ec)) {
            if (SameNoCase(entry->path().filename().string(), part.string())) {
                found /= entry->path().filename();
                matched = true;
                break;
            }
        }
        if (!matched) {
            for (; it != relative.end(); ++it)
                found /= *it;
            return found.string();
        }
    }
    return found.string();
}

} // namespace

std::string HostPath(const std::string& gamePath) {
    std::string path = gamePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty()) return path;
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    return FindIgnoringCase(path);
}

std::string GetCurrentDirectory() {
    std::error_code ec;
    auto dir = fs::current_path(ec);
    return ec ? std::string() : dir.string();
}

} // namespace platform
