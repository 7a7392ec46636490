// The one moving-picture object: every object of the game begins with a Sprite. It shows one
// frame of a grid cut from an image slot at a float position, moves by its velocity and
// acceleration as it is drawn, steps its animation along the grid's columns, and carries a hit box
// per grid row as insets from the frame's edges. Game code reads and writes the fields directly.
#pragma once
#include <cstdint>

namespace tessary {

inline constexpr int kSpriteHitRows = 256;

struct Sprite {
    int32_t active;
    int32_t row;
    int32_t frame = 0;
    int32_t tickCount = 0;
    float x, y;
    float vx, vy;
    float ax, ay;
    int32_t drawMode;
    int32_t ticksPerFrame;
    float scale;
    int32_t angle = 0;
    int32_t animate;
    int32_t image = 0;
    int32_t frameWidth = 0, frameHeight = 0;
    int32_t frameCount = 0;
    int32_t hitLeft[kSpriteHitRows];
    int32_t hitRight[kSpriteHitRows];
    int32_t hitTop[kSpriteHitRows];
    int32_t hitBottom[kSpriteHitRows];

    Sprite();

    void Show() { active = 1; }
    void Hide() { active = 0; }
    void SetAnimate(int flag) { animate = flag; }
    int SetRow(int newRow);
    int SetTicksPerFrame(int n);
    void SetScale(float s);
    void SetAngle(int degrees) { angle = degrees; }
    void SetDrawMode(int mode) { drawMode = mode; }
    void SetPosition(float newX, float newY);
    void SetVelocityX(float v);
    void SetVelocityY(float v);
    void SetAccelX(float a);
    void SetAccelY(float a);
    // angle in whole degrees, 0 to the right and 90 up the screen; others change nothing.
    void SetVelocityPolar(int degrees, float speed);
    int SetFrames(int imageSlot, int count, int width, int height);
    int SetHitBox(int index, int left, int right, int top, int bottom);
    // Draws, moves and animates once; 1 exactly when the animation has just wrapped to column 0.
    int Draw();
    void DrawHitBox(uint32_t color) const;
    // 1 when both are active and their hit boxes overlap by at least a pixel.
    int HitTest(const Sprite* other) const;

    struct Box {
        int left, top, right, bottom;
    };
    Box HitBox() const;
};

} // namespace tessary
