#include "music_handover.h"

#include <algorithm>

#include "music_synth.h"
#include "platform/audio.h"

namespace platform::midi {
namespace {

// After an unload the synthesizer is rendered on for a while, so that the last notes' reverb dies
// away instead of waiting, frozen, for the next piece.
constexpr int kTailFrames = kMixRate * 2;

uint32_t PassOf(uint64_t command) {
    return static_cast<uint32_t>(command >> 1);
}
bool RunningIn(uint64_t command) {
    return (command & 1) != 0;
}

void Silence(float* out, int frames) {
    std::fill(out, out + static_cast<size_t>(frames) * 2, 0.0f);
}

} // namespace

void MusicHandover::Publish() {
    command_.store(Command(pass_, running_));
}

void MusicHandover::NewPass(const MidiPiece* piece) {
    pass_ = ++lastPass_;
    piece_.store(piece, std::memory_order_release);
    Publish();
}

// Passes are numbered in order; the difference tells which came first across a wrap.
bool MusicHandover::TakenUp(uint32_t pass) const {
    const uint32_t taken = takenUp_.load(std::memory_order_acquire);
    return static_cast<int32_t>(taken - pass) >= 0;
}

void MusicHandover::Load(std::unique_ptr<MidiPiece> piece) {
    if (loaded_ != nullptr) Unload();
    loaded_ = std::move(piece);
}

void MusicHandover::Play(bool fromStart) {
    if (loaded_ == nullptr) return;
    running_ = true;
    if (fromStart || pass_ == 0)
        NewPass(loaded_.get());
    else
        Publish();
}

void MusicHandover::Pause() {
    running_ = false;
    Publish();
}

void MusicHandover::Unload() {
    running_ = false;
    NewPass(nullptr);
    if (loaded_ != nullptr) letGo_.push_back({pass_, std::move(loaded_)});
    pass_ = 0;
}

bool MusicHandover::Ended() const {
    return pass_ != 0 && ended_.load(std::memory_order_acquire) == pass_;
}

int MusicHandover::Tick() const {
    if (loaded_ == nullptr || pass_ == 0 || !TakenUp(pass_)) return 0;
    const uint64_t tick = loaded_->TickAt(position_.load(std::memory_order_relaxed));
    return static_cast<int>(std::min<uint64_t>(tick, INT32_MAX));
}

// The let-go pass was published before renders_ is read here (both sequentially consistent):
// when no render runs now, any later render reads that pass, or a later one, before it reads a
// piece, and takes it up in place of the old piece.
void MusicHandover::FreeLetGoPieces() {
    const bool rendering = (renders_.load() & 1) != 0;
    const uint32_t published = PassOf(command_.load());
    letGo_.erase(std::remove_if(letGo_.begin(), letGo_.end(),
                                [&](const LetGo& g) {
                                    return TakenUp(g.pass) ||
                                           (!rendering &&
                                            static_cast<int32_t>(published - g.pass) >= 0);
                                }),
                 letGo_.end());
}

void MusicHandover::Reset() {
    TheMusicSynth().Reset();
    piece_.store(nullptr);
    command_.store(0);
    renders_.store(0);
    takenUp_.store(0);
    ended_.store(0);
    position_.store(0);
    loaded_.reset();
    letGo_.clear();
    lastPass_ = pass_ = playing_ = 0;
    running_ = false;
    tailFrames_ = 0;
    gain_.store(1.0f);
}

// A piece read here was published before the pass read with it, or later; so once a pass is
// taken up, no piece let go of at or before it is read again.
void MusicHandover::TakeUp(uint32_t pass) {
    MusicSynth& synth = TheMusicSynth();
    playing_ = pass;
    const MidiPiece* piece = piece_.load(std::memory_order_acquire);
    if (piece != nullptr) {
        synth.Start(piece);
    } else {
        synth.Stop();
        tailFrames_ = kTailFrames;
    }
    position_.store(0, std::memory_order_relaxed);
    takenUp_.store(pass, std::memory_order_release);
}

void MusicHandover::Render(float* out, int frames) {
    renders_.fetch_add(1);
    RenderPiece(out, frames);
    ApplyGain(out, frames);
    renders_.fetch_add(1);
}

// The synthesizer renders at full level whatever the volume, so that the piece keeps its time
// and its voices when the music is turned down to nothing and up again.
void MusicHandover::ApplyGain(float* out, int frames) const {
    const float gain = gain_.load(std::memory_order_relaxed);
    if (gain == 1.0f) return;
    for (size_t i = 0; i < static_cast<size_t>(frames) * 2; ++i)
        out[i] *= gain;
}

void MusicHandover::RenderPiece(float* out, int frames) {
    MusicSynth& synth = TheMusicSynth();
    const auto use = synth.TryUse();
    if (!use.owns_lock()) return Silence(out, frames); // the soundfont is being loaded
    const uint64_t command = command_.load(std::memory_order_acquire);
    if (PassOf(command) != playing_) TakeUp(PassOf(command));
    if (!synth.HasPiece()) {
        if (tailFrames_ <= 0) return Silence(out, frames);
        synth.Render(out, frames);
        tailFrames_ -= frames;
        return;
    }
    // A stopped piece is frozen where it stands, so that play continues from the same point; one
    // that has ended rings out.
    if (!RunningIn(command) && !synth.Finished()) return Silence(out, frames);
    synth.Render(out, frames);
    position_.store(synth.Position(), std::memory_order_relaxed);
    if (synth.Finished()) ended_.store(playing_, std::memory_order_release);
}

MusicHandover& TheMusicHandover() {
    static MusicHandover* handover = new MusicHandover;
    return *handover;
}

} // namespace platform::midi
