// The typewriter: shows a text one character more every few frames, in the current font.
#pragma once
#include <array>

namespace tessary {

class TypeText {
  public:
    static constexpr int kTextSize = 1024; // 1023 bytes and the terminating zero
    static constexpr int kSlowestTicks = 50;

    TypeText();
    explicit TypeText(const char* text);

    void SetPosition(int newX, int newY);
    // Frames per character, at most 50; below 1 the whole text shows at once.
    void SetSpeed(int ticks);
    // Starts typing a new text from its beginning; a text of more than 1023 bytes is cut there
    // (never inside a character).
    void SetText(const char* newText);
    // One frame: draws what is shown so far and steps on. Centring is off while it draws. 1 once
    // the whole text is shown.
    int Draw();

    int x = 0;
    int y = 0;
    int shown = 0;  // bytes of the text shown so far; always a whole number of characters
    int length = 0; // bytes of the text
    int ticksPerChar = 0;
    int tickCount = 0;
    std::array<char, kTextSize> text{};
};

} // namespace tessary
