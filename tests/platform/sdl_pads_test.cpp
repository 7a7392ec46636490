// Pads as SDL sees them, through the real SDL platform and the runtime's joystick calls. Virtual
// pads made with SDL's own virtual joystick API stand for an Xbox 360 pad, which SDL's mapping
// database reads as a game controller, and for a stick SDL knows nothing of, read raw. Each case
// runs in a process of its own (CTest), so each starts SDL afresh.
#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/joystick.h"
#include "runtime/input/joystick.h"
#include "runtime/shell/runtime_state.h"
#include "sdl/pad_rules.h"
#include "support/temp_folder.h"
#include "support/test_pads.h"

namespace tessary {
namespace {

using test_pads::Kind;

constexpr int kXboxBack = 6, kXboxStart = 7, kXboxLeftShoulder = 4, kXboxRightShoulder = 5;
constexpr int kXboxLeftTrigger = 2, kXboxRightTrigger = 5;

class PadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetRuntimeStatics();
        // The test's own hold on SDL, for making pads before the platform starts its own.
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    }
    void TearDown() override {
        for (SDL_Joystick* pad : pads_)
            test_pads::Detach(pad);
    }

    // The runtime's start-up and the game's first call.
    void Start() {
        InitJoysticks();
        EnableJoystick(1);
    }
    SDL_Joystick* Plug(Kind kind, Uint16 vendor = 0, Uint16 product = 0) {
        SDL_Joystick* pad = test_pads::Attach(kind, vendor, product);
        EXPECT_NE(pad, nullptr) << SDL_GetError();
        pads_.push_back(pad);
        return pad;
    }
    void Unplug(SDL_Joystick* pad) {
        test_pads::Detach(pad);
        std::erase(pads_, pad);
    }
    // One tick's poll, with the pad's events drained as the window's pump would.
    void Poll() {
        PollJoysticks();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    static void Stick(SDL_Joystick* pad, int x, int y) {
        SDL_JoystickSetVirtualAxis(pad, 0, static_cast<Sint16>(x));
        SDL_JoystickSetVirtualAxis(pad, 1, static_cast<Sint16>(y));
    }
    static std::array<int, 4> Directions(int id = 0) {
        return {JoyState(id, JOY_UP), JoyState(id, JOY_DOWN), JoyState(id, JOY_LEFT),
                JoyState(id, JOY_RIGHT)};
    }
    static uint32_t Buttons(int id = 0) {
        platform::JoyPosition p;
        return platform::JoyGetPosEx(id, p) ? p.buttons : 0xDEAD;
    }

    std::vector<SDL_Joystick*> pads_;
};

constexpr std::array<int, 4> kNone{KEY_UP, KEY_UP, KEY_UP, KEY_UP};

// Noise of up to a fifth of the travel, in every direction, leaves every direction up; a full push
// steers that way alone. The same for a game controller and for a raw stick.
TEST_F(PadTest, AStickAtRestStaysCentredAndAFullPushSteers) {
    Start();
    for (Kind kind : {Kind::kXbox360, Kind::kUnknownStick}) {
        SDL_Joystick* pad = Plug(kind);
        Poll();
        ASSERT_EQ(JoystickCount(), 1);
        Stick(pad, 1200, 900); // a stick resting under 4 % off centre
        Poll();
        platform::JoyPosition p;
        ASSERT_TRUE(platform::JoyGetPosEx(0, p));
        EXPECT_EQ(p.x, 32767u);
        EXPECT_EQ(p.y, 32767u);
        for (int degrees = 0; degrees < 360; degrees += 15) {
            for (double share : {0.05, 0.1, 0.2}) {
                const double a = degrees * M_PI / 180, r = share * 32767;
                Stick(pad, static_cast<int>(std::lround(r * std::cos(a))),
                      static_cast<int>(std::lround(r * std::sin(a))));
                Poll();
                EXPECT_EQ(Directions(), kNone) << degrees << " degrees, " << share;
            }
        }
        // Full pushes up, down, left and right, each with a fifth of the travel sideways, go
        // straight; a push half-way between two directions goes both ways.
        struct Push {
            int x, y;
            std::array<int, 4> directions;
        };
        constexpr int P = KEY_PRESSED;
        const Push pushes[] = {{6553, -32768, {P, 0, 0, 0}},  {-6553, 32767, {0, P, 0, 0}},
                               {-32768, 6553, {0, 0, P, 0}},  {32767, -6553, {0, 0, 0, P}},
                               {23170, -23170, {P, 0, 0, P}}, {-23170, 23170, {0, P, P, 0}}};
        for (const Push& push : pushes) {
            Stick(pad, push.x, push.y);
            Poll();
            EXPECT_EQ(Directions(), push.directions) << push.x << ", " << push.y;
            Stick(pad, 0, 0);
            Poll();
            Poll();
            EXPECT_EQ(Directions(), kNone);
        }
        Unplug(pad);
        Poll();
    }
}

struct Press {
    const char* what;
    int button = -1; // a raw button, or
    int axis = -1;   // an axis pushed to its far end, or
    int hat = 0;     // a hat position
    uint32_t buttons = 0;
    std::array<int, 4> directions = kNone;
};

void PressAndCheck(SDL_Joystick* pad, const Press& press, bool down);

// South, east, west and north are buttons 1 to 4 on a game controller, with the right trigger as
// 1, the left trigger as 2, the shoulders as 3 and 4, Back as 7 and Start as 8; the d-pad steers.
// A stick SDL does not know keeps its raw buttons 1 to 8 and its hat.
TEST_F(PadTest, AControllerGoesByPositionAndAnUnknownStickByNumber) {
    Start();
    SDL_Joystick* xbox = Plug(Kind::kXbox360);
    Poll();
    const std::vector<Press> xboxPresses = {
        {"A, south", 0, -1, 0, 1u},
        {"B, east", 1, -1, 0, 2u},
        {"X, west", 2, -1, 0, 4u},
        {"Y, north", 3, -1, 0, 8u},
        {"back", kXboxBack, -1, 0, 64u},
        {"start", kXboxStart, -1, 0, 128u},
        {"left shoulder", kXboxLeftShoulder, -1, 0, 4u},
        {"right shoulder", kXboxRightShoulder, -1, 0, 8u},
        {"right trigger", -1, kXboxRightTrigger, 0, 1u},
        {"left trigger", -1, kXboxLeftTrigger, 0, 2u},
        {"d-pad up", -1, -1, SDL_HAT_UP, 0u, {KEY_PRESSED, KEY_UP, KEY_UP, KEY_UP}},
        {"d-pad left", -1, -1, SDL_HAT_LEFT, 0u, {KEY_UP, KEY_UP, KEY_PRESSED, KEY_UP}},
    };
    for (const Press& press : xboxPresses) {
        SCOPED_TRACE(press.what);
        PressAndCheck(xbox, press, true);
        PressAndCheck(xbox, press, false);
    }
    Unplug(xbox);
    SDL_Joystick* stick = Plug(Kind::kUnknownStick);
    Poll();
    for (int b = 0; b < 8; ++b) {
        SCOPED_TRACE(b);
        PressAndCheck(stick, {"raw", b, -1, 0, 1u << b}, true);
        PressAndCheck(stick, {"raw", b, -1, 0, 1u << b}, false);
    }
    PressAndCheck(stick, {"hat", -1, -1, SDL_HAT_DOWN, 0u, {0, KEY_PRESSED, 0, 0}}, true);
}

void PressAndCheck(SDL_Joystick* pad, const Press& press, bool down) {
    if (press.button >= 0) SDL_JoystickSetVirtualButton(pad, press.button, down ? 1 : 0);
    if (press.axis >= 0)
        SDL_JoystickSetVirtualAxis(pad, press.axis, static_cast<Sint16>(down ? 32767 : -32768));
    if (press.hat != 0)
        SDL_JoystickSetVirtualHat(pad, 0, static_cast<Uint8>(down ? press.hat : SDL_HAT_CENTERED));
    PollJoysticks();
    platform::JoyPosition p;
    ASSERT_TRUE(platform::JoyGetPosEx(0, p));
    EXPECT_EQ(p.buttons, down ? press.buttons : 0u);
    if (down) {
        const std::array<int, 4> got{JoyState(0, JOY_UP), JoyState(0, JOY_DOWN),
                                     JoyState(0, JOY_LEFT), JoyState(0, JOY_RIGHT)};
        EXPECT_EQ(got, press.directions);
    }
}

// A gamecontrollerdb.txt in the game's folder makes a pad SDL did not know a game controller,
// read by position: here one whose south button is its third.
TEST_F(PadTest, AMappingFileInTheGameFolderTeachesAPad) {
    SDL_Joystick* probe = Plug(Kind::kUnknownStick);
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(probe), guid, sizeof guid);
    const tessary::testing::TempFolder folder("pelko-pads");
    std::ofstream(folder / "gamecontrollerdb.txt")
        << "# a line SDL cannot use is skipped\nnot a mapping\n"
        << guid << ",Test Stick,a:b2,b:b3,x:b0,y:b1,leftx:a0,lefty:a1,platform:Linux,\n";
    {
        const tessary::testing::InFolder inFolder(folder.Path());
        Start();
    }
    ASSERT_EQ(JoystickCount(), 1);
    SDL_JoystickSetVirtualButton(probe, 2, 1);
    Poll();
    EXPECT_EQ(Buttons(), 1u);
    SDL_JoystickSetVirtualButton(probe, 2, 0);
    SDL_JoystickSetVirtualButton(probe, 0, 1);
    Poll();
    EXPECT_EQ(Buttons(), 4u);
}

