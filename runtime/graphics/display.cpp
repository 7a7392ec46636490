#include "display.h"

#include "platform/present.h"
#include "platform/window.h"
#include "runtime/graphics/stored_palette.h"
#include "runtime/shell/diagnostics.h"

namespace tessary {
namespace {

// Shift = trailing zero bits of the mask, max = the mask shifted down by it.
void ReadChannel(uint32_t mask, uint16_t& max, uint16_t& shift) {
    shift = 0;
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    max = static_cast<uint16_t>(mask);
}

void TakeChannelLayout(Display& d) {
    if (d.depth == 16) {
        ReadChannel(0xF800, d.maxRed, d.shiftRed);
        ReadChannel(0x07E0, d.maxGreen, d.shiftGreen);
        ReadChannel(0x001F, d.maxBlue, d.shiftBlue);
        d.halfMask = ((static_cast<uint32_t>(d.maxRed >> 1) << d.shiftRed) |
                      (static_cast<uint32_t>(d.maxGreen >> 1) << d.shiftGreen) |
                      (static_cast<uint32_t>(d.maxBlue >> 1) << d.shiftBlue)) *
                     2;
    } else if (d.depth >= 24) {
        d.maxRed = d.maxGreen = d.maxBlue = 255;
        d.shiftRed = 16;
        d.shiftGreen = 8;
        d.shiftBlue = 0;
        d.halfMask = 0xFEFEFE;
    }
}

platform::PaletteColor FromColorRef(uint32_t c) {
    return platform::PaletteColor{static_cast<uint8_t>(c & 0xFF),
                                  static_cast<uint8_t>((c >> 8) & 0xFF),
                                  static_cast<uint8_t>((c >> 16) & 0xFF)};
}

uint32_t ToColorRef(const platform::PaletteColor& c) {
    return static_cast<uint32_t>(c.red) | (static_cast<uint32_t>(c.green) << 8) |
           (static_cast<uint32_t>(c.blue) << 16);
}

} // namespace

std::array<uint32_t, kStoredPaletteSize>& StoredPalette() {
    return TheDisplayGlobals().storedPalette;
}

int Display::Open() {
    directDraw = true;
    DebugPrint("標準のデバイスを使用します\n");
    ChooseMode();
    if (ApplyLevel() == 0) return 0;
    if (depth == 8) CreatePalette(nullptr);
    canStretch = 1;
    TakeChannelLayout(*this);
    if (!primary || primary->IsLost()) {
        ShowErrorBox("GDIをアクセスできません");
        return 0;
    }
    // The player left the game in full screen last time: it starts there, by the same switch the
    // FullScreen setting makes.
    if (platform::WindowRestoresFullScreen()) ToggleFullScreen();
    return 1;
}

void Display::Close() {
    if (depth == 8) ReleasePalette();
    ReleaseSurfaces();
    directDraw = false;
}

void Display::ChooseMode() {
    depth = 16;
    cooperativeLevel = windowedLevel;
    int desktop = platform::DesktopDepth();
    DebugPrint("現在のディスプレイモードは%dbitカラーです\n", desktop);
    if (desktop != 16) depth = desktop;
    DebugPrint("%dbitカラーで起動します\n", depth);
    SetClip(0, 0, 0, 0);
    clipRegion = 1; // the whole screen, as a region
}

int Display::ApplyLevel() {
    if (!directDraw) {
        ShowErrorBox("DirectDrawが存在しないため設定できません");
        return 0;
    }
    if (IsFullScreen()) {
        if (!platform::SetWindowFullScreen(true)) {
            ShowErrorBox("ディスプレイモードが変更できません");
            return 0;
        }
    } else {
        platform::SetWindowFullScreen(false);
        FitWindow();
    }
    if (CreateSurfaces() == 0) return 0;
    surfacesReady = 1;
    return 1;
}

int Display::CreateSurfaces() {
    if (!directDraw) {
        ShowErrorBox("サーフェイス作成時点でDirectDrawが存在しません");
        return 0;
    }
    primary = CreateOffscreen(width, height, 0);
    if (!primary) {
        ShowErrorBox(IsFullScreen() ? "複合サーフェイスの作成に失敗しました"
                                    : "フロントバッファの作成に失敗しました");
        return 0;
    }
    backBuffer = CreateOffscreen(width, height, 0);
    if (!backBuffer) {
        ShowErrorBox(IsFullScreen() ? "バックバッファを取得できません"
                                    : "オフスクリーンバッファの作成に失敗しました");
        return 0;
    }
    return 1;
}

void Display::ReleaseSurfaces() {
    backBuffer.reset();
    primary.reset();
    surfacesReady = 0;
}

// Video and system memory are the same on this platform.
std::unique_ptr<platform::Surface> Display::CreateOffscreen(int w, int h, int /*systemMemory*/) {
    auto surface = platform::Surface::Create(w, h, depth);
    if (surface && depth == 8) surface->SetPalette(colors);
    return surface;
}

void Display::FitWindow() {
    platform::FitWindowToClient(kDisplayWidth > 0 ? kDisplayWidth : width,
                                kDisplayHeight > 0 ? kDisplayHeight : height);
}

int Display::CreatePalette(const platform::PaletteTable* table) {
    platform::PaletteTable& entries = *colors;
    for (int i = 0; i < 256; ++i) {
        auto& e = entries[static_cast<size_t>(i)];
        if (platform::IsStaticPaletteEntry(i)) {
            e = platform::StaticPaletteColor(i);
        } else if (table != nullptr) {
            e = (*table)[static_cast<size_t>(i)];
            StoredPalette()[static_cast<size_t>(i - 10)] = ToColorRef(e);
        } else {
            e = FromColorRef(StoredPalette()[static_cast<size_t>(i - 10)]);
        }
    }
    palette = colors;
    return 1;
}

void Display::ReleasePalette() {
    palette.reset();
}

bool Display::PresentsWaitForVSync() const {
    return waitVSync != 0 || (IsFullScreen() && TheDisplayGlobals().useFlip != 0);
}

int Display::Present() {
    if (surfacesReady == 0 || !primary || !backBuffer) return 0;
    // The primary stands for the window: the platform's present converts the back buffer straight
    // into what the window shows, rather than copying the whole frame into the primary first. A
    // lost primary shows nothing, as the copy into it would have failed; the platform refuses a
    // lost back buffer itself.
    if (primary->IsLost()) return 0;
    return platform::PresentFrame(*backBuffer, PresentsWaitForVSync()) ? 1 : 0;
}

DrawingContext Display::GetBackDC() {
    if (!backBuffer || backBuffer->IsLost()) return DrawingContext{};
    platform::Rect clip{0, 0, backBuffer->Width(), backBuffer->Height()};
    if (clipRegion != 0) clip = platform::Rect{clipLeft, clipTop, clipRight, clipBottom};
    return DrawingContext{backBuffer.get(), clip};
}

void Display::ReleaseBackDC(const DrawingContext& /*dc*/) {}

uint32_t Display::ColorToPixel(platform::Surface& surface, uint32_t color) {
    if (surface.IsLost()) return 0xFFFFFFFFu;
    if (color == 0xFFFFFFFFu) return surface.ReadPixel(0, 0);
    return surface.PixelFromColor(color);
}

void Display::SetClip(int left, int top, int right, int bottom) {
    if (left == 0 && top == 0 && right == 0 && bottom == 0) {
        clipLeft = 0;
        clipTop = 0;
        clipRight = width;
        clipBottom = height;
        clipRegion = 0;
        return;
    }
    clipLeft = left;
    clipTop = top;
    clipRight = right;
    clipBottom = bottom;
    clipRegion = 1;
}

int SetVSync(int flag) {
    TheDisplay().waitVSync = flag;
    return 1;
}

int SetUseFlip(int flag) {
    TheDisplayGlobals().useFlip = flag;
    return 1;
}

int SetScaling(int mode) {
    TheDisplayGlobals().scaling = mode == 1 ? 1 : 0;
    platform::SetPictureScaling(mode == 1 ? platform::PictureScaling::kWholeMultiples
                                          : platform::PictureScaling::kSharp);
    return 1;
}

// The picture in the back buffer is carried over, so a paused game still shows its last frame in
// the new mode.
int ToggleFullScreen() {
    Display& d = TheDisplay();
    std::unique_ptr<platform::Surface> lastFrame = std::move(d.backBuffer);
    d.ReleaseSurfaces();
    d.cooperativeLevel = d.IsFullScreen() ? d.windowedLevel : d.fullScreenLevel;
    if (d.ApplyLevel() == 0) return 0;
    if (lastFrame && d.backBuffer)
        platform::BltFast(*d.backBuffer, 0, 0, *lastFrame, platform::Rect{0, 0, d.width, d.height},
                          false);
    return 1;
}

} // namespace tessary
