#include <cstdio>
#include <cstdlib>

#include <SDL.h>

#include "../common/backend.h"
#include "platform/process.h"

namespace platform {

void ExitProcess(int exitCode) {
    // The audio thread must not run on into objects that exit would destroy; nothing of play is
    // saved on this path, so the static objects are not destroyed either.
    backend::StopAudioOutput();
    // An audio device open that hung is left running; SDL must not be torn down under it.
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) SDL_Quit();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace platform
