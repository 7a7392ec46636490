#include "support/test_pads.h"

namespace test_pads {
namespace {

SDL_VirtualJoystickDesc DescriptionOf(Kind kind) {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    if (kind == Kind::kXbox360) {
        d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        d.naxes = 6;
        d.nbuttons = 11;
        d.nhats = 1;
        d.vendor_id = kXboxVendor;
        d.product_id = kXbox360Product;
        d.name = "Xbox 360 Controller";
    } else {
        d.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        d.naxes = 2;
        d.nbuttons = 8;
        d.nhats = 1;
        d.vendor_id = kUnknownVendor;
        d.product_id = kUnknownProduct;
        d.name = "Test Stick";
    }
    return d;
}

int DeviceIndexOf(SDL_JoystickID id) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
    return -1;
}

} // namespace

SDL_Joystick* Attach(Kind kind, Uint16 vendor, Uint16 product) {
    SDL_VirtualJoystickDesc d = DescriptionOf(kind);
    if (vendor != 0) d.vendor_id = vendor;
    if (product != 0) d.product_id = product;
    const int index = SDL_JoystickAttachVirtualEx(&d);
    if (index < 0) return nullptr;
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    if (pad == nullptr) return nullptr;
    // A trigger at rest is fully out; SDL starts every virtual axis at 0, half pulled.
    if (kind == Kind::kXbox360) {
        SDL_JoystickSetVirtualAxis(pad, 2, -32768);
        SDL_JoystickSetVirtualAxis(pad, 5, -32768);
    }
    return pad;
}

void Detach(SDL_Joystick* pad) {
    if (pad == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    const int index = DeviceIndexOf(id);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
}

} // namespace test_pads
