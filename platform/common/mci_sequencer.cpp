// The string commands of the sequencer, on the game thread. The file is read and timed here;
// playing it is the audio thread's, across the hand-over. The end of a piece comes back as a
// flag, which becomes its notice when the game thread next looks at its messages or sends a
// command.
#include "mci_sequencer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "backend.h"
#include "midi_file_reader.h"
#include "music_handover.h"
#include "music_synth.h"
#include "platform/message_box.h"
#include "platform/midi.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/window.h"

namespace platform {
namespace midi {
namespace {

struct Device {
    bool open = false;
    std::string alias;
    bool notifyPending = false;
};

Device g_device;

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
    PostMessage(MM_MCINOTIFY, why, 1);
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

    const FileContents file = ReadWholeFile(HostPath(w[1]), kMaxMidiFileBytes);
    if (!file.Read()) {
        if (!file.missing)
            OutputDebugString(("music: " + w[1] + " " + file.refusal + "\n").c_str());
        return MCIERR_FILE_NOT_FOUND;
    }
    auto piece = std::make_unique<MidiPiece>();
    if (const char* why = ReadMidiFile(reinterpret_cast<const uint8_t*>(file.bytes.data()),
                                       file.bytes.size(), *piece)) {
        const std::string line = "music: " + w[1] + ": " + why + "\n";
        OutputDebugString(line.c_str());
        return MCIERR_INVALID_FILE;
    }
    TheMusicSynth().Prepare();
    TheMusicHandover().Load(std::move(piece));
    g_device = Device{};
    g_device.open = true;
    g_device.alias = alias;
    backend::NoteMusicCommand(backend::MusicCommand::Open, w[1]);
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
    DropPendingNotice(MCI_NOTIFY_SUPERSEDED);
    // A piece that had ended and is played on without a rewind ends again at once.
    TheMusicHandover().Play(fromStart);
    g_device.notifyPending = notify && window != 0;
    backend::NoteMusicCommand(
        fromStart ? backend::MusicCommand::PlayFromStart : backend::MusicCommand::Resume, "");
    return 0;
}

uint32_t Stop() {
    DropPendingNotice(MCI_NOTIFY_ABORTED);
    TheMusicHandover().Pause();
    backend::NoteMusicCommand(backend::MusicCommand::Stop, "");
    return 0;
}

uint32_t Close() {
    DropPendingNotice(MCI_NOTIFY_ABORTED);
    TheMusicHandover().Unload();
    g_device = Device{};
    backend::NoteMusicCommand(backend::MusicCommand::Close, "");
    return 0;
}

uint32_t Status(const std::vector<std::string>& w, char* reply, size_t replySize) {
    if (w.size() < 3 || Lower(w[2]) != "mode") return MCIERR_UNRECOGNIZED_KEYWORD;
    Reply(reply, replySize, TheMusicHandover().Playing() ? "playing" : "stopped");
    return 0;
}

} // namespace

void PostEndOfPieceNotice() {
    MusicHandover& handover = TheMusicHandover();
    handover.FreeLetGoPieces();
    if (g_device.notifyPending && handover.Ended()) {
        g_device.notifyPending = false;
        PostMessage(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1);
    }
}

void ResetSequencer() {
    TheMusicHandover().Reset();
    g_device = Device{};
}

int SequencerTick() {
    return TheMusicHandover().Tick();
}

} // namespace midi

uint32_t MciSendString(const char* command, char* reply, size_t replySize, uintptr_t notifyWindow) {
    midi::Reply(reply, replySize, "");
    // A pass that has ended is reported before the command changes what plays.
    midi::PostEndOfPieceNotice();
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
