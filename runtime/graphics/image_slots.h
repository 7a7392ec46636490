// The numbered image slots every blit names its source by: slots 0..255 hold pictures loaded from
// BMP files, slot 256 is a screen-sized work surface for the scaling blit and the pixel effects.
// A slot remembers its file so that a lost surface can be loaded again by itself.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/bitmap.h"
#include "platform/surface.h"

namespace tessary {

inline constexpr int kImageSlotCount = 257;
inline constexpr int kLastPictureSlot = 255; // slots 0..255 hold pictures
inline constexpr int kScratchSlot = 256;
inline constexpr int kImageFileNameSize = 256;

struct ImageSlot {
    std::unique_ptr<platform::Surface> surface; // null: the slot is empty
    int width = 0, height = 0;
    uint32_t colorKey = 0; // the top-left pixel as stored, cut to the display's depth
    int transparent = 0;   // 1: pixels equal to colorKey are left out of blits
    std::array<char, kImageFileNameSize> fileName{};
    int inVideoMemory = 0; // the video-memory setting in force when the surface was made
};

struct ImageSlotTable {
    std::array<ImageSlot, kImageSlotCount> slots;
    int useVRAM = 1; // new picture surfaces go to video memory
};
ImageSlotTable& TheImageSlots();

// The slot numbered n, or null when n is outside 0..256.
ImageSlot* ImageSlotAt(int n);
// The slot's surface, or null when n is outside 0..256 or the slot is empty.
platform::Surface* ImageSurface(int n);

// Loads a BMP file (a game path such as "GameData\Fullcolor\Player.bmp") into slot 0..255.
int LoadBmpImage(uint16_t slot, const char* path, int transparent);
// Brings a lost slot surface back and loads its picture again; nothing for a slot not lost.
void ReloadImage(int slot);
// Makes slot 256 a black 640 x 480 work surface, once.
int CreateScratchImage();
void ReleaseAllImages();
// Makes the slot's surface from a decoded bitmap in the display's format.
int ImageFromBitmap(int slot, const platform::Bitmap& bitmap);
// The slot's top-left pixel becomes its transparent colour.
void TakeColorKey(int slot);
int SetUseVRAM(int flag);

} // namespace tessary
