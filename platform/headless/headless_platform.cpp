// The headless platform: every service of platform/ against the scripted state of State.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "../common/audio_mixer.h"
#include "../common/backend.h"
#include "../common/mci_sequencer.h"
#include "../common/music_synth.h"
#include "../common/screenshot_internal.h"
#include "../files/debug_output_route.h"
#include "headless_state.h"
#include "platform/app_identity.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/joystick.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/mouse.h"
#include "platform/present.h"
#include "platform/process.h"

namespace platform {
namespace detail {
void ResetMessageQueue();
void ResetAudioDevice();
void ResetRandom();
void ResetFontCache();
} // namespace detail

namespace headless {

State& TheState() {
    static State state;
    return state;
}

namespace {

void KeepDebugLine(const char* text) {
    TheState().debugLines.emplace_back(text);
}

// Before main, so that a test reads every line, the first included.
[[maybe_unused]] const bool g_debugLinesKept = (detail::RouteDebugOutput(KeepDebugLine), true);

} // namespace

void Reset() {
    TheState() = State{};
    detail::ResetRandom();
    detail::ResetFontCache();
    detail::ResetMessageQueue();
    detail::ResetAudioDevice();
    midi::ResetSequencer();
    midi::ResetSoundFontSearchPath();
    audio::TheMixer().Reset();
}

void SetTime(uint32_t ms) {
    TheState().clockUs = static_cast<uint64_t>(ms) * 1000;
}
void AdvanceTime(uint32_t ms) {
    TheState().clockUs += static_cast<uint64_t>(ms) * 1000;
}
void AdvanceMicros(uint64_t us) {
    TheState().clockUs += us;
}
uint64_t SleptMs() {
    return TheState().slept;
}

void SetKeyDown(int vk, bool down) {
    if (vk >= 0 && vk < 256) TheState().keys[static_cast<size_t>(vk)] = down;
}

void ScheduleMessage(uint32_t atMs, Message message) {
    TheState().scheduled.emplace(atMs, message);
}

void SetJoystickCount(int count) {
    State& s = TheState();
    s.joystickCount = count < 0 ? 0 : (count > kMaxJoysticks ? kMaxJoysticks : count);
    if (count > 0) s.joystickDriver = true;
    s.joysticksPlugged = true;
    for (int i = 0; i < kMaxJoysticks; ++i)
        s.joystickReadable[static_cast<size_t>(i)] = i < count;
}

void SetJoystickDriver(bool present) {
    TheState().joystickDriver = present;
}

void SetJoystick(int id, JoyPosition position) {
    if (id >= 0 && id < kMaxJoysticks) TheState().joysticks[static_cast<size_t>(id)] = position;
}

void SetJoystickReadable(int id, bool readable) {
    if (id >= 0 && id < kMaxJoysticks)
        TheState().joystickReadable[static_cast<size_t>(id)] = readable;
}

void SetCursor(int x, int y) {
    TheState().cursorX = x;
    TheState().cursorY = y;
}
bool CursorShown() {
    return TheState().cursorShown;
}
bool CursorClipped() {
    return TheState().cursorClipped;
}

void SetOtherInstanceRunning(bool running) {
    TheState().otherInstance = running;
}
void SetVideoAvailable(bool available) {
    TheState().videoAvailable = available;
}
void SetWindowCreatable(bool creatable) {
    TheState().windowCreatable = creatable;
}
bool IsFullScreen() {
    return TheState().fullScreen;
}
void UseSystemFonts(bool use) {
    TheState().systemFonts = use;
}

const std::vector<uint32_t>& PresentedFrame() {
    return TheState().presented;
}
int PresentedWidth() {
    return TheState().presentedWidth;
}
uint64_t PresentCount() {
    return TheState().presentCount;
}
bool LastPresentWaitedForVSync() {
    return TheState().lastPresentVSync;
}
PictureScaling PresentScaling() {
    return TheState().scaling;
}
int RefreshesPerFrameAsked() {
    return TheState().refreshesPerFrame;
}

void SetDisplayRefresh(double hz, bool reported) {
    TheState().refreshHz = hz > 0.0 ? hz : 0.0;
    TheState().refreshReported = reported;
}
const std::vector<PresentRecord>& PresentLog() {
    return TheState().presentLog;
}

void SetAudioAvailable(bool available) {
    TheState().audioAvailable = available;
}

std::vector<float> RenderAudio(int frames) {
    std::vector<float> out(static_cast<size_t>(frames > 0 ? frames : 0) * kMixChannels);
    RenderAudio(out.data(), frames);
    return out;
}

void RenderAudio(float* out, int frames) {
    if (frames > 0) audio::TheMixer().Render(out, frames);
}

void LoseAudioSlot(int slot) {
    audio::TheMixer().Lose(slot);
}

void SetSoundFontSearchPath(std::vector<std::string> paths) {
    midi::SetSoundFontSearchPath(std::move(paths));
}

int MusicTick() {
    return midi::SequencerTick();
}

const std::vector<SoundCall>& SoundCalls() {
    return TheState().soundCalls;
}
void ClearSoundCalls() {
    TheState().soundCalls.clear();
}

const std::vector<MessageBoxRecord>& MessageBoxes() {
    return TheState().boxes;
}
void WhileMessageBoxShown(std::function<void()> action) {
    TheState().whileBoxShown = std::move(action);
}

std::optional<int> ExitStatus() {
    return TheState().exitStatus;
}

const std::vector<std::string>& DebugLines() {
    return TheState().debugLines;
}
std::string DebugText() {
    const auto& lines = TheState().debugLines;
    return std::accumulate(lines.begin(), lines.end(), std::string());
}

} // namespace headless

using headless::State;
using headless::TheState;

uint32_t TimeGetTime() {
    return headless::NowMs(TheState());
}

void Sleep(uint32_t ms) {
    TheState().clockUs += static_cast<uint64_t>(ms) * 1000;
    TheState().slept += ms;
}

long ClockMs() {
    return static_cast<long>(headless::NowMs(TheState()));
}

uint64_t TimeMicros() {
    return TheState().clockUs;
}

void SleepMicros(uint64_t us) {
    TheState().clockUs += us;
}

bool IsKeyDown(int vk) {
    return vk >= 0 && vk < 256 && TheState().keys[static_cast<size_t>(vk)];
}

bool JoyUpdateDevices() {
    return std::exchange(TheState().joysticksPlugged, false);
}

int JoyGetNumDevs() {
    return TheState().joystickDriver ? kMaxJoysticks : 0;
}

bool JoyGetDevCaps(int id) {
    return id >= 0 && id < TheState().joystickCount &&
           TheState().joystickReadable[static_cast<size_t>(id)];
}

bool JoyGetPosEx(int id, JoyPosition& out) {
    if (!JoyGetDevCaps(id)) return false;
    out = TheState().joysticks[static_cast<size_t>(id)];
    return true;
}

void GetCursorPos(int& x, int& y) {
    x = TheState().cursorX;
    y = TheState().cursorY;
}

void ShowCursor(bool show) {
    TheState().cursorShown = show;
}
void ClipCursor(const Rect* rect) {
    TheState().cursorClipped = rect != nullptr;
}

int MessageBox(const char* text, const char* caption, unsigned style) {
    TheState().boxes.push_back({text ? text : "", caption ? caption : "", style});
    // A copy: the action may replace itself.
    if (std::function<void()> action = TheState().whileBoxShown) action();
    return IDOK;
}

void ExitProcess(int exitCode) {
    TheState().exitStatus = exitCode;
}

// The headless display is memory, which never goes away.
void SetDisplayLostHandler(void (*)()) {}

// The headless window belongs to no desktop.
void SetAppIdentity(const AppIdentity& /*identity*/) {}

bool AcquireInstanceLock(const char* /*className*/) {
    return !TheState().otherInstance;
}

int ScreenWidth() {
    return 1920;
}
int ScreenHeight() {
    return 1080;
}

Rect GetClientRect() {
    return Rect{0, 0, TheState().clientWidth, TheState().clientHeight};
}

void ClientToScreen(int& x, int& y) {
    if (TheState().fullScreen) return;
    x += TheState().windowX;
    y += TheState().windowY;
}

void ScreenToClient(int& x, int& y) {
    if (TheState().fullScreen) return;
    x -= TheState().windowX;
    y -= TheState().windowY;
}

bool SetWindowFullScreen(bool fullScreen) {
    if (!TheState().windowExists) return false;
    TheState().fullScreen = fullScreen;
    return true;
}

void FitWindowToClient(int clientWidth, int clientHeight) {
    State& s = TheState();
    if (!s.windowExists) return;
    s.clientWidth = clientWidth;
    s.clientHeight = clientHeight;
    s.windowX = (ScreenWidth() - clientWidth) / 2;
    s.windowY = (ScreenHeight() - clientHeight) / 2;
}

std::string SaveScreenshot(const Surface& frame) {
    return WriteScreenshot(frame);
}

namespace {

// The display clock: the frame is shown from the first refresh after the call; a present that
// waits for the blank returns then.
void MeetTheDisplay(State& s, bool waitVSync) {
    if (s.refreshHz <= 0.0) return;
    const double refreshUs = 1e6 / s.refreshHz;
    const auto refresh = static_cast<uint64_t>(static_cast<double>(s.clockUs) / refreshUs) + 1;
    s.presentLog.push_back(headless::PresentRecord{s.clockUs, refresh});
    if (waitVSync)
        s.clockUs = std::max(
            s.clockUs, static_cast<uint64_t>(std::ceil(static_cast<double>(refresh) * refreshUs)));
}

} // namespace

void SetPictureScaling(PictureScaling scaling) {
    TheState().scaling = scaling;
}

double DisplayRefreshHz() {
    const State& s = TheState();
    return s.refreshReported ? s.refreshHz : 0.0;
}

void SetRefreshesPerFrame(int refreshes) {
    TheState().refreshesPerFrame = refreshes;
}

bool PresentFrame(const Surface& frame, bool waitVSync) {
    State& s = TheState();
    if (!s.windowExists || frame.IsLost()) return false;
    // Every pixel is written by the conversion, so the buffer is only sized, not cleared.
    s.presented.resize(static_cast<size_t>(frame.Width()) * static_cast<size_t>(frame.Height()));
    ConvertToXrgb8888(frame, reinterpret_cast<uint8_t*>(s.presented.data()), frame.Width() * 4);
    s.presentedWidth = frame.Width();
    s.lastPresentVSync = waitVSync;
    ++s.presentCount;
    MeetTheDisplay(s, waitVSync);
    return true;
}

bool WindowRestoresFullScreen() {
    return false;
}

namespace backend {

bool StartVideo() {
    return TheState().videoAvailable;
}

bool CreateWindow(const char* /*title*/, int x, int y, int width, int height) {
    State& s = TheState();
    if (!s.windowCreatable) return false;
    s.windowExists = true;
    s.windowX = x;
    s.windowY = y;
    s.clientWidth = width;
    s.clientHeight = height;
    return true;
}

void DestroyWindow() {
    TheState().windowExists = false;
}
bool WindowExists() {
    return TheState().windowExists;
}

bool StartAudioOutput() {
    return TheState().audioAvailable;
}
void StopAudioOutput() {}
void ServiceAudioOutput() {}

namespace {
void NoteSoundCall(headless::SoundCall call) {
    std::vector<headless::SoundCall>& calls = headless::TheState().soundCalls;
    // The oldest quarter goes when the record is full; the capacity, once reached, stays.
    if (calls.size() == headless::kMaxSoundCalls)
        calls.erase(calls.begin(), calls.begin() + headless::kMaxSoundCalls / 4);
    calls.push_back(std::move(call));
}
} // namespace

void NoteWavePlayed(int slot, bool loop, int32_t volume) {
    headless::SoundCall call;
    call.slot = slot;
    call.loop = loop;
    call.volume = volume;
    NoteSoundCall(std::move(call));
}

void NoteMusicCommand(MusicCommand command, const std::string& file) {
    using Kind = headless::SoundCall::Kind;
    // In the order of MusicCommand.
    constexpr Kind kKinds[] = {Kind::MusicOpen, Kind::MusicPlayFromStart, Kind::MusicResume,
                               Kind::MusicStop, Kind::MusicClose};
    headless::SoundCall call;
    call.kind = kKinds[static_cast<int>(command)];
    call.file = file;
    NoteSoundCall(std::move(call));
}

void PumpEvents() {
    State& s = TheState();
    while (!s.scheduled.empty() && s.scheduled.begin()->first <= headless::NowMs(s)) {
        Message m = s.scheduled.begin()->second;
        s.scheduled.erase(s.scheduled.begin());
        PostMessage(m.message, m.wParam, m.lParam);
    }
}

void WaitEvent() {
    State& s = TheState();
    if (s.scheduled.empty()) {
        OutputDebugString("headless: WaitMessage with no event scheduled; quitting\n");
        PostQuitMessage(0);
        return;
    }
    const uint32_t now = headless::NowMs(s), due = s.scheduled.begin()->first;
    if (due > now) s.clockUs = (s.clockUs / 1000 + (due - now)) * 1000;
}

bool SystemFontsWanted() {
    return headless::TheState().systemFonts;
}

} // namespace backend
} // namespace platform