// A button pressed and let go between two polls is read as pressed by the next poll and released
// by the one after: a controller's buttons by position, its triggers and a raw stick's buttons.
TEST_F(PadTest, APressLetGoBetweenTwoPollsIsReadOnce) {
    Start();
    SDL_Joystick* pads[] = {Plug(Kind::kXbox360), Plug(Kind::kUnknownStick)};
    Poll();
    struct Tap {
        int joystick, button, axis;
        uint32_t mask;
    };
    for (const Tap& t :
         {Tap{0, kXboxStart, -1, 128u}, Tap{0, -1, kXboxRightTrigger, 1u}, Tap{1, 5, -1, 32u}}) {
        SCOPED_TRACE(t.mask);
        for (const bool down : {true, false}) {
            if (t.button >= 0) SDL_JoystickSetVirtualButton(pads[t.joystick], t.button, down);
            if (t.axis >= 0)
                SDL_JoystickSetVirtualAxis(pads[t.joystick], t.axis, down ? 32767 : -32768);
            SDL_JoystickUpdate(); // the pad's driver reports each change
        }
        std::vector<int> seen;
        for (int poll = 0; poll < 3; ++poll) {
            Poll();
            seen.push_back(JoyState(t.joystick, t.mask));
        }
        EXPECT_EQ(seen, (std::vector<int>{KEY_PRESSED, KEY_RELEASED, KEY_UP}));
    }
}

