// FluidSynth behind the sequencer: one synthesizer for the process with a General MIDI
// soundfont, and the piece it plays. Internal to platform/.
//
// Two threads share it. The game thread prepares the synthesizer and its soundfont (Prepare,
// Reset) while holding the exclusive use that TryUse hands out. The audio thread plays and
// renders (Start, Stop, Render, and the queries) only while it holds that use, which it asks for
// without ever waiting: the game thread changes the synthesizer so rarely that one silent buffer
// is the better price.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "midi_file_reader.h"

namespace platform::midi {

class MusicSynth {
  public:
    // Game thread. Creates the synthesizer once and looks for the soundfont; without one the
    // piece still keeps time and music is silent (one debug line). False when FluidSynth cannot
    // run at all; pieces then keep time in silence. With LoadSoundFontInBackground, the first
    // soundfont is read on a thread of its own, and music waits, silent, until it is read.
    bool Prepare();

    // Game thread, with no audio thread rendering: drops the piece, silences every voice, rings
    // the effects out and lets go of the soundfont, as in a fresh process, whose first piece
    // looks for a soundfont and names the one it reads. The synthesizer itself stays.
    void Reset();

    // Audio thread: the use of the synthesizer for one buffer, or an empty lock while the game
    // thread is changing it.
    std::unique_lock<std::mutex> TryUse() { return std::unique_lock(use_, std::try_to_lock); }

    // Audio thread. Resets every channel and starts the piece from its beginning; the piece
    // stays the caller's and must outlive its use here.
    void Start(const MidiPiece* piece);
    // Audio thread. Silences and drops the piece.
    void Stop();

    bool HasPiece() const { return piece_ != nullptr; }
    // True once the piece has played every frame up to its end.
    bool Finished() const { return piece_ != nullptr && position_ >= piece_->endFrame; }
    // Frames of the piece played since its start.
    uint64_t Position() const { return position_; }

    // Audio thread. Writes frames of the synthesizer's output (interleaved stereo); a piece moves
    // on by as many frames up to its end, each event played as its frame comes round.
    void Render(float* out, int frames);

  private:
    struct Handles;

    void LoadSoundFont();
    void WaitForLoader();
    void PlayDueEvents();
    void Send(const MidiEvent& e);
    void Write(float* out, int frames);

    std::mutex use_;
    Handles* h_ = nullptr; // lives for the process
    std::thread loader_;
    std::atomic<bool> loading_{false};
    const MidiPiece* piece_ = nullptr;
    size_t next_ = 0; // the first event not yet played
    uint64_t position_ = 0;
};

MusicSynth& TheMusicSynth();

// Where a General MIDI soundfont is looked for, in this order; the first that FluidSynth reads is
// used. fluidDefault is FluidSynth's own default-soundfont setting (FluidSynthDefaultSoundFont,
// empty when it has none); the list holds no path twice.
std::vector<std::string> SoundFontCandidates(const std::string& fluidDefault);
std::string FluidSynthDefaultSoundFont();

// Tests: the list replaced, or the candidates looked for below another root folder.
void SetSoundFontSearchPath(std::vector<std::string> paths);
void SetSoundFontRoot(std::string root);
void ResetSoundFontSearchPath();

// The first soundfont is read off the game thread from now on (the real platform: reading one
// takes tens of milliseconds, which the start of the game need not wait for).
void LoadSoundFontInBackground();

} // namespace platform::midi
