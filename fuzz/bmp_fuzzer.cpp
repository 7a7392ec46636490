// libFuzzer target for the BMP decoder: any bytes are either refused or decoded into a picture
// that converts onto surfaces of every depth without reading or writing outside a buffer.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::Bitmap bitmap;
    std::string why;
    if (!platform::DecodeBmp(data, size, bitmap, &why)) return 0;
    if (bitmap.width < 1 || bitmap.height < 1 ||
        bitmap.pixels.size() !=
            static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height))
        __builtin_trap();
    auto palette = std::make_shared<platform::PaletteTable>(bitmap.colorTable);
    for (int depth : {8, 16, 24, 32}) {
        // A small surface: the copy must cut the picture, not run past the surface.
        auto surface = platform::Surface::Create(37, 23, depth);
        surface->SetPalette(palette);
        platform::CopyBitmapToSurface(bitmap, *surface);
    }
    return 0;
}