// Pads come and go while the game runs: each change is seen at the next poll, the count is said
// again, and a pad that comes back is read again.
TEST_F(PadTest, APadPluggedInLaterIsSeenAtTheNextPollAndAgainAfterItWasPulledOut) {
    ::testing::internal::CaptureStderr();
    Start();
    EXPECT_EQ(JoystickCount(), 0);
    Poll();
    SDL_Joystick* pad = Plug(Kind::kXbox360);
    Poll();
    EXPECT_EQ(JoystickCount(), 1);
    SDL_JoystickSetVirtualButton(pad, 0, 1);
    Poll();
    EXPECT_EQ(JoyState(0, 1), KEY_PRESSED);
    Unplug(pad);
    Poll();
    EXPECT_EQ(JoystickCount(), 0);
    EXPECT_EQ(JoyState(0, 1), 0);
    pad = Plug(Kind::kXbox360);
    Poll();
    EXPECT_EQ(JoystickCount(), 1);
    EXPECT_EQ(JoyState(0, 1), KEY_UP); // a new pad starts with every button up
    SDL_JoystickSetVirtualButton(pad, 0, 1);
    Poll();
    EXPECT_EQ(JoyState(0, 1), KEY_PRESSED);
    const std::string said = ::testing::internal::GetCapturedStderr();
    const std::string zero = "0個のジョイスティックが使用可能です\n";
    const std::string one = "1個のジョイスティックが使用可能です\n";
    size_t at = said.find(zero); // at start
    ASSERT_NE(at, std::string::npos) << said;
    for (const std::string& line : {one, zero, one}) {
        at = said.find(line, at + 1);
        EXPECT_NE(at, std::string::npos) << said;
    }
}

