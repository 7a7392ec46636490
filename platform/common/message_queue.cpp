// The window's message queue, shared by both platform implementations: host events arrive through
// backend::PumpEvents as posted messages; sent messages call the window procedure directly.
#include <deque>

#include "backend.h"
#include "mci_sequencer.h"
#include "platform/window.h"

namespace platform {
namespace {

WindowProc g_windowProc = nullptr;
std::deque<Message> g_queue;

} // namespace

namespace detail {
void ResetMessageQueue() {
    g_queue.clear();
    g_windowProc = nullptr;
}
} // namespace detail

bool RegisterWindowClass(const char* /*className*/, WindowProc proc) {
    if (proc == nullptr || !backend::StartVideo()) return false;
    g_windowProc = proc;
    return true;
}

bool CreateMainWindow(const char* title, int x, int y, int width, int height) {
    return backend::CreateWindow(title, x, y, width, height);
}

bool WindowExists() {
    return backend::WindowExists();
}

void DestroyWindow() {
    if (!backend::WindowExists()) return;
    SendMessage(WM_DESTROY, 0, 0);
    backend::DestroyWindow();
}

bool PeekMessage(Message& out) {
    backend::PumpEvents();
    midi::PostEndOfPieceNotice();
    if (g_queue.empty()) return false;
    out = g_queue.front();
    g_queue.pop_front();
    return true;
}

void WaitMessage() {
    backend::PumpEvents();
    midi::PostEndOfPieceNotice();
    if (!g_queue.empty()) return;
    backend::WaitEvent();
}

void PostMessage(uint32_t message, WParam wParam, LParam lParam) {
    g_queue.push_back(Message{message, wParam, lParam});
}

LResult SendMessage(uint32_t message, WParam wParam, LParam lParam) {
    if (g_windowProc == nullptr) return 0;
    return g_windowProc(message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    PostMessage(WM_QUIT, static_cast<WParam>(exitCode), 0);
}

LResult DispatchMessage(const Message& message) {
    return SendMessage(message.message, message.wParam, message.lParam);
}

// The host's default handling is the same on every backend: a close destroys the window, and
// nothing else needs doing.
LResult DefWindowProc(uint32_t message, WParam /*wParam*/, LParam /*lParam*/) {
    if (message == WM_CLOSE) DestroyWindow();
    return 0;
}

} // namespace platform
