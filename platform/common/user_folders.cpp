#include "user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

std::string EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string HomeFolder() {
    std::string home = EnvironmentPath("HOME");
    if (!home.empty()) return home;
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr)
        return user->pw_dir;
    return "";
}

// A relative value is to be ignored, as for every XDG base directory.
std::string UserStateFolder() {
    const std::string state = EnvironmentPath("XDG_STATE_HOME");
    if (!state.empty() && state.front() == '/') return state;
    const std::string home = HomeFolder();
    return home.empty() ? "" : home + "/.local/state";
}

} // namespace platform
