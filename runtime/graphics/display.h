// The one display record: a 640 x 480 back buffer at the desktop's depth that everything is drawn
// into and that is presented once per frame, windowed or full screen, with the clip rectangle all
// drawing respects, the 8-bit palette, and the channel layout the pixel loops use.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/surface.h"
#include "runtime/graphics/stored_palette.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {

inline constexpr uint32_t DDSCL_FULLSCREEN = 1;
inline constexpr uint32_t DDSCL_EXCLUSIVE = 16;
inline constexpr uint32_t DDSCL_NORMAL = 8;

// The stand-in for a GDI drawing context on the back buffer: the surface, and the rectangle GDI
// drawing is limited to (the clip rectangle while a clip region exists, else the whole surface).
struct DrawingContext {
    platform::Surface* surface = nullptr; // null when the context could not be had
    platform::Rect clip{};
};

struct Display {
    // The device exists from Open to Close.
    bool directDraw = false;
    std::unique_ptr<platform::Surface> primary;      // the window; nothing shows while it is lost
    std::unique_ptr<platform::Surface> backBuffer;   // the drawing target of everything
    std::shared_ptr<platform::PaletteTable> palette; // 8-bit mode only; null once released
    int clipRegion = 0; // 1 while GDI drawing is limited to the clip rectangle
    int bufferCount = 2;
    uint32_t cooperativeLevel = DDSCL_NORMAL;
    uint32_t windowedLevel = DDSCL_NORMAL;
    uint32_t fullScreenLevel = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE;
    int surfacesReady = 0;
    int canStretch = 1;
    int presentPaused = 0;
    int waitVSync = 0;
    int width = kDisplayWidth;
    int height = kDisplayHeight;
    int depth = 32;
    int clipLeft = 0, clipRight = kDisplayWidth, clipTop = 0, clipBottom = kDisplayHeight;
    int gdiMode = 13;
    uint16_t maxRed = 255, maxGreen = 255, maxBlue = 255;
    uint16_t shiftRed = 16, shiftGreen = 8, shiftBlue = 0;
    uint32_t halfMask = 0xFEFEFE;

    // The colours every 8-bit surface refers to. The palette is released and made again; these
    // entries stay, so pictures made before a palette change show the new colours, as on a
    // palette device.
    std::shared_ptr<platform::PaletteTable> colors = std::make_shared<platform::PaletteTable>();

    bool IsFullScreen() const { return (cooperativeLevel & DDSCL_FULLSCREEN) != 0; }
    // Flipping always waits for the vertical blank; a copy waits only when asked.
    bool PresentsWaitForVSync() const;

    int Open();
    void Close();
    void ChooseMode();
    int ApplyLevel();
    int CreateSurfaces();
    void ReleaseSurfaces();
    std::unique_ptr<platform::Surface> CreateOffscreen(int w, int h, int systemMemory);
    void FitWindow();
    int CreatePalette(const platform::PaletteTable* table);
    void ReleasePalette();
    int Present();
    DrawingContext GetBackDC();
    void ReleaseBackDC(const DrawingContext& dc);
    uint32_t ColorToPixel(platform::Surface& surface, uint32_t color);
    void SetClip(int left, int top, int right, int bottom);
};

Display& TheDisplay();

// The display's other globals.
struct DisplayGlobals {
    int useFlip = 0;                     // flip in full screen instead of copying
    int paletteFromImagePending = 1;     // the first 8-bit picture still has to set the palette
    platform::Rect presentDestination{}; // the window's client area on the screen
    int scaling = 0;                     // 0: sharp scaling to fill, 1: whole multiples only
    std::array<uint32_t, kStoredPaletteSize> storedPalette = kInitialStoredPalette;
};
DisplayGlobals& TheDisplayGlobals();

int SetVSync(int flag);
int SetUseFlip(int flag);
// How the picture is enlarged in the window and in full screen: 1 whole multiples only, any
// other value sharp scaling to fill (the default).
int SetScaling(int mode);
int ToggleFullScreen();

} // namespace tessary
