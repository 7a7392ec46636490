// The window's message queue, shared by both platform implementations: host events arrive through
// backend::PumpEvents as posted messages; sent messages call the window procedure directly.
//
// Once the window is destroyed its messages are dropped, as the host's queue drops messages for a
// window handle that is gone: a key queued behind the quit key must not reach a window procedure
// whose display is already closed. WM_QUIT belongs to the thread, not to the window, and stays.
#include <algorithm>
#include <deque>

#include "backend.h"
#include "mci_sequencer.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"

namespace platform {
namespace {

WindowProc g_windowProc = nullptr;
std::deque<Message> g_queue;
bool g_windowDestroyed = false;

bool ForTheWindow(uint32_t message) {
    return message != WM_QUIT;
}

bool Dropped(uint32_t message) {
    return g_windowDestroyed && ForTheWindow(message);
}

} // namespace

namespace detail {
void ResetMessageQueue() {
    g_queue.clear();
    g_windowProc = nullptr;
    g_windowDestroyed = false;
}
} // namespace detail

bool RegisterWindowClass(const char* /*className*/, WindowProc proc) {
    if (proc == nullptr || !backend::StartVideo()) return false;
    g_windowProc = proc;
    return true;
}

bool CreateMainWindow(const char* title, int x, int y, int width, int height) {
    if (!backend::CreateWindow(title, x, y, width, height)) return false;
    g_windowDestroyed = false;
    return true;
}

bool WindowExists() {
    return backend::WindowExists();
}

void DestroyWindow() {
    if (!backend::WindowExists()) return;
    SendMessage(WM_DESTROY, 0, 0);
    backend::DestroyWindow();
    g_windowDestroyed = true;
    std::erase_if(g_queue, [](const Message& m) { return ForTheWindow(m.message); });
}

bool PeekMessage(Message& out) {
    backend::PumpEvents();
    backend::ServiceAudioOutput();
    midi::PostEndOfPieceNotice();
    if (g_queue.empty()) return false;
    out = g_queue.front();
    g_queue.pop_front();
    return true;
}

void WaitMessage() {
    backend::PumpEvents();
    backend::ServiceAudioOutput();
    midi::PostEndOfPieceNotice();
    if (!g_queue.empty()) return;
    backend::WaitEvent();
}

void PostMessage(uint32_t message, WParam wParam, LParam lParam) {
    if (Dropped(message)) return;
    g_queue.push_back(Message{message, wParam, lParam});
}

LResult SendMessage(uint32_t message, WParam wParam, LParam lParam) {
    if (g_windowProc == nullptr || Dropped(message)) return 0;
    return g_windowProc(message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    PostMessage(WM_QUIT, static_cast<WParam>(exitCode), 0);
}

LResult DispatchMessage(const Message& message) {
    return SendMessage(message.message, message.wParam, message.lParam);
}

// The host's default handling, the same on every backend: Alt+F4 asks for the close command, and
// the close command and a close request destroy the window; nothing else needs doing. A window
// procedure that keeps Alt+F4 from closing must therefore not pass system keys on.
LResult DefWindowProc(uint32_t message, WParam wParam, LParam /*lParam*/) {
    switch (message) {
    case WM_SYSKEYDOWN:
        if (wParam == kVkF4) PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_CLOSE) SendMessage(WM_CLOSE, 0, 0);
        break;
    case WM_CLOSE:
        DestroyWindow();
        break;
    default:
        break;
    }
    return 0;
}

} // namespace platform
