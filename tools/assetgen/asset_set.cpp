#include "asset_set.h"

#include "art.h"
#include "bmp_writer.h"
#include "music.h"
#include "sounds.h"
#include "wav_writer.h"

namespace assetgen {
namespace {

struct NamedPicture {
    const char* name;
    Image (*paint)();
};

// The pictures of both colour directories, under the names the game loads them by.
const NamedPicture kPictures[] = {
    {"GPelko.bmp", PlayerSheet},       {"Ikura.bmp", PlayerShotSheet},
    {"Kuma.bmp", EnemySheet},          {"Nami.bmp", DecorationSheet},
    {"Boss.bmp", BossSheetA},          {"Boss2.bmp", BossSheetB},
    {"Item.bmp", ItemSheet},           {"Wood.bmp", WoodPicture},
    {"Spear.bmp", SpearPicture},       {"WStatus.bmp", WeaponIconSheet},
    {"StartScreen.bmp", TitlePicture}, {"TamaSho.bmp", EnemyShotSheet},
    {"UxLOGO.bmp", LogoPicture},
};

} // namespace

std::vector<GeneratedFile> GenerateAllAssets() {
    const Palette& palette = SharedPalette();
    std::vector<GeneratedFile> files;
    for (const NamedPicture& picture : kPictures) {
        const Image image = picture.paint();
        files.push_back(
            {std::string("GameData/Fullcolor/") + picture.name, EncodeBmp24(image, palette)});
        files.push_back({std::string("GameData/256/") + picture.name, EncodeBmp8(image, palette)});
    }
    files.push_back({"ForBeginner.BMP", EncodeBmp24(HowToPlayPicture(), palette)});

    files.push_back({"GameData/Shot.wav", EncodeWav(ShotSound())});
    files.push_back({"GameData/Beaten.wav", EncodeWav(BeatenSound())});
    files.push_back({"GameData/Beat.wav", EncodeWav(BeatSound())});
    files.push_back({"GameData/Pi.wav", EncodeWav(PiSound())});
    files.push_back({"GameData/1up.wav", EncodeWav(OneUpSound())});
    files.push_back({"GameData/Warn.wav", EncodeWav(WarnSound())});

    files.push_back({"GameData/LOGO.mid", LogoJingle()});
    files.push_back({"GameData/BGM1.mid", StageTheme()});
    files.push_back({"GameData/BGM2.mid", BossTheme()});
    return files;
}

} // namespace assetgen