// Joystick 1 is the first pad connected; when it goes, the next takes its place.
TEST_F(PadTest, TheFirstPadConnectedIsJoystickOneAndTheNextTakesOver) {
    Start();
    SDL_Joystick* first = Plug(Kind::kXbox360);
    SDL_Joystick* second = Plug(Kind::kUnknownStick);
    Poll();
    ASSERT_EQ(JoystickCount(), 2);
    SDL_JoystickSetVirtualButton(second, 0, 1);
    Poll();
    EXPECT_EQ(JoyState(0, 1), KEY_UP);
    EXPECT_EQ(JoyState(1, 1), KEY_PRESSED);
    Unplug(first);
    Poll();
    EXPECT_EQ(JoystickCount(), 1);
    EXPECT_EQ(JoyState(0, 1), KEY_PRESSED);
    Stick(second, 0, -32768);
    Poll();
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_PRESSED);
}

// Steam hides a real pad behind its virtual gamepad by naming the real one in
// SDL_GAMECONTROLLER_IGNORE_DEVICES; the real pad then drives nothing, even connected first.
TEST_F(PadTest, APadHiddenBehindSteamsVirtualGamepadDrivesNothing) {
    SDL_setenv("SDL_GAMECONTROLLER_IGNORE_DEVICES", "0x1209/0x7E57", 1);
    Start();
    SDL_Joystick* real = Plug(Kind::kUnknownStick);
    Poll();
    EXPECT_EQ(JoystickCount(), 0);
    SDL_Joystick* steam = Plug(Kind::kXbox360, 0x28DE, 0x11FF);
    Poll();
    EXPECT_EQ(JoystickCount(), 1);
    SDL_JoystickSetVirtualButton(real, 0, 1);
    SDL_JoystickSetVirtualButton(steam, 1, 1);
    Poll();
    EXPECT_EQ(Buttons(0), 2u); // the virtual gamepad's east button alone
    SDL_setenv("SDL_GAMECONTROLLER_IGNORE_DEVICES", "", 1);
}

// The rules behind the two cases above that virtual pads cannot show: one pad seen twice reports
// one serial; the hint lists as SDL writes them.
TEST(PadRules, OnePadSeenTwiceAndTheIgnoreLists) {
    using platform::pads::PadIdentity;
    const PadIdentity usb{{0x054C, 0x09CC}, "a0:5a:5d:11:22:33"};
    EXPECT_TRUE(platform::pads::SamePhysicalPad(usb, {{0x054C, 0x09CC}, "a0:5a:5d:11:22:33"}));
    EXPECT_FALSE(platform::pads::SamePhysicalPad(usb, {{0x054C, 0x09CC}, "a0:5a:5d:11:22:34"}));
    EXPECT_FALSE(platform::pads::SamePhysicalPad(usb, {{0x054C, 0x05C4}, usb.serial}));
    EXPECT_FALSE(platform::pads::SamePhysicalPad({{0x045E, 0x028E}, ""}, {{0x045E, 0x028E}, ""}));

    const auto list = platform::pads::ParseDeviceList("0x045e/0x028E, junk,0x28DE/,0x28de/0x11ff");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1], (platform::pads::UsbId{0x28DE, 0x11FF}));
    EXPECT_TRUE(platform::pads::HiddenByHints({0x045E, 0x028E}, "0x045e/0x028e", nullptr));
    EXPECT_FALSE(platform::pads::HiddenByHints({0x045E, 0x028E}, "", nullptr));
    EXPECT_TRUE(platform::pads::HiddenByHints({0x045E, 0x028E}, nullptr, "0x28de/0x11ff"));
    EXPECT_FALSE(platform::pads::HiddenByHints({0x28DE, 0x11FF}, nullptr, "0x28de/0x11ff"));
}

} // namespace
} // namespace tessary
