// A tiny program on the real platform for the end-to-end picture check: it writes its own BMP
// (a magenta-keyed frame around red, green and blue blocks with a keyed hole), loads it into a
// slot and draws it at (200, 150) on a grey screen every frame until Esc.
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

int DrawProbe() {
    tessary::Display& d = tessary::TheDisplay();
    if (d.backBuffer)
        platform::FillRect(*d.backBuffer, platform::Rect{0, 0, d.width, d.height},
                           d.ColorToPixel(*d.backBuffer, kGreyColorRef));
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
