#include "support/effect_scenes.h"

#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/pixel_effects.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "support/bmp_writer.h"

namespace tessary::testing {
namespace {

// A backdrop with colour and structure, so that blending and dithering show.
void Backdrop() {
    for (int band = 0; band < 8; ++band) {
        const uint32_t colors[8] = {0x402000, 0x004080, 0x008040, 0x800040,
                                    0x606060, 0x0000C0, 0xC08000, 0x00C0C0};
        FillRect(band * 80, 0, band * 80 + 80, 480, colors[band]);
    }
    for (int y = 0; y < 480; y += 40)
        DrawRect(0, y, 640, y + 40, 0xFFFFFF);
}

void TextScene() {
    ClearScreen(0x303030);
    SetTextCentered(0);
    SetTextFont(8, 18, 0xFFFFFF, "Impact");
    PrintText(10, 10, "High Score %d", 1234);
    SetTextFont(8, 20, 0xFFFFFF, "Impact");
    PrintText(10, 40, "High Score %d", 1234);
    SetTextFont(8, 16, 0xFFFFFF, "標準ゴシック");
    PrintText(10, 70, "Life 3  Score 123456  High 123456");
    SetTextFont(16, 34, 0x0000FF, "Impact");
    PrintText(10, 100, "STAGE 1 CLEAR");
    SetTextFont(20, 42, 0x0000FF, "Impact");
    PrintText(10, 140, "WARNING!!");
    SetTextFont(20, 42, 0xFFFFFF, "標準ゴシック");
    PrintText(10, 200, "スタッフロール 制作 ぺるこ");
    SetTextCentered(1);
    SetTextFont(8, 16, 0x00FFFF, "標準ゴシック");
    PrintText(0, 260, "Centred line one\nand line two");
    SetTextCentered(0);
    SetTextFont(8, 20, 0xFFFFFF, "Impact");
    PrintText(10, 320, "The quick brown fox jumps over the lazy dog 0123456789");
    SetTextFont(8, 18, 0x80FF80, "Impact");
    PrintText(10, 350, "Life 3  Score 123456  High 123456");
}

// Screens redraw their picture every frame before stepping a transition; so do these.
void FadeHalf() {
    SetFadeLevel(0);
    for (int i = 0; i < 10; ++i) {
        Backdrop();
        FadeStep(1, 0);
    }
}

void BlindsHalf() {
    SetBlinds(1);
    for (int i = 0; i < 8; ++i) {
        Backdrop();
        BlindsStep(0, 0x000000, -1);
    }
}

// A round, shaded 64 x 64 sprite on a magenta key, in slot 1.
void MakeSprite() {
    ImageSlot& slot = *ImageSlotAt(1);
    slot.surface = TheDisplay().CreateOffscreen(64, 64, 0);
    slot.width = slot.height = 64;
    platform::Surface& s = *slot.surface;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int dx = x - 32, dy = y - 32;
            uint32_t color = 0xFF00FF;
            if (dx * dx + dy * dy < 30 * 30) {
                const uint32_t r = 255 - static_cast<uint32_t>(x * 3),
                               g = static_cast<uint32_t>(y * 4);
                color = r | (g << 8) | (0x60u << 16);
            }
            if (x < 12 && y < 40 && y > 20)
                color = 0xFFFFFF; // a white bar on the left shows the turn
            s.WritePixel(x, y, s.PixelFromColor(color));
        }
    s.WritePixel(0, 0, s.PixelFromColor(0xFF00FF));
    TakeColorKey(1);
    slot.transparent = 1;
}

// Plain, rotated by 30 degrees, 50 percent, 30 percent, additive and exclusive-or, left to right.
void SpriteEffects() {
    Backdrop();
    MakeSprite();
    SetTextFont(8, 16, 0xFFFFFF, "標準ゴシック");
    const char* names[] = {"plain", "rot 30", "50%", "30%", "add", "xor"};
    for (int i = 0; i < 6; ++i) {
        const int x = 20 + i * 104, y = 200;
        PrintText(x, y - 40, "%s", names[i]);
        switch (i) {
        case 0:
            DrawImage(x, y, 1, 0, 0, -1, -1);
            break;
        case 1:
            DrawImageRotated(x, y, 1, 30, 0, 0, -1, -1);
            break;
        case 2:
            DrawImageTranslucent(x, y, 1, 50, 0, 0, -1, -1, 0);
            break;
        case 3:
            DrawImageTranslucent(x, y, 1, 30, 0, 0, -1, -1, 0);
            break;
        case 4:
            DrawImageAdditive(x, y, 1, 0, 0, -1, -1);
            break;
        default:
            DrawImageRop(x, y, 1, 7, 0, 0, -1, -1);
            break;
        }
    }
}

} // namespace

const std::vector<Scene>& EffectScenes() {
    static const std::vector<Scene> scenes = {{"text", TextScene},
                                              {"fade_half", FadeHalf},
                                              {"blinds_half", BlindsHalf},
                                              {"sprites", SpriteEffects}};
    return scenes;
}

void WriteBackBufferBmp(const std::string& path) {
    const platform::Surface& s = *TheDisplay().backBuffer;
    auto bytes = testsupport::MakeBmp24(s.Width(), s.Height(), [&](int x, int y) {
        const uint32_t c = s.ColorFromPixel(s.ReadPixel(x, y)); // 0x00BBGGRR
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    });
    testsupport::WriteFile(path, bytes);
}

} // namespace tessary::testing
