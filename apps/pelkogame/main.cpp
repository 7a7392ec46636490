// The game program: its identity handed to the platform, then the runtime's entry with the game's
// start function, its frame of play and its end.
#include "desktop_icons.h"
#include "game/flow/game_start.h"
#include "platform/app_identity.h"
#include "runtime/shell/entry.h"

namespace {

// The file name of the game's desktop entry without ".desktop"; its StartupWMClass says the same.
constexpr char kDesktopId[] = "org.pelko.Pelko";

void HandIdentityToPlatform() {
    const desktop_icons::IconPixels& icon = desktop_icons::kGameWindowIcon;
    platform::SetAppIdentity({kDesktopId, "Pelko", {icon.size, icon.argb}});
}

} // namespace

int main() {
    HandIdentityToPlatform();
    return tessary::WinMain(
        tessary::GameEntry{pelko::GameStart, pelko::InGameFrame, pelko::GameEnd});
}
