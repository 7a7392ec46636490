// Controls of the headless platform, for tests: a virtual millisecond clock that moves only when
// told (sleeping advances it), scripted keys, joysticks, mouse and host events, and the message
// boxes and debug lines captured as text. Only test programs link the headless platform.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/joystick.h"
#include "platform/messages.h"
#include "platform/present.h"

namespace platform::headless {

// Back to a fresh process: clock 0, nothing pressed, no joysticks, no window, empty queue and
// captures, no other instance running, the random generator unseeded, no font opened, no music
// loaded and no soundfont read.
void Reset();

void SetTime(uint32_t ms);
void AdvanceTime(uint32_t ms);
// The same clock by the microsecond (TimeMicros), for work that takes part of a millisecond.
void AdvanceMicros(uint64_t us);

// Total milliseconds passed to Sleep since the last Reset.
uint64_t SleptMs();

void SetKeyDown(int vk, bool down);

// A host event that the pump delivers once the clock has reached atMs. WaitMessage moves the clock
// forward to the next one; with none left it posts WM_QUIT so that a test can never hang.
void ScheduleMessage(uint32_t atMs, Message message);

// Pads connected now, ids 0..count-1; a count above 0 also installs the joystick driver. Changing
// it between ticks is plugging pads in or pulling them out.
void SetJoystickCount(int count);
// Whether there is joystick support at all (with no pad connected, a count of 0 alone).
void SetJoystickDriver(bool present);
void SetJoystick(int id, JoyPosition position);
void SetJoystickReadable(int id, bool readable);

void SetCursor(int x, int y);
bool CursorShown();
bool CursorClipped();

void SetOtherInstanceRunning(bool running);
void SetVideoAvailable(bool available);
void SetWindowCreatable(bool creatable);
bool IsFullScreen();

// Text is drawn with the built-in bitmap font unless this is turned on, so that runs draw the same
// pixels whatever faces the machine has.
void UseSystemFonts(bool use);
// The last frame the present showed, as 0x00RRGGBB pixels row by row, and how many were shown.
const std::vector<uint32_t>& PresentedFrame();
int PresentedWidth();
uint64_t PresentCount();
bool LastPresentWaitedForVSync();
// What the runtime asked of the present: the scaling, and refreshes per frame (0: not paced).
PictureScaling PresentScaling();
int RefreshesPerFrameAsked();

// A display that refreshes hz times a second, refresh j at j * 1e6 / hz microseconds: a present
// that waits for the vertical blank returns at the first refresh after its call (as a wait for the
// blank followed by the copy does), one that does not wait returns at once, and the display shows
// the newest frame at each refresh. With reported false the platform tells the runtime no rate
// (DisplayRefreshHz is 0), as on a host that cannot, while the display still refreshes. 0 Hz, the
// default, is no display clock: presents never wait, nothing is logged.
void SetDisplayRefresh(double hz, bool reported = true);
// Every present while a display clock runs: when it was called and the first refresh after that.
// A frame whose successor names the same refresh was replaced before it could be shown.
struct PresentRecord {
    uint64_t calledUs = 0;
    uint64_t refresh = 0;
};
const std::vector<PresentRecord>& PresentLog();

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    unsigned style = 0;
};
const std::vector<MessageBoxRecord>& MessageBoxes();
// Runs while each message box is up (the user reading it), before it is answered with OK.
void WhileMessageBoxShown(std::function<void()> action);

// Audio. Without an audio device the sound device cannot be opened. The mix is rendered only
// when asked: frames of interleaved stereo floats, music and slots alike, and a music piece
// moves on only as it is rendered.
void SetAudioAvailable(bool available);
std::vector<float> RenderAudio(int frames);
void RenderAudio(float* out, int frames);
// Takes a slot's memory away, as the host could on the original platform: playing or filling it
// reports it lost until it is restored.
void LoseAudioSlot(int slot);
// Where the music soundfont is looked for (an empty list: none is installed).
void SetSoundFontSearchPath(std::vector<std::string> paths);
// The open piece's position in MIDI ticks, 0 when none.
int MusicTick();

// What the game let the player hear, in order: every wave slot started and every music command
// the sequencer carried out. The latest kMaxSoundCalls are kept (Reset and ClearSoundCalls empty
// the record), so that a long run holds the same memory at its end as at its start.
struct SoundCall {
    enum class Kind { Wave, MusicOpen, MusicPlayFromStart, MusicResume, MusicStop, MusicClose };
    Kind kind = Kind::Wave;
    int slot = -1;      // Wave: the slot
    bool loop = false;  // Wave: played looping
    int32_t volume = 0; // Wave: the slot's volume then, hundredths of a decibel
    std::string file;   // MusicOpen: the file as the open command named it
};
inline constexpr size_t kMaxSoundCalls = 4096;
const std::vector<SoundCall>& SoundCalls();
void ClearSoundCalls();

// The status of the last ExitProcess since Reset; nothing when the program was not ended.
std::optional<int> ExitStatus();

// Every debug output text in order, and all of it joined.
const std::vector<std::string>& DebugLines();
std::string DebugText();

} // namespace platform::headless
