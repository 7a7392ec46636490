#include "runtime/graphics/image_slots.h"

#include <cstring>
#include <string>

#include "platform/paths.h"
#include "platform/pixel_memory.h"
#include "runtime/graphics/display.h"
#include "runtime/shell/diagnostics.h"

namespace tessary {
namespace {

// The first word of the surface memory, as a lock shows it.
bool ReadFirstPixel(const platform::Surface& surface, uint32_t& value) {
    const uint8_t* p = surface.Lock(nullptr);
    if (p == nullptr) return false;
    value = surface.ReadPixel(0, 0);
    surface.Unlock();
    return true;
}

void TakePaletteFrom(const platform::Bitmap& bitmap) {
    Display& display = TheDisplay();
    DisplayGlobals& globals = TheDisplayGlobals();
    if (display.depth != 8 || globals.paletteFromImagePending == 0) return;
    if (bitmap.bitsPerPixel != 8) {
        DebugPrint("パレット取得に失敗しました。ビットマップが256色以外です。\n");
        return;
    }
    display.ReleasePalette();
    display.CreatePalette(&bitmap.colorTable);
    globals.paletteFromImagePending = 0;
}

} // namespace

ImageSlot* ImageSlotAt(int n) {
    if (n < 0 || n >= kImageSlotCount) return nullptr;
    return &TheImageSlots().slots[static_cast<size_t>(n)];
}

platform::Surface* ImageSurface(int n) {
    ImageSlot* slot = ImageSlotAt(n);
    return slot != nullptr ? slot->surface.get() : nullptr;
}

int LoadBmpImage(uint16_t slotNumber, const char* path, int transparent) {
    if (slotNumber > kLastPictureSlot) return 0;
    ImageSlot& slot = *ImageSlotAt(slotNumber);
    slot.surface.reset();
    const char* name = path != nullptr ? path : "";
    if (std::strlen(name) >= kImageFileNameSize) {
        DebugPrint("BMP[%.200s...]のオープンに失敗しました。\n", name);
        DebugPrint("BMP: the path is longer than 255 characters\n");
        return 0;
    }
    std::strcpy(slot.fileName.data(), name);
    platform::Bitmap bitmap;
    std::string why;
    if (!platform::LoadBmpFile(platform::HostPath(name), bitmap, &why)) {
        DebugPrint("BMP[%s]のオープンに失敗しました。\n", name);
        DebugPrint("BMP[%s]: %s\n", name, why.c_str());
        return 0;
    }
    if (ImageFromBitmap(slotNumber, bitmap) == 0) return 0;
    TakeColorKey(slotNumber);
    slot.transparent = transparent;
    return 1;
}

void ReloadImage(int n) {
    ImageSlot* slot = ImageSlotAt(n);
    if (slot == nullptr || !slot->surface || !slot->surface->IsLost()) return;
    slot->surface->Restore();
    DebugPrint("BUFFER LOST:IMG[%s]をリロードします。\n", slot->fileName.data());
    ImageSlotTable& table = TheImageSlots();
    const int savedUseVRAM = table.useVRAM;
    table.useVRAM = slot->inVideoMemory; // back into the same kind of memory
    const std::array<char, kImageFileNameSize> fileName = slot->fileName;
    LoadBmpImage(static_cast<uint16_t>(n), fileName.data(), slot->transparent);
    table.useVRAM = savedUseVRAM;
}

int CreateScratchImage() {
    ImageSlot& slot = *ImageSlotAt(kScratchSlot);
    if (slot.surface) return 0;
    Display& display = TheDisplay();
    slot.width = kDisplayWidth;
    slot.height = kDisplayHeight;
    slot.surface = display.CreateOffscreen(kDisplayWidth, kDisplayHeight, 1);
    slot.inVideoMemory = 0;
    if (!slot.surface) {
        DebugPrint("サーフェイスの作成に失敗\n");
        DebugPrint("作業用バッファの構築に失敗しました。\n");
        return 0;
    }
    platform::FillRect(*slot.surface, platform::Rect{0, 0, kDisplayWidth, kDisplayHeight},
                       display.ColorToPixel(*slot.surface, 0));
    slot.transparent = 0;
    return 1;
}

void ReleaseAllImages() {
    for (ImageSlot& slot : TheImageSlots().slots)
        slot.surface.reset();
}

int ImageFromBitmap(int n, const platform::Bitmap& bitmap) {
    ImageSlot* slot = ImageSlotAt(n);
    if (slot == nullptr) return 0;
    ImageSlotTable& table = TheImageSlots();
    slot->width = bitmap.width;
    slot->height = bitmap.height;
    slot->inVideoMemory = table.useVRAM;
    slot->surface = TheDisplay().CreateOffscreen(bitmap.width, bitmap.height, table.useVRAM == 0);
    if (!slot->surface) {
        DebugPrint("サーフェイスの作成に失敗\n");
        return 0;
    }
    TakePaletteFrom(bitmap);
    platform::CopyBitmapToSurface(bitmap, *slot->surface);
    return 1;
}

void TakeColorKey(int n) {
    ImageSlot* slot = ImageSlotAt(n);
    if (slot == nullptr || !slot->surface) return;
    uint32_t first = 0;
    if (!ReadFirstPixel(*slot->surface, first)) return;
    slot->colorKey = first & platform::DepthMask(TheDisplay().depth);
    slot->surface->SetColorKey(slot->colorKey);
}

int SetUseVRAM(int flag) {
    TheImageSlots().useVRAM = flag;
    return 1;
}

} // namespace tessary
