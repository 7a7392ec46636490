// Writes the settings fuzzer's seeds into the folder given: Game.ini files with every key the
// game reads, at the rates and modes a player picks, with the editor's line ends, and with the
// section [Pelko] below.
#include <fstream>
#include <string>

namespace {

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Settings(int fps, int color, int fullScreen, int volume, const char* eol) {
    const std::string e = eol;
    return "[PelkoGame]" + e + "FPS=" + std::to_string(fps) + e + "ShowFPS=1" + e +
           "ShowObjectFrame=0" + e + "MaxTP=3" + e + "MaxPower=10" + e + "MaxSpeed=10" + e +
           "UseVSync=1" + e + "UseVRAM=1" + e + "Color=" + std::to_string(color) + e +
           "FullScreen=" + std::to_string(fullScreen) + e + "WaveVolume=" + std::to_string(volume) +
           e + "UseFlip=0" + e;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    Write(dir + "/30fps.ini", Settings(30, 1, 0, 100, "\r\n"));
    Write(dir + "/60fps_256.ini", Settings(60, 256, 0, 80, "\n"));
    Write(dir + "/full_screen.ini", Settings(30, 8, 1, 0, "\r\n"));
    Write(dir + "/odd_rate.ini", Settings(7, 24, 0, 100, "\n"));
    Write(dir + "/pelko_section.ini",
          Settings(60, 24, 0, 80, "\r\n") + "[Pelko]\r\nMusicVolume=50\r\nScaling=1\r\n");
    Write(dir + "/keys.ini", "[Pelko]\nKeyFire=Left Shift\nKeyBrake=Space\nKeyUp=w\nKeyDown=W\n"
                             "KeyPause=\"Page Up\"\nKeyEndRun=\nKeySpecial=Escape\n");
    Write(dir + "/other_section.ini", "[Other]\nFPS=60\n[pelkogame]\n fps = 45 \nMaxPower=-3\n");
    return 0;
}
