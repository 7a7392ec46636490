#include "display.h"

#include "platform/window.h"

namespace tessary {

int Display::Open() {
    cooperativeLevel = windowedLevel;
    surfacesReady = 1;
    return 1;
}

void Display::Close() { surfacesReady = 0; }

int Display::Present() { return surfacesReady; }

int Display::ToggleFullScreen() {
    bool toFullScreen = !IsFullScreen();
    if (!platform::SetWindowFullScreen(toFullScreen)) return 0;
    cooperativeLevel = toFullScreen ? fullScreenLevel : windowedLevel;
    return 1;
}

} // namespace tessary
