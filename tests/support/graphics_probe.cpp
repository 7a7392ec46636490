// A tiny program on the real platform for the end-to-end picture checks: it writes its own BMP
// (a magenta-keyed frame around red, green and blue blocks with a keyed hole), loads it into a
// slot and draws it at (200, 150) on a grey screen every frame until Esc, above a black band with
// single white pixels, the finest detail a frame has, for the scaling check.
#include "platform/surface.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "support/bmp_writer.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr uint32_t kGreyColorRef = 0x808080;

uint32_t ProbePixel(int x, int y) {
    if (x < 2 || y < 2 || x >= 62 || y >= 46) return kMagenta;
    if (x >= 28 && x < 36 && y >= 20 && y < 28) return kMagenta;
    if (x < 32) return kRed;
    return y < 24 ? kGreen : kBlue;
}

// The band and its pixels, as picture_scaling.sh expects them: two rows of 24, 23 pixels apart, so
// that at a scale that is no whole number each falls on another phase of the screen's pixels.
constexpr platform::Rect kBand{32, 392, 608, 440};
constexpr int kDotLeft = 40, kDotStep = 23, kDotsPerRow = 24, kDotRows[] = {400, 423};

void DrawDetails(tessary::Display& d) {
    platform::FillRect(*d.backBuffer, kBand, d.ColorToPixel(*d.backBuffer, 0x000000));
    const uint32_t white = d.ColorToPixel(*d.backBuffer, 0xFFFFFF);
    for (int y : kDotRows)
        for (int i = 0; i < kDotsPerRow; ++i) {
            const int x = kDotLeft + kDotStep * i;
            platform::FillRect(*d.backBuffer, platform::Rect{x, y, x + 1, y + 1}, white);
        }
}

int DrawProbe() {
    tessary::Display& d = tessary::TheDisplay();
    if (!d.backBuffer) return 1;
    platform::FillRect(*d.backBuffer, platform::Rect{0, 0, d.width, d.height},
                       d.ColorToPixel(*d.backBuffer, kGreyColorRef));
    DrawDetails(d);
    tessary::DrawImage(200, 150, 1, 0, 0, -1, -1);
    return 1;
}

int StartProbe() {
    testsupport::WriteFile("probe.bmp", testsupport::MakeBmp24(64, 48, ProbePixel));
    if (tessary::LoadBmpImage(1, "probe.bmp", 1) == 0) tessary::DebugPrint("probe: no picture\n");
    tessary::SetFramePeriod(16);
    tessary::SetFrameCallback(DrawProbe);
    return 1;
}

} // namespace

int main() {
    return tessary::WinMain(tessary::GameEntry{StartProbe, DrawProbe});
}
