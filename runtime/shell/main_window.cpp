#include "main_window.h"

#include "platform/instance_lock.h"
#include "platform/screenshot.h"
#include "platform/virtual_keys.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/input/keyboard.h"
#include "runtime/input/mouse.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/frame_hold.h"
#include "runtime/shell/runtime_state.h"
#include "runtime/sound/music.h"

namespace tessary {
namespace {

using namespace platform;

void UpdateClientRect() {
    Rect r = platform::GetClientRect();
    ClientToScreen(r.left, r.top);
    ClientToScreen(r.right, r.bottom);
    Runtime().clientRect = r;
    TheDisplayGlobals().presentDestination = r;
}

// The first position becomes the reference; only a move away from it on both axes counts, so a
// cursor resting where the window appeared does not wake the title screen.
void DetectMouseMove(LParam lParam) {
    WindowState& w = TheWindowState();
    int x = LowWord(static_cast<uintptr_t>(lParam));
    int y = HighWord(static_cast<uintptr_t>(lParam));
    if (w.mouseReferenceX == 0) {
        w.mouseReferenceX = x;
        w.mouseReferenceY = y;
        return;
    }
    if (x != w.mouseReferenceX && y != w.mouseReferenceY) Runtime().mouseMoved = 1;
}

void OnDestroy() {
    CloseAllMusic();
    ReleaseAllImages();
    TheDisplay().Close();
    ClipMouseCursor(0);
    Runtime().mainWindow = 0;
    PostQuitMessage(0);
}

// A paused game presents nothing of its own, so the dimmed frame is shown again in full screen
// too.
void OnPaint() {
    const Display& display = TheDisplay();
    if (display.surfacesReady == 0) return;
    if ((Runtime().active == 0 && !display.IsFullScreen()) || FramesPaused() != 0)
        TheDisplay().Present();
}

// F12, a key no screen of the game reads, saves the picture on screen: messages are pumped
// before the frame is drawn, so the back buffer still holds the frame last presented. A held key
// saves once.
void OnKeyDown(WParam wParam, LParam lParam) {
    NoteKeyDown(LowWord(wParam), lParam);
    if (LowWord(wParam) == Runtime().quitKey) {
        RequestClose();
        return;
    }
    const Display& display = TheDisplay();
    const bool repeated = (static_cast<uintptr_t>(lParam) & kKeyRepeatFlag) != 0;
    if (LowWord(wParam) == kVkF12 && !repeated && display.surfacesReady != 0 && display.backBuffer)
        SaveScreenshot(*display.backBuffer);
}

// The colours last taken from a picture come back when the window gets the palette again.
LResult OnQueryNewPalette() {
    Display& display = TheDisplay();
    if (display.surfacesReady == 0 || display.depth != 8) return 0;
    display.ReleasePalette();
    if (display.CreatePalette(nullptr) == 0) {
        ShowErrorBox("パレットの復帰に失敗しました");
        RequestClose();
        return 1;
    }
    return 0;
}

} // namespace

int CreateMainWindow() {
    if (!AcquireInstanceLock(kWindowClassName)) {
        // The first copy keeps the window; this start ends at once, saying why in one line.
        DebugPrint("The game is already running for this user; this start ends.\n");
        return 0;
    }
    if (!RegisterWindowClass(kWindowClassName, MainWndProc)) {
        ShowErrorBox("ウインドウクラスの登録に失敗しました");
        return 0;
    }
    // Signed division truncating toward zero, as the centring of the original window did.
    int x = (ScreenWidth() - kDisplayWidth) / 2;
    int y = (ScreenHeight() - kDisplayHeight) / 2;
    if (!platform::CreateMainWindow(kWindowTitle, x, y, kDisplayWidth, kDisplayHeight)) {
        ShowErrorBox("ウインドウの作成に失敗しました");
        return 0;
    }
    Runtime().mainWindow = 1;
    UpdateClientRect();
    return 1;
}

LResult MainWndProc(uint32_t message, WParam wParam, LParam lParam) {
    Display& display = TheDisplay();
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_MOVE:
        UpdateClientRect();
        return 0;
    case WM_SIZE:
    case WM_ACTIVATE:
        if (display.surfacesReady != 0) OnActivate(message, wParam);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CLOSE:
        platform::DestroyWindow();
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_EXITSIZEMOVE:
        display.presentPaused = 0;
        return DefWindowProc(message, wParam, lParam);
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_SYSKEYDOWN:
        NoteKeyDown(LowWord(wParam), lParam);
        if (wParam == kVkReturn) ToggleFullScreen();
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE) return 1;
        return DefWindowProc(message, wParam, lParam);
    case WM_MOUSEMOVE:
        DetectMouseMove(lParam);
        return 0;
    case WM_ENTERMENULOOP:
        display.presentPaused = 1;
        return 0;
    case WM_EXITMENULOOP:
        display.presentPaused = 0;
        return 0;
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette();
    case MM_MCINOTIFY:
        if (wParam == MCI_NOTIFY_SUCCESSFUL) OnMusicNotify();
        return 0;
    case WM_COMMAND:
        return 0;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LResult RequestClose() {
    Runtime().closing = 1;
    return SendMessage(WM_CLOSE, 0, 0);
}

void OnActivate(uint32_t message, WParam wParam) {
    RuntimeState& rt = Runtime();
    if (rt.closing != 0) return;
    WParam code = message == WM_ACTIVATE ? static_cast<WParam>(LowWord(wParam)) : wParam;
    bool pause = message == WM_SIZE ? code == SIZE_MINIMIZED : code == WA_INACTIVE;
    bool resume =
        message == WM_SIZE ? code == SIZE_RESTORED : (code == WA_ACTIVE || code == WA_CLICKACTIVE);
    if (pause) {
        rt.active = 0;
        HoldForInactiveWindow();
    } else if (resume) {
        rt.active = 1;
        ReleaseForActiveWindow();
    }
}

} // namespace tessary
