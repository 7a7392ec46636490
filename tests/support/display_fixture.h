// A runtime test with the display open at a chosen depth, the scratch slot made and the sine table
// built, and helpers to put pictures into slots and to read the back buffer.
#pragma once
#include <cstdlib>
#include <string>

#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/main_window.h"
#include "support/runtime_fixture.h"

namespace tessary::testing {

class DisplayTest : public RuntimeTest {
  protected:
    void OpenDisplay(int depth) {
        setenv("TESSARY_DESKTOP_DEPTH", std::to_string(depth).c_str(), 1);
        BuildSineTable();
        ASSERT_EQ(CreateMainWindow(), 1);
        ASSERT_EQ(TheDisplay().Open(), 1);
        ASSERT_EQ(TheDisplay().depth, depth);
        CreateScratchImage();
    }
    void TearDown() override { unsetenv("TESSARY_DESKTOP_DEPTH"); }

    platform::Surface& Back() { return *TheDisplay().backBuffer; }
    uint32_t At(int x, int y) { return Back().ReadPixel(x, y); }
    uint32_t Pixel(uint32_t color) { return Back().PixelFromColor(color); }

    void FillBack(uint32_t color) {
        platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, Pixel(color));
    }

    // A w x h picture in slot n whose pixels come from paint(x, y) as pixel values; transparent
    // slots take their key from the top-left pixel, as loaded pictures do.
    template <class Paint> void MakePicture(int n, int w, int h, bool transparent, Paint paint) {
        ImageSlot& slot = *ImageSlotAt(n);
        slot.surface = TheDisplay().CreateOffscreen(w, h, 0);
        slot.width = w;
        slot.height = h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                slot.surface->WritePixel(x, y, paint(x, y));
        TakeColorKey(n);
        slot.transparent = transparent ? 1 : 0;
    }
};

} // namespace tessary::testing
