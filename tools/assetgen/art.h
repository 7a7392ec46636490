// The game's pictures, each painted in palette indices (see palette.h). Transparent sheets have
// the key colour in every pixel the art leaves empty, the top-left pixel included.
#pragma once
#include "image.h"

namespace assetgen {

// Sprite sheets, cut by the game into cells of the sizes given with each.
Image PlayerSheet();     // 32 x 32, 2 columns, rows 0-2, 4-6, 8-10, 12-14
Image PlayerShotSheet(); // 9 x 9, one cell
Image EnemySheet();      // 32 x 32, 2 columns, row 0
Image EnemyShotSheet();  // 9 x 10, 1 column, rows 0-12, one per shot kind
Image DecorationSheet(); // 31 x 64, one cell
Image BossSheetA();      // 64 x 64, 2 columns, rows 0-7: layout A parts
Image BossSheetB();      // 64 x 64, 2 columns, rows 0-7: layout B parts
Image ItemSheet();       // 32 x 32, 2 columns, rows 0-5, one per item kind
Image WeaponIconSheet(); // 64 x 64, 1 column, rows 0-5, one per special attack
Image WoodPicture();
Image SpearPicture();

// Whole pictures.
Image TitlePicture();     // 640 x 480
Image LogoPicture();      // 436 x 164, shown on white
Image HowToPlayPicture(); // 900 x 400, panned by the demo screen

// Where the eight boss parts of each layout sit in the assembled boss, and the sheet size.
struct PartOffset {
    int x, y;
};
inline constexpr PartOffset kLayoutA[8] = {{0, 0},  {64, 0},  {128, 0},  {192, 0},
                                           {0, 64}, {64, 64}, {128, 64}, {192, 64}};
inline constexpr PartOffset kLayoutB[8] = {{0, 0},   {0, 64},   {64, 0},  {64, 64},
                                           {128, 0}, {128, 64}, {190, 0}, {190, 64}};

// The penguin the player steers, shared by the sheet and the big pictures. `tilt` in degrees,
// positive noses up; `wingUp` chooses the flap; `hurt` paints the flash of a hit.
struct PenguinPose {
    double scale = 1.0;
    double tilt = 0.0;
    bool wingUp = false;
    bool hurt = false;
};
void PaintPenguin(Image& image, double originX, double originY, const PenguinPose& pose);
// The bear enemy facing left, `frame` 0 or 1 for the propeller.
void PaintBear(Image& image, double originX, double originY, double scale, int frame);
// An item face of kind 0..5 centred in a 32 x 32 cell at (x, y); `glint` is the second frame.
void PaintItem(Image& image, int x, int y, int kind, bool glint);
// A weapon icon of kind 0..5 in a 64 x 64 cell at (x, y).
void PaintWeaponIcon(Image& image, int x, int y, int kind);

} // namespace assetgen
