// The thread boundary of the music. The game thread hands the audio thread a piece, already read
// and timed, and says what to do with it; the audio thread takes that up at the start of a buffer
// and reports back how far it has played and whether the piece has ended. Neither side waits for
// the other: they meet only in atomics, and a piece the audio thread may still be playing is
// freed by the game thread only once the audio thread has let go of it. Internal to platform/.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "midi_file_reader.h"

namespace platform::midi {

class MusicHandover {
  public:
    // Game thread. The piece to play from now on; it waits, unheard, for Play.
    void Load(std::unique_ptr<MidiPiece> piece);
    // Game thread. Plays the loaded piece: from its beginning when asked or when it was never
    // played, otherwise on from where it stands.
    void Play(bool fromStart);
    // Game thread. Freezes the piece where it stands.
    void Pause();
    // Game thread. Silences the piece and drops it; the synthesizer rings out.
    void Unload();

    // Game thread. True once the current pass of the loaded piece has played to its end.
    bool Ended() const;
    bool Playing() const { return running_ && !Ended(); }
    // Game thread. The position of the current pass in MIDI ticks; 0 before the audio thread has
    // taken it up, or with no piece loaded.
    int Tick() const;
    // Game thread. Frees the pieces the audio thread has let go of, and those it can no longer
    // reach because no render is under way and the next one takes up a later pass first (so
    // that pieces do not pile up while nothing renders, as with no audio device).
    void FreeLetGoPieces();
    // Game thread. Pieces let go of and not freed yet.
    size_t HeldPieces() const { return letGo_.size(); }

    // Game thread. The gain of everything the music renders from the next buffer on.
    void SetGain(float gain) { gain_.store(gain, std::memory_order_relaxed); }

    // Game thread, with no audio thread rendering: back to a fresh process's state.
    void Reset();

    // Audio thread: the music's part of the audio callback. Writes frames of the music to out
    // (zeros when none sounds). Never allocates and never waits on a lock.
    void Render(float* out, int frames);

  private:
    // Every start from the beginning and every unload is a pass with a number of its own. The
    // command word holds the latest pass and whether the piece runs.
    static uint64_t Command(uint32_t pass, bool running) {
        return (static_cast<uint64_t>(pass) << 1) | (running ? 1 : 0);
    }
    void Publish();
    void NewPass(const MidiPiece* piece);
    bool TakenUp(uint32_t pass) const;
    void TakeUp(uint32_t pass);
    void RenderPiece(float* out, int frames);
    void ApplyGain(float* out, int frames) const;

    // Written by the game thread: the piece (null after an unload), published before the command
    // that names its pass.
    std::atomic<const MidiPiece*> piece_{nullptr};
    std::atomic<uint64_t> command_{0};
    // Written by the audio thread: the last pass it took up, the last pass that played to its
    // end, and how far the pass it plays has gone in frames.
    std::atomic<uint32_t> takenUp_{0};
    std::atomic<uint32_t> ended_{0};
    std::atomic<uint64_t> position_{0};
    // Raised by the audio thread as a render begins and as it ends: odd while one runs.
    std::atomic<uint64_t> renders_{0};
    std::atomic<float> gain_{1.0f};
    static_assert(std::atomic<float>::is_always_lock_free);

    // The game thread's own.
    struct LetGo {
        uint32_t pass; // freed once the audio thread has taken up this pass
        std::unique_ptr<MidiPiece> piece;
    };
    std::unique_ptr<MidiPiece> loaded_;
    std::vector<LetGo> letGo_;
    uint32_t lastPass_ = 0;
    uint32_t pass_ = 0; // of the loaded piece; 0 until it is first played
    bool running_ = false;

    // The audio thread's own.
    uint32_t playing_ = 0; // the pass taken up
    int tailFrames_ = 0;
};

// Never destroyed: the audio thread may still render while static objects go.
MusicHandover& TheMusicHandover();

} // namespace platform::midi
