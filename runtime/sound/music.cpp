#include "music.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/audio.h"
#include "platform/midi.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/runtime_state.h"
#include "runtime/sound/wave_bank.h"

namespace tessary {
namespace {

constexpr size_t kStatusReplySize = 32;

// Commands that ask for a notice name the main window as its target.
uint32_t Send(const char* command, char* reply = nullptr, size_t replySize = 0) {
    return platform::MciSendString(command, reply, replySize, Runtime().mainWindow);
}

// Closes the open piece whatever its state; the sequencer keeps one piece under the alias, so a
// paused piece left open would make every later open fail.
void CloseOpenPiece() {
    MusicState& m = TheMusic();
    if (m.open == 0) return;
    Send("stop MIDI");
    Send("close MIDI");
    m.playing = 0;
    m.open = 0;
}

} // namespace

int PlayMidi(const char* path, int loop) {
    MusicState& m = TheMusic();
    if (m.playing != 0) CloseMidi();
    CloseOpenPiece();
    char directory[kBaseDirectorySize];
    GetBaseDirectory(directory);
    const std::string command = std::string("open \"") + directory + "\\" + (path ? path : "") +
                                "\" type sequencer alias MIDI";
    if (Send(command.c_str()) != 0) {
        DebugPrint("MIDI[%s%s]のオープンに失敗しました\n", directory, path ? path : "");
        return 0;
    }
    Send("play MIDI from 0 notify");
    m.loop = loop != 0 ? 1 : 0;
    m.open = 1;
    m.playing = 1;
    return 1;
}

int CloseMidi() {
    MusicState& m = TheMusic();
    if (m.open != 1 || m.playing != 1) return 0;
    Send("stop MIDI");
    Send("close MIDI");
    m.playing = 0;
    m.open = 0;
    return 1;
}

int PauseMusic() {
    MusicState& m = TheMusic();
    if (m.open != 1 || m.playing != 1) return 0;
    Send("stop MIDI"); // the sequencer keeps its position
    m.playing = 0;
    return 1;
}

int ResumeMusic() {
    MusicState& m = TheMusic();
    if (m.open != 1 || m.playing != 0) return 0;
    Send("play MIDI notify");
    m.playing = 1;
    return 1;
}

void OnMusicNotify() {
    char reply[kStatusReplySize] = {};
    Send("status MIDI mode", reply, sizeof reply);
    // Any reply but "stopped" means a notice that is out of date: the piece has moved on.
    if (std::strncmp(reply, "st", 2) != 0) return;
    MusicState& m = TheMusic();
    if (m.open != 1 || m.playing != 1) return;
    if (m.loop == 1)
        Send("play MIDI from 0 notify");
    else
        CloseMidi();
}

void CloseAllMusic() {
    if (CloseMidi() == 0) CloseOpenPiece();
}

void SetMusicVolume(int volume) {
    // One volume scale for the whole game: a step of the music's slider sounds like a step of
    // the effects'.
    platform::SetMusicVolume(WaveVolumeToAttenuation(volume));
}

} // namespace tessary
