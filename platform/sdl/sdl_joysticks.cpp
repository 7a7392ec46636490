// Joysticks on SDL. A pad SDL knows as a game controller is read by the position of its buttons,
// any other device as a raw joystick. Pads come and go while the game runs: joystick n is the
// n-th of the pads connected now, in the order they were connected.
#include <algorithm>
#include <string>
#include <vector>

#include "pad_rules.h"
#include "platform/joystick.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "sdl_video.h"

namespace platform {
namespace {

struct Pad {
    SDL_JoystickID id = -1;
    SDL_Joystick* joystick = nullptr;
    SDL_GameController* controller = nullptr; // nullptr: read raw
    pads::PadIdentity identity;
    uint32_t tapped = 0; // the game's buttons that went down since the last reading
};

// Every device opened, in the order of connection. Joystick ids are given in this order to the
// devices that are not a second appearance of an earlier one.
std::vector<Pad> g_pads;
std::vector<Pad*> g_numbered;
bool g_started = false;

// Where a game controller's buttons land among the game's buttons 1..8: south fires, east
// brakes, west picks the next special attack, north unleashes it; the shoulders are the two
// special-attack buttons too. Back and Start are buttons 7 and 8, as an Xbox pad numbers them for
// the joystick functions of the original platform.
struct ButtonBits {
    SDL_GameControllerButton button;
    uint32_t bits;
};
constexpr ButtonBits kControllerButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, 1u},
    {SDL_CONTROLLER_BUTTON_B, 2u},
    {SDL_CONTROLLER_BUTTON_X, 4u},
    {SDL_CONTROLLER_BUTTON_Y, 8u},
    {SDL_CONTROLLER_BUTTON_BACK, 64u},
    {SDL_CONTROLLER_BUTTON_START, 128u},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 4u},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 8u},
};
// The triggers, pulled past half way: right fires, left brakes.
constexpr int kTriggerPulled = 16384;

void Say(const std::string& text) {
    OutputDebugString((text + "\n").c_str());
}

// Mappings for pads SDL's own database lacks, in the game's folder (for an installed game, the
// player's folder). SDL_GAMECONTROLLERCONFIG is read by SDL itself.
void LoadMappingFile() {
    const std::string path = HostPath("gamecontrollerdb.txt");
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr) return;
    const int added = SDL_GameControllerAddMappingsFromRW(file, 1);
    if (added < 0)
        Say("gamecontrollerdb.txt: not read (" + std::string(SDL_GetError()) + ")");
    else
        Say("gamecontrollerdb.txt: " + std::to_string(added) + " pad mappings");
}

bool HiddenByHints(int index) {
    const pads::UsbId usb{SDL_JoystickGetDeviceVendor(index), SDL_JoystickGetDeviceProduct(index)};
    return pads::HiddenByHints(usb, SDL_GetHint(SDL_HINT_GAMECONTROLLER_IGNORE_DEVICES),
                               SDL_GetHint(SDL_HINT_GAMECONTROLLER_IGNORE_DEVICES_EXCEPT));
}

bool Open(int index, Pad& pad) {
    if (SDL_IsGameController(index)) {
        pad.controller = SDL_GameControllerOpen(index);
        if (pad.controller != nullptr) pad.joystick = SDL_GameControllerGetJoystick(pad.controller);
    }
    if (pad.joystick == nullptr) pad.joystick = SDL_JoystickOpen(index);
    if (pad.joystick == nullptr) return false;
    pad.id = SDL_JoystickInstanceID(pad.joystick);
    const char* serial = SDL_JoystickGetSerial(pad.joystick);
    pad.identity = {{SDL_JoystickGetVendor(pad.joystick), SDL_JoystickGetProduct(pad.joystick)},
                    serial != nullptr ? serial : ""};
    const char* name = SDL_JoystickName(pad.joystick);
    Say(std::string("pad connected: ") + (name != nullptr ? name : "?") +
        (pad.controller != nullptr ? " (buttons by position)" : " (raw buttons)"));
    return true;
}

void Close(Pad& pad) {
    if (pad.controller != nullptr)
        SDL_GameControllerClose(pad.controller);
    else
        SDL_JoystickClose(pad.joystick);
}

bool IsOpen(SDL_JoystickID id) {
    return std::any_of(g_pads.begin(), g_pads.end(), [id](const Pad& p) { return p.id == id; });
}

// How many pads went.
size_t DropUnplugged() {
    return std::erase_if(g_pads, [](Pad& pad) {
        if (SDL_JoystickGetAttached(pad.joystick)) return false;
        Close(pad);
        return true;
    });
}

// New devices come last in SDL's list, so taking them in its order keeps the order of connection.
// How many pads came.
size_t OpenPluggedIn() {
    const size_t before = g_pads.size();
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (IsOpen(SDL_JoystickGetDeviceInstanceID(i)) || HiddenByHints(i)) continue;
        Pad pad;
        if (Open(i, pad)) g_pads.push_back(pad);
    }
    return g_pads.size() - before;
}

