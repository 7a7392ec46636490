#include "music_synth.h"

#include <dlfcn.h>
#include <fluidsynth.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/audio.h"
#include "platform/message_box.h"

namespace platform::midi {
namespace {

// Debian's own places for General MIDI fonts (update-alternatives chooses what the first two
// point to among the installed fonts), then the font the package depends on.
const char* const kSystemSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

struct Search {
    bool replaced = false; // by a test
    std::vector<std::string> paths;
    std::string root;
};

Search& TheSearch() {
    static Search search;
    return search;
}

bool g_loadInBackground = false;

std::vector<std::string> SearchPath() {
    const Search& search = TheSearch();
    if (search.replaced) return search.paths;
    std::vector<std::string> paths = SoundFontCandidates(FluidSynthDefaultSoundFont());
    for (std::string& path : paths)
        path = search.root + path;
    return paths;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The path as given, and the file it stands for when it is a link (as the default-GM names are).
std::string Described(const std::string& path) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    return error || real == path ? path : path + " (" + real.string() + ")";
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

std::string FluidSynthDefaultSoundFont() {
    static const std::string path = [] {
        fluid_settings_t* settings = new_fluid_settings();
        char* value = nullptr;
        std::string found;
        if (settings != nullptr &&
            fluid_settings_dupstr(settings, "synth.default-soundfont", &value) == FLUID_OK &&
            value != nullptr)
            found = value;
        fluid_free(value);
        delete_fluid_settings(settings);
        return found;
    }();
    return path;
}

std::vector<std::string> SoundFontCandidates(const std::string& fluidDefault) {
    // FluidSynth's own default comes first: it is the font the system's FluidSynth was built to
    // play with (on Debian the sf3 alternative), so the game sounds like every other FluidSynth
    // program there. The sf2 alternative comes before the sf3 one: an sf2 font is read without
    // decoding its samples (a large sf3 font takes seconds) and by any build of FluidSynth.
    std::vector<std::string> paths;
    if (!fluidDefault.empty()) paths.push_back(fluidDefault);
    for (const char* path : kSystemSoundFonts)
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
    return paths;
}

bool MusicSynth::Prepare() {
    if (h_ == nullptr) {
        SilenceFluidLog();
        auto* h = new Handles;
        h->settings = new_fluid_settings();
        fluid_settings_setnum(h->settings, "synth.sample-rate", kMixRate);
        fluid_settings_setint(h->settings, "synth.cpu-cores", 1);
        fluid_settings_setint(h->settings, "synth.lock-memory", 0);
        // Only one thread at a time uses the synthesizer (TryUse), so its own lock, taken in
        // every call, would be one more lock on the audio thread for nothing.
        fluid_settings_setint(h->settings, "synth.threadsafe-api", 0);
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
        std::lock_guard lock(use_);
        h_ = h;
    }
    if (loading_.load()) return true; // the piece waits for the font being read
    WaitForLoader();
    if (g_loadInBackground && h_->soundFont < 0 && !h_->reportedMissing) {
        loading_.store(true);
        loader_ = std::thread([this] {
            LoadSoundFont();
            loading_.store(false);
        });
    } else {
        LoadSoundFont();
    }
    return true;
}

void MusicSynth::WaitForLoader() {
    if (loader_.joinable()) loader_.join();
}

// The first font of the search that FluidSynth reads is used; the one in use is kept as long as
// nothing before it in the search turns up.
void MusicSynth::LoadSoundFont() {
    std::string unreadable;
    std::string chosen;
    for (const std::string& path : SearchPath()) {
        if (path == h_->soundFontPath && h_->soundFont >= 0) {
            chosen = path;
            break;
        }
        if (!FileExists(path)) continue;
        std::lock_guard lock(use_);
        const int font = fluid_synth_sfload(h_->synth, path.c_str(), 1);
        if (font < 0) {
            unreadable += (unreadable.empty() ? "" : ", ") + path;
            continue;
        }
        if (h_->soundFont >= 0) fluid_synth_sfunload(h_->synth, h_->soundFont, 1);
        h_->soundFont = font;
        h_->soundFontPath = chosen = path;
        h_->reportedMissing = false;
        std::string line = "music: General MIDI soundfont " + Described(path);
        if (!unreadable.empty()) line += "; " + unreadable + " cannot be read";
        OutputDebugString((line + "\n").c_str());
        break;
    }
    if (!chosen.empty()) return;
    if (h_->soundFont >= 0) {
        std::lock_guard lock(use_);
        fluid_synth_sfunload(h_->synth, h_->soundFont, 1);
        h_->soundFont = -1;
        h_->soundFontPath.clear();
    }
    if (h_->reportedMissing) return;
    const std::string line =
        unreadable.empty()
            ? "music: no General MIDI soundfont found (install timgm6mb-soundfont); music is "
              "silent\n"
            : "music: the soundfont " + unreadable + " cannot be read; music is silent\n";
    OutputDebugString(line.c_str());
    h_->reportedMissing = true;
}

void MusicSynth::Start(const MidiPiece* piece) {
    Stop();
    piece_ = piece;
    // Nothing carries over from the piece or the pass before: controllers, programs, pitch.
    if (h_ != nullptr) fluid_synth_system_reset(h_->synth);
}

void MusicSynth::Stop() {
    piece_ = nullptr;
    next_ = 0;
    position_ = 0;
    if (h_ != nullptr) fluid_synth_all_sounds_off(h_->synth, -1);
}

void MusicSynth::Render(float* out, int frames) {
    int done = 0;
    for (;;) {
        PlayDueEvents();
        if (done >= frames) return;
        // The synthesizer runs up to the next event or the end, whichever comes first.
        int run = frames - done;
        if (piece_ != nullptr && !Finished()) {
            uint64_t until = piece_->endFrame;
            if (next_ < piece_->events.size()) until = std::min(until, piece_->events[next_].frame);
            run =
                static_cast<int>(std::min<uint64_t>(static_cast<uint64_t>(run), until - position_));
            position_ += static_cast<uint64_t>(run);
        }
        Write(out + static_cast<size_t>(done) * 2, run);
        done += run;
    }
}

void MusicSynth::PlayDueEvents() {
    if (piece_ == nullptr) return;
    const std::vector<MidiEvent>& events = piece_->events;
    while (next_ < events.size() && events[next_].frame <= position_)
        Send(events[next_++]);
}

void MusicSynth::Send(const MidiEvent& e) {
    if (h_ == nullptr) return;
    fluid_synth_t* synth = h_->synth;
    const int channel = e.status & 0x0F;
    switch (e.status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth, channel, e.data1);
        break;
    case 0x90:
        fluid_synth_noteon(synth, channel, e.data1, e.data2); // velocity 0 is a note-off
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth, channel, e.data1, e.data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth, channel, e.data1, e.data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth, channel, e.data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth, channel, e.data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth, channel, e.data1 | (e.data2 << 7));
        break;
    default: // system exclusive
        fluid_synth_sysex(synth, reinterpret_cast<const char*>(&piece_->sysex[e.sysexOffset]),
                          static_cast<int>(e.sysexLength), nullptr, nullptr, nullptr, 0);
        break;
    }
}

void MusicSynth::Write(float* out, int frames) {
    if (h_ == nullptr) {
        std::fill(out, out + static_cast<size_t>(frames) * 2, 0.0f);
        return;
    }
    fluid_synth_write_float(h_->synth, frames, out, 0, 2, out, 1, 2);
}

void MusicSynth::Reset() {
    WaitForLoader();
    std::lock_guard lock(use_);
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
    if (h_->soundFont >= 0) fluid_synth_sfunload(h_->synth, h_->soundFont, 1);
    h_->soundFont = -1;
    h_->soundFontPath.clear();
}

MusicSynth& TheMusicSynth() {
    static MusicSynth* synth = new MusicSynth;
    return *synth;
}

void SetSoundFontSearchPath(std::vector<std::string> paths) {
    TheSearch().replaced = true;
    TheSearch().paths = std::move(paths);
}
void SetSoundFontRoot(std::string root) {
    TheSearch().root = std::move(root);
}
void ResetSoundFontSearchPath() {
    TheSearch() = Search{};
}

void LoadSoundFontInBackground() {
    g_loadInBackground = true;
}

} // namespace platform::midi

// FluidSynth runs its reverb and chorus in an OpenMP parallel region even when it asks for one
// thread, and for every such region libgomp builds a team on the heap and frees it again: two
// heap calls in every render, on the audio thread. A region of one thread does exactly what a
// plain call does (its loop takes every turn, its barrier has no one to wait for), so it is run
// as one; every other region goes on to libgomp. Defined here, in the object that uses
// FluidSynth, so that every program that plays music carries it.
extern "C" void GOMP_parallel(void (*fn)(void*), void* data, unsigned numThreads, unsigned flags) {
    if (numThreads == 1) {
        fn(data);
        return;
    }
    using Parallel = void (*)(void (*)(void*), void*, unsigned, unsigned);
    static const auto next = reinterpret_cast<Parallel>(dlsym(RTLD_NEXT, "GOMP_parallel"));
    next(fn, data, numThreads, flags);
}
