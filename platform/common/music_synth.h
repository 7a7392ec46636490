// FluidSynth behind the sequencer: one synthesizer for the process with a General MIDI
// soundfont, and the file player of the current piece. Internal to platform/. Every call but
// the constructor is made with the mixer's lock held.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform::midi {

class MusicSynth {
  public:
    // Creates the synthesizer once and looks for the soundfont when none is loaded; without one
    // the player still keeps time and music is silent (one debug line). False when FluidSynth
    // cannot run at all.
    bool Prepare();

    // Resets every channel and starts the piece from its beginning.
    bool Start(const std::vector<uint8_t>& midiFile);

    // Silences and drops the piece.
    void Stop();

    bool HasPiece() const { return player_ != nullptr; }
    // True once the piece has played its last event; valid after the first render, which loads
    // the file into the player.
    bool Finished() const;
    int Tick() const;

    // Writes frames of the synthesizer's output (interleaved stereo).
    void Render(float* out, int frames);

    // Drops the piece, silences every voice and rings the effects out, as in a fresh process;
    // the soundfont stays loaded.
    void Reset();

  private:
    void LoadSoundFont();

    struct Handles;
    Handles* h_ = nullptr; // lives for the process, like the soundfont it holds
    void* player_ = nullptr;
};

MusicSynth& TheMusicSynth();

// Where the soundfont is looked for, first found wins. Tests replace the list.
void SetSoundFontSearchPath(std::vector<std::string> paths);
void ResetSoundFontSearchPath();

} // namespace platform::midi