// A pad that shows up twice drives one joystick id: the appearance connected first. When it goes,
// the other takes its place.
void Number() {
    g_numbered.clear();
    for (Pad& pad : g_pads) {
        const bool twin = std::any_of(g_numbered.begin(), g_numbered.end(), [&](const Pad* p) {
            return pads::SamePhysicalPad(p->identity, pad.identity);
        });
        if (!twin && g_numbered.size() < kMaxJoysticks) g_numbered.push_back(&pad);
    }
}

Pad* NumberedPad(int id) {
    if (id < 0 || id >= static_cast<int>(g_numbered.size())) return nullptr;
    return g_numbered[static_cast<size_t>(id)];
}

void ReadController(SDL_GameController* c, JoyPosition& p) {
    pads::StickToPosition(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX),
                          SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY), p.x, p.y);
    if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) p.x = 0;
    if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) p.x = 65535;
    if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_UP)) p.y = 0;
    if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) p.y = 65535;
    for (const ButtonBits& b : kControllerButtons)
        if (SDL_GameControllerGetButton(c, b.button)) p.buttons |= b.bits;
    if (SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kTriggerPulled)
        p.buttons |= 1u;
    if (SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > kTriggerPulled)
        p.buttons |= 2u;
}

uint32_t ControllerButtonBits(Uint8 button) {
    for (const ButtonBits& b : kControllerButtons)
        if (b.button == button) return b.bits;
    return 0;
}

uint32_t TriggerBits(Uint8 axis, Sint16 value) {
    if (value <= kTriggerPulled) return 0;
    if (axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) return 1u;
    return axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ? 2u : 0u;
}

// Every press SDL reports is kept until the pad is read next, so that a button pressed and let go
// between two readings is read as down once. SDL sends pad events from SDL_JoystickUpdate, which
// only the game's thread calls (itself, and through the event pump), and calls its watchers as it
// sends them.
int KeepPress(void* /*unused*/, SDL_Event* e) {
    SDL_JoystickID which = -1;
    uint32_t bits = 0;
    bool raw = false;
    if (e->type == SDL_CONTROLLERBUTTONDOWN) {
        which = e->cbutton.which;
        bits = ControllerButtonBits(e->cbutton.button);
    } else if (e->type == SDL_CONTROLLERAXISMOTION) {
        which = e->caxis.which;
        bits = TriggerBits(e->caxis.axis, e->caxis.value);
    } else if (e->type == SDL_JOYBUTTONDOWN && e->jbutton.button < 8) {
        which = e->jbutton.which;
        bits = 1u << e->jbutton.button;
        raw = true;
    }
    for (Pad& pad : g_pads)
        if (pad.id == which && raw == (pad.controller == nullptr)) pad.tapped |= bits;
    return 0;
}

void ReadRaw(SDL_Joystick* joy, JoyPosition& p) {
    if (SDL_JoystickNumAxes(joy) >= 2)
        pads::StickToPosition(SDL_JoystickGetAxis(joy, 0), SDL_JoystickGetAxis(joy, 1), p.x, p.y);
    if (SDL_JoystickNumHats(joy) >= 1) {
        const Uint8 hat = SDL_JoystickGetHat(joy, 0);
        if (hat & SDL_HAT_LEFT) p.x = 0;
        if (hat & SDL_HAT_RIGHT) p.x = 65535;
        if (hat & SDL_HAT_UP) p.y = 0;
        if (hat & SDL_HAT_DOWN) p.y = 65535;
    }
    const int buttons = SDL_JoystickNumButtons(joy);
    for (int b = 0; b < buttons && b < 8; ++b)
        if (SDL_JoystickGetButton(joy, b)) p.buttons |= 1u << b;
}

} // namespace

int JoyGetNumDevs() {
    if (!g_started) {
        g_started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        if (g_started) {
            LoadMappingFile();
            SDL_AddEventWatch(KeepPress, nullptr);
        }
    }
    return g_started ? 16 : 0;
}

bool JoyUpdateDevices() {
    if (!g_started) return false;
    // Runs SDL's hot-plug detection (as the event pump does) and takes the latest readings.
    SDL_JoystickUpdate();
    const size_t gone = DropUnplugged();
    const size_t came = OpenPluggedIn();
    if (gone + came == 0) return false;
    Number();
    return true;
}

bool JoyGetDevCaps(int id) {
    return NumberedPad(id) != nullptr;
}

bool JoyGetPosEx(int id, JoyPosition& out) {
    Pad* pad = NumberedPad(id);
    if (pad == nullptr) return false;
    JoyPosition p;
    p.x = p.y = pads::kCalibratedCentre;
    if (pad->controller != nullptr)
        ReadController(pad->controller, p);
    else
        ReadRaw(pad->joystick, p);
    p.buttons |= pad->tapped;
    pad->tapped = 0;
    out = p;
    return true;
}

} // namespace platform
