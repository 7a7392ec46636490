// The string commands of the sequencer. The device state is shared with the audio thread, which
// ends pieces as it renders them, so every change happens under the mixer's lock; files are read
// before the lock is taken.
#include "mci_sequencer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "audio_mixer.h"
#include "backend.h"
#include "midi_file_check.h"
#include "music_synth.h"
#include "platform/message_box.h"
#include "platform/midi.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace platform {
namespace midi {
namespace {

struct Device {
    bool open = false;
    std::string alias;
    std::vector<uint8_t> file;
    bool playing = false; // rendering and moving on
    bool ended = false;   // reached its end by itself; the last notes ring out
    bool notifyPending = false;
};

Device g_device;

// After a close the synthesizer is rendered on for a while, so that the last notes' reverb dies
// away instead of waiting, frozen, for the next piece.
constexpr int kTailFrames = kMixRate * 2;
int g_tailFrames = 0;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Words separated by blanks; a word in double quotes may hold blanks.
std::vector<std::string> Tokenize(const char* command) {
    std::vector<std::string> words;
    const char* p = command;
    while (*p != '\0') {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0') break;
        std::string word;
        if (*p == '"') {
            ++p;
            while (*p != '\0' && *p != '"')
                word += *p++;
            if (*p == '"') ++p;
        } else {
            while (*p != '\0' && *p != ' ' && *p != '\t')
                word += *p++;
        }
        words.push_back(word);
    }
    return words;
}

void Reply(char* reply, size_t size, const char* text) {
    if (reply != nullptr && size > 0) std::snprintf(reply, size, "%s", text);
}

// Tells the waiting caller that its notice will not come as successful.
void DropPendingNotice(WParam why) {
    if (!g_device.notifyPending) return;
    g_device.notifyPending = false;
    backend::PostMusicNotice(why);
}

uint32_t Open(const std::vector<std::string>& w) {
    if (w.size() < 2) return MCIERR_MISSING_PARAMETER;
    std::string type, alias;
    for (size_t i = 2; i < w.size(); ++i) {
        const std::string key = Lower(w[i]);
        if ((key == "type" || key == "alias") && i + 1 < w.size()) {
            (key == "type" ? type : alias) = Lower(w[++i]);
        } else if (key != "wait" && key != "shareable") {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    if (type != "sequencer" || alias.empty()) return MCIERR_UNRECOGNIZED_KEYWORD;
    if (g_device.open) return g_device.alias == alias ? MCIERR_DUPLICATE_ALIAS : MCIERR_DEVICE_OPEN;

    auto bytes = ReadBinaryFile(HostPath(w[1]));
    if (!bytes) return MCIERR_FILE_NOT_FOUND;
    std::vector<uint8_t> file(bytes->begin(), bytes->end());
    if (const char* why = CheckMidiFile(file.data(), file.size())) {
        const std::string line = "music: " + w[1] + ": " + why + "\n";
        OutputDebugString(line.c_str());
        return MCIERR_INVALID_FILE;
    }
    TheMusicSynth().Prepare();
    std::lock_guard lock(audio::TheMixer().Lock());
    g_device = Device{};
    g_device.open = true;
    g_device.alias = alias;
    g_device.file = std::move(file);
    return 0;
}

uint32_t Play(const std::vector<std::string>& w, uintptr_t window) {
    bool fromStart = false, notify = false;
    for (size_t i = 2; i < w.size(); ++i) {
        const std::string key = Lower(w[i]);
        if (key == "from" && i + 1 < w.size()) {
            if (w[++i] != "0") return MCIERR_OUTOFRANGE; // the player only rewinds to the start
            fromStart = true;
        } else if (key == "notify") {
            notify = true;
        } else if (key != "wait") {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    std::lock_guard lock(audio::TheMixer().Lock());
    DropPendingNotice(MCI_NOTIFY_SUPERSEDED);
    MusicSynth& synth = TheMusicSynth();
    if (fromStart || !synth.HasPiece()) {
        if (!synth.Start(g_device.file)) return MCIERR_INVALID_FILE;
        g_device.ended = false;
    }
    // A piece that had ended and is played on without a rewind ends again at once.
    g_device.playing = true;
    g_device.notifyPending = notify && window != 0;
    return 0;
}

uint32_t Stop() {
    std::lock_guard lock(audio::TheMixer().Lock());
    DropPendingNotice(MCI_NOTIFY_ABORTED);
    g_device.playing = false;
    return 0;
}

uint32_t Close() {
    std::lock_guard lock(audio::TheMixer().Lock());
    DropPendingNotice(MCI_NOTIFY_ABORTED);
    TheMusicSynth().Stop();
    g_device = Device{};
    g_tailFrames = kTailFrames;
    return 0;
}

uint32_t Status(const std::vector<std::string>& w, char* reply, size_t replySize) {
    if (w.size() < 3 || Lower(w[2]) != "mode") return MCIERR_UNRECOGNIZED_KEYWORD;
    std::lock_guard lock(audio::TheMixer().Lock());
    Reply(reply, replySize, g_device.playing ? "playing" : "stopped");
    return 0;
}

} // namespace

void RenderSequencer(float* out, int frames) {
    MusicSynth& synth = TheMusicSynth();
    if (!g_device.open) {
        if (g_tailFrames > 0) {
            synth.Render(out, frames);
            g_tailFrames -= frames;
        } else {
            std::fill(out, out + static_cast<size_t>(frames) * 2, 0.0f);
        }
        return;
    }
    // A stopped piece is frozen where it stands, so that play continues from the same point.
    if (!g_device.playing && !g_device.ended) {
        std::fill(out, out + static_cast<size_t>(frames) * 2, 0.0f);
        return;
    }
    synth.Render(out, frames);
    if (g_device.playing && synth.Finished()) {
        g_device.playing = false;
        g_device.ended = true;
        if (g_device.notifyPending) {
            g_device.notifyPending = false;
            backend::PostMusicNotice(MCI_NOTIFY_SUCCESSFUL);
        }
    }
}

void ResetSequencer() {
    std::lock_guard lock(audio::TheMixer().Lock());
    TheMusicSynth().Reset();
    g_device = Device{};
    g_tailFrames = 0;
}

int SequencerTick() {
    std::lock_guard lock(audio::TheMixer().Lock());
    return TheMusicSynth().Tick();
}

} // namespace midi

uint32_t MciSendString(const char* command, char* reply, size_t replySize, uintptr_t notifyWindow) {
    midi::Reply(reply, replySize, "");
    const std::vector<std::string> w = midi::Tokenize(command != nullptr ? command : "");
    if (w.empty()) return MCIERR_UNRECOGNIZED_COMMAND;
    const std::string verb = midi::Lower(w[0]);
    if (verb == "open") return midi::Open(w);
    if (verb != "play" && verb != "stop" && verb != "close" && verb != "status")
        return MCIERR_UNRECOGNIZED_COMMAND;
    if (w.size() < 2 || !midi::g_device.open || midi::Lower(w[1]) != midi::g_device.alias)
        return MCIERR_INVALID_DEVICE_NAME;
    if (verb == "play") return midi::Play(w, notifyWindow);
    if (verb == "stop") return midi::Stop();
    if (verb == "close") return midi::Close();
    return midi::Status(w, reply, replySize);
}

} // namespace platform
