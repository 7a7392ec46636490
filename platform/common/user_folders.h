// The user's own folders as the XDG base directory rules name them. Internal to platform/.
#pragma once
#include <string>

namespace platform {

// The value of an environment variable, empty when unset.
std::string EnvironmentPath(const char* name);

// $HOME, else the account's home folder; empty when there is none.
std::string HomeFolder();

// Where a program keeps state that outlives a run but is no document of the user's (window
// sizes): $XDG_STATE_HOME when it is an absolute path, else ~/.local/state; empty without a home.
std::string UserStateFolder();

} // namespace platform
