#include <cstdio>

#include "platform/message_box.h"
#include "sdl_video.h"

namespace platform {

int MessageBox(const char* text, const char* caption, unsigned /*style*/) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, sdl::MainWindow()) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
    return IDOK;
}

void OutputDebugString(const char* text) {
    std::fputs(text, stderr);
    std::fflush(stderr);
}

} // namespace platform
