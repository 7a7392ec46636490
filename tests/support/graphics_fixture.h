// A fresh start-up with the window and the display open at a chosen desktop depth, and pictures
// put straight into image slots as pixel values of that depth.
#pragma once
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/main_window.h"
#include "support/runtime_fixture.h"

namespace tessary::testing {

class GraphicsTest : public RuntimeTest {
  protected:
    void TearDown() override { unsetenv("TESSARY_DESKTOP_DEPTH"); }

    // Opens the window and the display as start-up does, with the work surface.
    void OpenDisplay(int depth) {
        setenv("TESSARY_DESKTOP_DEPTH", std::to_string(depth).c_str(), 1);
        ASSERT_EQ(CreateMainWindow(), 1);
        ASSERT_EQ(TheDisplay().Open(), 1);
        ASSERT_EQ(CreateScratchImage(), 1);
    }

    platform::Surface& Back() { return *TheDisplay().backBuffer; }

    // A w x h picture of pseudo-random pixel values in slot n whose top-left value (the key) also
    // appears at every `keyEvery`-th pixel, so keyed copies leave holes.
    ImageSlot& MakePicture(int n, int w, int h, int transparent, uint32_t seed = 1,
                           int keyEvery = 5) {
        ImageSlot& slot = *ImageSlotAt(n);
        slot.surface = TheDisplay().CreateOffscreen(w, h, 0);
        slot.width = w;
        slot.height = h;
        uint32_t v = seed;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                v = v * 1664525u + 1013904223u;
                slot.surface->WritePixel(x, y, (v >> 8) | 1u); // never 0, the empty screen
            }
        const uint32_t key = slot.surface->ReadPixel(0, 0);
        for (int i = keyEvery; i < w * h; i += keyEvery)
            slot.surface->WritePixel(i % w, i / w, key);
        TakeColorKey(n);
        slot.transparent = transparent;
        return slot;
    }

    // Whether the back buffer holds exactly the picture's rectangle at (x, y) (key pixels left
    // out when keyed) and is untouched (0) everywhere else.
    ::testing::AssertionResult ShowsExactly(const ImageSlot& slot, int x, int y, int srcLeft,
                                            int srcTop, int srcRight, int srcBottom, bool keyed) {
        const platform::Surface& back = Back();
        for (int by = 0; by < back.Height(); ++by)
            for (int bx = 0; bx < back.Width(); ++bx) {
                const int sx = bx - x + srcLeft, sy = by - y + srcTop;
                uint32_t expected = 0;
                if (sx >= srcLeft && sx < srcRight && sy >= srcTop && sy < srcBottom) {
                    const uint32_t v = slot.surface->ReadPixel(sx, sy);
                    if (!keyed || v != slot.colorKey) expected = v;
                }
                if (back.ReadPixel(bx, by) != expected)
                    return ::testing::AssertionFailure()
                           << "pixel " << bx << "," << by << " is " << back.ReadPixel(bx, by)
                           << ", expected " << expected;
            }
        return ::testing::AssertionSuccess();
    }

    // Every back-buffer pixel, row by row.
    std::vector<uint32_t> Snapshot() {
        std::vector<uint32_t> all;
        all.reserve(static_cast<size_t>(Back().Width()) * static_cast<size_t>(Back().Height()));
        for (int y = 0; y < Back().Height(); ++y)
            for (int x = 0; x < Back().Width(); ++x)
                all.push_back(Back().ReadPixel(x, y));
        return all;
    }

    bool BackIsEmpty() {
        for (int y = 0; y < Back().Height(); ++y)
            for (int x = 0; x < Back().Width(); ++x)
                if (Back().ReadPixel(x, y) != 0) return false;
        return true;
    }
};

} // namespace tessary::testing
