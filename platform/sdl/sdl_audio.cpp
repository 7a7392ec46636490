// The audio stream on SDL: one device in the mixer's own format, fed by SDL's audio thread.
//
// Opening a device can take long: a sound server is connected, ALSA reads its configuration and
// probes the cards, SDL's ALSA backend waits for its device-watching thread when it is let go,
// and an output that hangs keeps the open waiting. None of that may hold up the start or a frame,
// so every open and close runs on an opener thread, one run at a time, and the game thread only
// looks at each pump of its messages whether the run has finished. While no device pulls the mix
// the mixer is not rendered: music and effects stay where they are and go on from there.
//
// A device that SDL reports removed (a USB headset unplugged, an output switched off) is closed
// and the default device opened again. When no device opens, SDL's dummy driver pulls the mix in
// silence, so that music still ends and loops, and a real device is tried again now and then.
#include <SDL.h>

#include <atomic>
#include <string>
#include <thread>

#include "../common/audio_mixer.h"
#include "../common/backend.h"
#include "../common/music_synth.h"
#include "alsa_messages.h"
#include "platform/message_box.h"

namespace platform::backend {
namespace {

// 512 frames at 44.1 kHz is 11.6 ms a buffer, well inside the 50 ms a game's sound may lag.
constexpr Uint16 kCallbackFrames = 512;

// How long a silent game waits before it looks for an output device again.
constexpr Uint64 kRetryMs = 3000;

// How long the end of the game waits for an open under way; one that hangs is left to the end of
// the process.
constexpr int kExitWaitMs = 1000;

enum class Attempt { Start, Reopen, Retry };

// What a run of the opener found.
struct Outcome {
    bool silent = false; // no device opened; the dummy driver (if even that opened) pulls the mix
    std::string driver;
    std::string why; // why no device opened
};

// The opener's while it runs, the game thread's otherwise.
SDL_AudioDeviceID g_device = 0;
Outcome g_outcome;

// The game thread's.
std::thread g_opener;
Attempt g_attempt = Attempt::Start;
bool g_silent = false;
bool g_abandoned = false; // an open hung at exit and was left running
Uint64 g_nextRetryMs = 0;

std::atomic<bool> g_openerDone{false};
// The device SDL last reported removed; written on the SDL thread that lost it.
std::atomic<SDL_AudioDeviceID> g_removed{0};

void FillStream(void* /*userdata*/, Uint8* stream, int len) {
    audio::TheMixer().Render(reinterpret_cast<float*>(stream),
                             len / static_cast<int>(sizeof(float) * kMixChannels));
}

SDL_AudioDeviceID OpenDefaultDevice() {
    SDL_AudioSpec want{};
    want.freq = kMixRate;
    want.format = AUDIO_F32SYS;
    want.channels = kMixChannels;
    want.samples = kCallbackFrames;
    want.callback = FillStream;
    SDL_AudioSpec have{};
    // Only what ALSA says about this open counts (not its listing of the devices before).
    sdl::TakeAlsaComplaint();
    // No changes allowed: SDL converts to whatever the device needs.
    return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

// The opener thread. The old device is closed before the new one opens, so that never two
// devices call the mixer at once.
void OpenOutput(Attempt attempt) {
    if (g_device != 0) SDL_CloseAudioDevice(g_device);
    g_device = 0;
    g_removed.store(0); // device numbers are used again; an old report must not match a new one
    Outcome out;
    // After a removal the same driver usually has another device (the sound server moves on to
    // the next output); otherwise, and at the start and while silent, the drivers are tried
    // afresh, in SDL's order or as SDL_AUDIODRIVER names them.
    if (attempt == Attempt::Reopen) g_device = OpenDefaultDevice();
    if (g_device == 0 && SDL_AudioInit(nullptr) == 0) g_device = OpenDefaultDevice();
    if (g_device == 0) {
        out.silent = true;
        out.why = SDL_GetError();
        const std::string alsa = sdl::TakeAlsaComplaint();
        if (!alsa.empty()) out.why += ", " + alsa;
        if (SDL_AudioInit("dummy") == 0) g_device = OpenDefaultDevice();
    }
    if (g_device != 0) SDL_PauseAudioDevice(g_device, 0);
    const char* driver = SDL_GetCurrentAudioDriver();
    out.driver = driver != nullptr ? driver : "none";
    g_outcome = out;
    g_openerDone.store(true);
}

void StartOpener(Attempt attempt) {
    g_attempt = attempt;
    g_openerDone.store(false);
    g_opener = std::thread(OpenOutput, attempt);
}

// One line when the sound changes: silent and why, or back.
void ReportOutcome() {
    std::string line;
    if (g_outcome.silent && !g_silent) {
        line =
            "audio: no output device (" + g_outcome.why + "); sound is silent" +
            (g_device != 0 ? ", and a device is looked for now and then\n" : " and music is off\n");
    } else if (!g_outcome.silent && g_attempt != Attempt::Start) {
        line = "audio: the sound goes on through " + g_outcome.driver + "\n";
    }
    if (!line.empty()) OutputDebugString(line.c_str());
}

int WatchForRemoval(void* /*userdata*/, SDL_Event* e) {
    if (e->type == SDL_AUDIODEVICEREMOVED && e->adevice.iscapture == 0)
        g_removed.store(e->adevice.which);
    return 1;
}

} // namespace

bool StartAudioOutput() {
    sdl::QuietAlsaMessages();
    midi::LoadSoundFontInBackground();
    // The subsystem comes up at once on the dummy driver; the real ones are tried by the opener.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool up = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!up) {
        const std::string line = std::string("audio: SDL's audio does not start (") +
                                 SDL_GetError() + "); sound and music are off\n";
        OutputDebugString(line.c_str());
        return true; // the game goes on without sound
    }
    g_silent = false;
    g_abandoned = false;
    SDL_AddEventWatch(WatchForRemoval, nullptr);
    StartOpener(Attempt::Start);
    return true;
}

void ServiceAudioOutput() {
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0 || g_abandoned) return;
    if (g_opener.joinable()) {
        if (!g_openerDone.load()) return;
        g_opener.join();
        ReportOutcome();
        g_silent = g_outcome.silent;
        g_nextRetryMs = SDL_GetTicks64() + kRetryMs;
    }
    if (g_device != 0 && g_removed.load() == g_device) {
        OutputDebugString("audio: the output device was removed; opening the default device\n");
        StartOpener(Attempt::Reopen);
    } else if (g_silent && SDL_GetTicks64() >= g_nextRetryMs) {
        StartOpener(Attempt::Retry);
    }
}

void StopAudioOutput() {
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0 || g_abandoned) return;
    if (g_opener.joinable()) {
        for (int waited = 0; waited < kExitWaitMs && !g_openerDone.load(); waited += 10)
            SDL_Delay(10);
        if (!g_openerDone.load()) {
            g_opener.detach();
            g_abandoned = true; // SDL's audio stays up for the opener; the process's end takes it
            return;
        }
        g_opener.join();
    }
    SDL_DelEventWatch(WatchForRemoval, nullptr);
    if (g_device != 0) SDL_CloseAudioDevice(g_device);
    g_device = 0;
    g_removed.store(0);
    g_silent = false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The programs keep no record of what they played.
void NoteWavePlayed(int, bool, int32_t) {}
void NoteMusicCommand(MusicCommand, const std::string&) {}

} // namespace platform::backend
