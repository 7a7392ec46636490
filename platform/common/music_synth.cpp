#include "music_synth.h"

#include <fluidsynth.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#include "platform/audio.h"
#include "platform/message_box.h"

namespace platform::midi {
namespace {

const std::vector<std::string> kDefaultSoundFonts = {
    "/usr/share/sounds/sf2/default-GM.sf2", // the system's chosen General MIDI font
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

std::vector<std::string>& SearchPath() {
    static std::vector<std::string> paths = kDefaultSoundFonts;
    return paths;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

fluid_player_t* AsPlayer(void* p) {
    return static_cast<fluid_player_t*>(p);
}

// FluidSynth logs every note it cannot find a preset for; the game has its own diagnostics.
void SilenceFluidLog() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, nullptr, nullptr);
}

} // namespace

struct MusicSynth::Handles {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    int soundFont = -1;
    std::string soundFontPath;
    bool reportedMissing = false;
};

bool MusicSynth::Prepare() {
    if (h_ == nullptr) {
        SilenceFluidLog();
        auto* h = new Handles;
        h->settings = new_fluid_settings();
        fluid_settings_setnum(h->settings, "synth.sample-rate", kMixRate);
        fluid_settings_setint(h->settings, "synth.cpu-cores", 1);
        fluid_settings_setint(h->settings, "synth.lock-memory", 0);
        fluid_settings_setstr(h->settings, "player.timing-source", "sample");
        // The defaults drown the music in reverb and chorus; keep both modest.
        fluid_settings_setnum(h->settings, "synth.reverb.level", 0.35);
        fluid_settings_setnum(h->settings, "synth.reverb.room-size", 0.4);
        fluid_settings_setnum(h->settings, "synth.chorus.level", 0.6);
        fluid_settings_setnum(h->settings, "synth.gain", 0.5);
        h->synth = h->settings ? new_fluid_synth(h->settings) : nullptr;
        if (h->synth == nullptr) {
            OutputDebugString("music: FluidSynth cannot start; music is silent\n");
            delete_fluid_settings(h->settings);
            delete h;
            return false;
        }
        h_ = h;
    }
    LoadSoundFont();
    return true;
}

void MusicSynth::LoadSoundFont() {
    const auto& paths = SearchPath();
    auto found = std::find_if(paths.begin(), paths.end(), FileExists);
    const std::string wanted = found == paths.end() ? std::string() : *found;
    if (wanted != h_->soundFontPath) {
        if (h_->soundFont >= 0) fluid_synth_sfunload(h_->synth, h_->soundFont, 1);
        h_->soundFont = wanted.empty() ? -1 : fluid_synth_sfload(h_->synth, wanted.c_str(), 1);
        h_->soundFontPath = wanted;
        h_->reportedMissing = false;
    }
    if (h_->soundFont < 0 && !h_->reportedMissing) {
        const std::string line =
            wanted.empty()
                ? "music: no General MIDI soundfont found (install timgm6mb-soundfont); music is "
                  "silent\n"
                : "music: the soundfont " + wanted + " cannot be read; music is silent\n";
        OutputDebugString(line.c_str());
        h_->reportedMissing = true;
    }
}

bool MusicSynth::Start(const std::vector<uint8_t>& midiFile) {
    if (h_ == nullptr) return false;
    Stop();
    // Nothing carries over from the piece or the pass before: controllers, programs, pitch.
    fluid_synth_system_reset(h_->synth);
    fluid_player_t* player = new_fluid_player(h_->synth);
    if (player == nullptr) return false;
    if (fluid_player_add_mem(player, midiFile.data(), midiFile.size()) != FLUID_OK ||
        fluid_player_play(player) != FLUID_OK) {
        delete_fluid_player(player);
        return false;
    }
    player_ = player;
    return true;
}

void MusicSynth::Stop() {
    if (h_ == nullptr) return;
    if (player_ != nullptr) {
        fluid_player_stop(AsPlayer(player_));
        delete_fluid_player(AsPlayer(player_));
        player_ = nullptr;
    }
    fluid_synth_all_sounds_off(h_->synth, -1);
}

bool MusicSynth::Finished() const {
    // The piece ends at its last event (the end of its longest track), as a sequencer reports it;
    // the file player itself goes on a while for the notes and the reverb to die away.
    if (player_ == nullptr) return true;
    fluid_player_t* player = AsPlayer(player_);
    return fluid_player_get_status(player) == FLUID_PLAYER_DONE ||
           fluid_player_get_current_tick(player) >= fluid_player_get_total_ticks(player);
}

int MusicSynth::Tick() const {
    return player_ == nullptr ? 0 : fluid_player_get_current_tick(AsPlayer(player_));
}

void MusicSynth::Render(float* out, int frames) {
    if (h_ == nullptr) {
        std::fill(out, out + static_cast<size_t>(frames) * 2, 0.0f);
        return;
    }
    fluid_synth_write_float(h_->synth, frames, out, 0, 2, out, 1, 2);
}

void MusicSynth::Reset() {
    Stop();
    if (h_ == nullptr) return;
    fluid_synth_system_reset(h_->synth);
    h_->reportedMissing = false;
    // Rings the reverb and chorus out, so that nothing of an earlier piece is heard later.
    std::vector<float> scratch(1024 * 2);
    for (int block = 0; block < kMixRate * 3 / 1024; ++block) {
        fluid_synth_write_float(h_->synth, 1024, scratch.data(), 0, 2, scratch.data(), 1, 2);
        float peak = 0.0f;
        for (float v : scratch)
            peak = std::max(peak, std::fabs(v));
        if (peak < 1e-6f) break;
    }
}

MusicSynth& TheMusicSynth() {
    static MusicSynth* synth = new MusicSynth;
    return *synth;
}

void SetSoundFontSearchPath(std::vector<std::string> paths) {
    SearchPath() = std::move(paths);
}
void ResetSoundFontSearchPath() {
    SearchPath() = kDefaultSoundFonts;
}

} // namespace platform::midi
