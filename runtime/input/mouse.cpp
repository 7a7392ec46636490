#include "mouse.h"

#include <algorithm>

#include "platform/mouse.h"
#include "runtime/graphics/display.h"
#include "runtime/input/input_state.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {

void EnableMouse(int on) {
    Runtime().mousePolling = on != 0 ? 1 : 0;
}

void PollMouse() {
    int x = 0, y = 0;
    platform::GetCursorPos(x, y);
    const Display& display = TheDisplay();
    if (!display.IsFullScreen()) platform::ScreenToClient(x, y);
    TheInput().mouseX = std::clamp(x, 0, display.width - 1);
    TheInput().mouseY = std::clamp(y, 0, display.height - 1);
}

int MouseX() {
    return TheInput().mouseX;
}
int MouseY() {
    return TheInput().mouseY;
}

void ShowMouseCursor(int show) {
    platform::ShowCursor(show != 0);
}

void ClipMouseCursor(int on) {
    if (on == 0) {
        platform::ClipCursor(nullptr);
        return;
    }
    platform::ClipCursor(&Runtime().clientRect);
}

} // namespace tessary
