#include "support/game_harness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

#include "game/flow/game_globals.h"
#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/player.h"
#include "game/player/stage_progress.h"
#include "platform/crt_random.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "runtime/graphics/display.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/wave_bank.h"

namespace fs = std::filesystem;

namespace pelko::testing {
namespace {

const fs::path& DistFolder() {
    static const fs::path dist = PELKO_DIST_DIR;
    return dist;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Pictures and sounds are linked, not copied: they are only read, and a test makes many folders.
void LinkFromDist(const fs::path& relative, const fs::path& folder) {
    const fs::path source = DistFolder() / relative;
    if (!fs::exists(source)) return;
    fs::create_directories((folder / relative).parent_path());
    fs::create_symlink(source, folder / relative);
}

bool IsSound(const fs::path& p) {
    const std::string ext = p.extension().string();
    return ext == ".wav" || ext == ".mid";
}

} // namespace

GameHarness::GameHarness(GameFolder folder) : options_(std::move(folder)) {
    platform::headless::Reset();
    tessary::ResetRuntimeStatics();
    ResetGameStatics();
    BuildFolder(options_);
    inFolder_.emplace(folder_.Path());
    platform::headless::SetJoystickCount(options_.joysticks);
    if (!options_.music) platform::headless::SetSoundFontSearchPath({});
}

GameHarness::~GameHarness() {
    // The game's objects go before the runtime they draw with, as at the end of a process.
    ResetGameStatics();
    tessary::ResetRuntimeStatics();
    platform::headless::Reset();
    inFolder_.reset();
    unsetenv("TESSARY_DESKTOP_DEPTH");
}

void GameHarness::BuildFolder(const GameFolder& folder) {
    const fs::path& root = folder_.Path();
    fs::create_directories(root / "GameData");
    const fs::path data = DistFolder() / "GameData";
    if (fs::exists(data)) {
        for (const auto& entry : fs::recursive_directory_iterator(data)) {
            if (!entry.is_regular_file()) continue;
            const fs::path relative = fs::relative(entry.path(), DistFolder());
            const std::string name = relative.filename().string();
            const bool stage = name.rfind("Stage", 0) == 0 && relative.extension() == ".dat";
            const bool picture = relative.extension() == ".bmp" || relative.extension() == ".BMP";
            if (stage && folder.shippedStages) LinkFromDist(relative, root);
            if (picture && folder.pictures) LinkFromDist(relative, root);
            if (IsSound(relative) && folder.sounds) LinkFromDist(relative, root);
        }
    }
    if (folder.pictures) LinkFromDist("ForBeginner.BMP", root);
    for (const auto& [number, text] : folder.stages) {
        const fs::path path = root / "GameData" / ("Stage" + std::to_string(number) + ".dat");
        fs::remove(path);
        WriteFile(path, text);
    }
    if (folder.settings) WriteFile(root / "GameData" / "Game.ini", *folder.settings);
    if (folder.storedHighScore) {
        const uint32_t v = *folder.storedHighScore;
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
        // The game reads the file in text mode, so it is stored the way the game writes it.
        platform::WriteTextModeFile((root / "GameData" / "HighScore.dat").string(), bytes);
    }
}

bool GameHarness::Boot() {
    setenv("TESSARY_DESKTOP_DEPTH", std::to_string(options_.desktopDepth).c_str(), 1);
    tessary::RuntimeState& rt = tessary::Runtime();
    rt = tessary::RuntimeState{};
    rt.instance = 1;
    tessary::BuildSineTable();
    if (tessary::CreateMainWindow() == 0) return false;
    if (tessary::TheDisplay().Open() == 0) return false;
    if (tessary::CreateSoundDevice() == 0) return false;
    tessary::StartRuntime(InGameFrame);
    GameStart();
    platform::Srand(options_.seed);
    return true;
}

void GameHarness::StartPlay() {
    StartRun();
    tessary::SetFramePeriod(Globals().framePeriodMs);
    tessary::SetFrameCallback(InGameFrame);
}

void GameHarness::StartPlayFromTitle() {
    Key(kVkSpace, true);
    TickUntilScreen(TitleFrame, 100);
    Key(kVkSpace, false);
    Ticks(2);
    Key(kVkSpace, true);
    TickUntilScreen(InGameFrame, 10);
    Key(kVkSpace, false);
}

void GameHarness::Tick() {
    platform::headless::AdvanceTime(tessary::Runtime().framePeriod);
    tessary::RunTick();
    ++ticks_;
}

void GameHarness::Ticks(int n) {
    for (int i = 0; i < n; ++i)
        Tick();
}

bool GameHarness::TickUntilScreen(tessary::FrameCallback screen, int limit) {
    for (int i = 0; i < limit && Screen() != screen; ++i)
        Tick();
    return Screen() == screen;
}

void GameHarness::Key(int vk, bool down) {
    platform::headless::SetKeyDown(vk, down);
}

void GameHarness::Joystick(int id, platform::JoyPosition position) {
    platform::headless::SetJoystick(id, position);
}

void GameHarness::ApplyDue(const std::vector<ScriptedInput>& script, size_t& next) {
    const ScriptedInput& in = script[next++];
    if (in.vk >= 0)
        Key(in.vk, in.down);
    else
        Joystick(in.joystick, in.position);
}

tessary::FrameCallback GameHarness::Screen() const {
    return tessary::Runtime().frameCallback;
}

Player& GameHarness::Player0() const {
    return PlayerAt(0);
}

std::optional<std::string> GameHarness::ReadFile(const std::string& gamePath) const {
    platform::FileContents file = platform::ReadWholeFile(platform::HostPath(gamePath), 1u << 20);
    if (!file.Read()) return std::nullopt;
    return std::move(file.bytes);
}

std::vector<uint32_t> PresentedRect(int left, int top, int right, int bottom) {
    const std::vector<uint32_t>& frame = platform::headless::PresentedFrame();
    const int width = platform::headless::PresentedWidth();
    std::vector<uint32_t> rect;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            rect.push_back(frame[static_cast<size_t>(y * width + x)]);
    return rect;
}

std::string TakeSoundTrace(const std::set<int>& waves) {
    using Kind = platform::headless::SoundCall::Kind;
    std::string trace;
    for (const platform::headless::SoundCall& c : platform::headless::SoundCalls()) {
        std::string word;
        switch (c.kind) {
        case Kind::Wave:
            if (!waves.empty() && waves.count(c.slot) == 0) continue;
            word = "w" + std::to_string(c.slot) + (c.loop ? "+" : "");
            break;
        case Kind::MusicOpen:
            word = "open " + c.file.substr(c.file.find_last_of('\\') + 1);
            break;
        case Kind::MusicPlayFromStart:
            word = "play";
            break;
        case Kind::MusicResume:
            word = "resume";
            break;
        case Kind::MusicStop:
            word = "stop";
            break;
        case Kind::MusicClose:
            word = "close";
            break;
        }
        trace += (trace.empty() ? "" : " ") + word;
    }
    platform::headless::ClearSoundCalls();
    return trace;
}

} // namespace pelko::testing
