// The screens around play. Each is one frame function that draws the whole frame and hands over
// to the next screen by registering it: the logo opens behind black blinds and dissolves into the
// title; the title starts a run or, left alone long enough, the demo; the staff roll follows the
// last stage and dissolves back to the title.
#include "game/flow/screens.h"

#include <cctype>
#include <string>

#include "game/flow/game_globals.h"
#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/player/high_score.h"
#include "game/player/stage_progress.h"
#include "platform/clock.h"
#include "platform/key_names.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "runtime/graphics/type_text.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/music.h"

namespace pelko {
namespace {

constexpr uint16_t kTitlePicture = 11, kLogoPicture = 13, kDemoPicture = 14;
constexpr long kLogoHoldMs = 2500;
constexpr int kIdleFramesBeforeDemo = 1000;
constexpr int kDemoLeftmost = -240, kDemoRightmost = 80;
constexpr int kStaffRollPeriodMs = 50;
constexpr int kStaffRollStart = 480, kStaffRollEnd = -1700;
constexpr uint32_t kWhite = 0xFFFFFF;
// Where the title picture asks for the start key.
constexpr int kStartPlateLeft = 150, kStartPlateTop = 396, kStartPlateRight = 490,
              kStartPlateBottom = 434;
constexpr const char* kStageMusic = "GameData\\BGM1.mid";

struct CreditLine {
    int offset;
    int width, height;
    uint32_t color;
    const char* text;
};

constexpr uint32_t kHeading = 0xFF7F00; // the play field's sky blue
constexpr uint32_t kName = 0xFF0000;    // blue

// The rolling credits. The x of each line does not matter: the roll is printed centred.
constexpr CreditLine kCredits[] = {
    {0, 20, 42, kHeading, "PelkoGame"},
    {100, 20, 42, kHeading, "A PELKO TEAM Production"},
    {200, 20, 42, kHeading, "Staff"},
    {300, 16, 34, kHeading, "Program"},
    {350, 16, 34, kName, "The PELKO TEAM"},
    {450, 16, 34, kHeading, "Pictures"},
    {500, 16, 34, kName, "The PELKO TEAM"},
    {550, 16, 34, kName, "and its own picture generator"},
    {650, 16, 34, kHeading, "Special Thanks"},
    {700, 12, 26, kName, "SDL2 - FluidSynth - FreeType - fontconfig - Qt 6"},
    {730, 12, 26, kName, "IPA Fonts - Liberation Fonts - DejaVu Fonts"},
    {760, 12, 26, kName, "TimGM6mb SoundFont"},
    {800, 16, 34, kName, "And You..."},
    {1200, 16, 34, kName, "Try Hardmode!"},
    {1400, 16, 34, kName, "Press F4 at StartScreen."},
};
constexpr const char* kCreditFace = "標準ゴシック";

bool PadUp(uint32_t button) {
    return tessary::JoyState(0, button) == tessary::KEY_UP;
}

bool PadPressed(uint32_t button) {
    return tessary::JoyState(0, button) == tessary::KEY_PRESSED;
}

// Any of the four face buttons, or Back, pressed or held.
bool AnyPadButtonDown() {
    for (uint32_t button : {kPadSouth, kPadEast, kPadWest, kPadNorth, kPadBack})
        if (tessary::JoyState(0, button) >= tessary::KEY_PRESSED) return true;
    return false;
}

void DrawWholePicture(int x, int y, uint16_t slot) {
    tessary::DrawImage(x, y, slot, 0, 0, -1, -1);
}

void GoToTitle() {
    tessary::SetFramePeriod(Globals().framePeriodMs);
    tessary::CloseMidi();
    tessary::SetFrameCallback(TitleFrame);
}

void DrawTitleStatus() {
    const GameGlobals& g = Globals();
    tessary::SetTextFont(8, 18, kWhite, "Impact");
    if (g.playerCount == 1) tessary::PrintText(10, 10, "1 Player");
    if (g.joystickCount != 0) tessary::PrintText(80, 10, "Using JoyStick ID1");
    tessary::PrintText(230, 10, "High Score %d", g.highScore);
    if (g.hardMode != 0) tessary::PrintText(400, 10, "Hard Mode");
    if (g.use256Color != 0) tessary::PrintText(100, 30, "Use 256Color");
}

// The title picture says "PUSH SPACE KEY"; with another fire key a plate over that line names
// the key that starts.
void DrawStartKeyLine() {
    const int fire = KeyOf(Action::Fire);
    if (fire == kVkSpace) return;
    std::string line = std::string("PUSH ") + platform::KeyName(fire) + " KEY";
    for (char& c : line)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    tessary::FillRect(kStartPlateLeft, kStartPlateTop, kStartPlateRight, kStartPlateBottom, 0);
    tessary::SetTextCentered(1);
    tessary::SetTextFont(12, 28, kWhite, "Impact");
    tessary::PrintText(0, kStartPlateTop + 4, "%s", line.c_str());
    tessary::SetTextCentered(0);
}

void DrawCredits(int top) {
    const CreditLine* previous = nullptr;
    for (const CreditLine& line : kCredits) {
        if (previous == nullptr || previous->width != line.width ||
            previous->height != line.height || previous->color != line.color)
            tessary::SetTextFont(line.width, line.height, line.color, kCreditFace);
        tessary::PrintText(120, top + line.offset, "%s", line.text);
        previous = &line;
    }
}

} // namespace

int LogoFrame() {
    GameGlobals& g = Globals();
    tessary::ClearScreen(kWhite);
    DrawWholePicture(102, 158, kLogoPicture);
    if (tessary::BlindsStep(1, 0, -1) == 1 && g.logoStartTime == 0)
        g.logoStartTime = static_cast<int32_t>(platform::ClockMs());
    if (g.logoStartTime != 0 && platform::ClockMs() > g.logoStartTime + kLogoHoldMs) {
        tessary::SetFadeLevel(0);
        tessary::SetBlinds(0);
        tessary::SetFrameCallback(LogoToTitleFrame);
    }
    // The fire key skips the dissolve, and so do a pad's south and Back buttons; they win over
    // the hand-over above in the same frame.
    if (tessary::KeyState(KeyOf(Action::Fire)) != tessary::KEY_UP || !PadUp(kPadSouth) ||
        !PadUp(kPadBack))
        GoToTitle();
    return 1;
}

int LogoToTitleFrame() {
    tessary::ClearScreen(0);
    DrawWholePicture(0, 0, kTitlePicture);
    if (tessary::FadeStep(1, kWhite) == 0) return 1;
    tessary::SetFadeLevel(0);
    tessary::SetBlinds(0);
    GoToTitle();
    return 1;
}

int TitleFrame() {
    GameGlobals& g = Globals();
    tessary::ClearScreen(0);
    DrawWholePicture(0, 0, kTitlePicture);
    // Pads are picked up at any time: the title names the pad connected now, and the next run
    // takes it.
    g.joystickCount = tessary::JoystickCount();
    DrawStartKeyLine();
    DrawTitleStatus();
    // A pad's Back quits here, as Esc does; everywhere else it goes back a step.
    if (PadPressed(kPadBack)) {
        tessary::RequestClose();
        return 1;
    }
    if (tessary::KeyState(kVkF4) == tessary::KEY_PRESSED || PadPressed(kPadNorth))
        g.hardMode = g.hardMode != 0 ? 0 : 1;
    bool started = false;
    if (tessary::KeyState(KeyOf(Action::Fire)) == tessary::KEY_PRESSED || PadPressed(kPadSouth) ||
        PadPressed(kPadStart)) {
        StartRun();
        tessary::SetFrameCallback(InGameFrame);
        started = true;
    }
    tessary::SetFramePeriod(g.framePeriodMs);
    // The count runs on across visits and through the frame that starts a run; a run started in
    // the very frame the count runs out still goes to play rather than to the demo.
    if (++g.titleIdleCount > kIdleFramesBeforeDemo) {
        g.titleIdleCount = 0;
        if (!started) tessary::SetFrameCallback(DemoFrame);
    }
    return 1;
}

int DemoFrame() {
    GameGlobals& g = Globals();
    tessary::ClearScreen(0);
    g.demoX += g.demoRight != 0 ? 1 : -1;
    DrawWholePicture(g.demoX, 0, kDemoPicture);
    if (g.demoX < kDemoLeftmost)
        g.demoRight = 1;
    else if (g.demoX > kDemoRightmost)
        g.demoRight = 0;
    tessary::TypeText& banner = TheDemoBanner();
    banner.SetPosition(50, 400);
    banner.SetSpeed(5);
    banner.Draw();
    if (tessary::AnyKeyReleased(0) == 1 || !PadUp(kPadSouth) || !PadUp(kPadStart) ||
        !PadUp(kPadBack))
        tessary::SetFrameCallback(TitleFrame);
    return 1;
}

int EndingStartFrame() {
    // The run is over with its last boss; its best score is kept before the credits roll, which
    // the player may well quit.
    SaveHighScoreIfBeaten();
    tessary::SetFramePeriod(kStaffRollPeriodMs);
    tessary::SetTextCentered(1);
    tessary::CloseMidi();
    tessary::PlayMidi(kStageMusic, 1);
    tessary::SetFrameCallback(StaffRollFrame);
    return 1;
}

int StaffRollFrame() {
    GameGlobals& g = Globals();
    tessary::ClearScreen(0);
    DrawCredits(g.staffRollY);
    g.staffRollY -= 1;
    if (g.staffRollY < kStaffRollEnd ||
        EitherKey(Action::EndRun, [](int state) { return state >= tessary::KEY_PRESSED; }) ||
        AnyPadButtonDown())
        tessary::SetFrameCallback(StaffRollEndFrame);
    return 1;
}

int StaffRollEndFrame() {
    tessary::CloseMidi();
    Globals().staffRollY = kStaffRollStart;
    tessary::SetTextCentered(0);
    tessary::SetFrameCallback(LogoToTitleFrame);
    return 1;
}

} // namespace pelko
