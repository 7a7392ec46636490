// The graphics fixture with what the text, transition and effect tests add: the sine table the
// rotation reads, colours given as 0x00BBGGRR, and pictures painted pixel by pixel.
#pragma once
#include "support/graphics_fixture.h"

namespace tessary::testing {

class DisplayTest : public GraphicsTest {
  protected:
    void OpenDisplay(int depth) {
        BuildSineTable();
        GraphicsTest::OpenDisplay(depth);
    }

    uint32_t At(int x, int y) { return Back().ReadPixel(x, y); }
    uint32_t Pixel(uint32_t color) { return Back().PixelFromColor(color); }

    void FillBack(uint32_t color) {
        platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, Pixel(color));
    }

    // A w x h picture in slot n whose pixels come from paint(x, y) as pixel values; transparent
    // slots take their key from the top-left pixel, as loaded pictures do.
    template <class Paint> void PaintPicture(int n, int w, int h, bool transparent, Paint paint) {
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
