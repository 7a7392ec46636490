// Text, rectangles, the typewriter and the frame-rate display on the back buffer. Text is drawn
// with the built-in font (every character one average width wide) unless a test turns the
// installed faces on.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/fonts.h"
#include "platform/headless.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "runtime/graphics/type_text.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/entry.h"
#include "support/display_fixture.h"

namespace tessary {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;

class TextTest : public testing::DisplayTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        OpenDisplay(GetParam());
        FillBack(kGrey);
    }

    bool Untouched(int x, int y) { return At(x, y) == Pixel(kGrey); }
    // Inside a text cell every pixel is the black background or a shade of the text colour.
    bool InCell(int x, int y) { return At(x, y) != Pixel(kGrey); }
    int CountOf(uint32_t color, int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += At(x, y) == Pixel(color);
        return n;
    }
};

TEST_P(TextTest, PrintTextDrawsGlyphsOnAnOpaqueBlackCell) {
    SetTextFont(8, 16, kWhite, "Impact");
    ASSERT_EQ(PrintText(10, 10, "High Score %d", 1234), 1);
    const int right = 10 + 15 * 8; // "High Score 1234"
    EXPECT_GT(CountOf(kWhite, 10, 10, right, 26), 100);
    EXPECT_GT(CountOf(0, 10, 10, right, 26), 500);
    EXPECT_EQ(CountOf(kGrey, 10, 10, right, 26), 0);
    for (int y = 8; y < 30; ++y) {
        EXPECT_TRUE(Untouched(9, y));
        EXPECT_TRUE(Untouched(right, y));
    }
    for (int x = 10; x < right; ++x) {
        EXPECT_TRUE(Untouched(x, 9));
        EXPECT_TRUE(Untouched(x, 26));
    }
}

TEST_P(TextTest, CentringMeasuresTheWholeTextAsOneLineAndLinesStartAtTheSameX) {
    SetTextFont(10, 16, kWhite, "Impact");
    SetTextCentered(1);
    PrintText(0, 100, "0123456789"); // 100 pixels wide
    EXPECT_TRUE(Untouched(269, 105));
    EXPECT_TRUE(InCell(270, 105));
    EXPECT_TRUE(InCell(369, 105));
    EXPECT_TRUE(Untouched(370, 105));

    // 11 characters with the line feed: x = (640 - 110) / 2 = 265 for both lines.
    PrintText(0, 200, "ABCDE\nFGHIJ");
    for (int y : {205, 221}) {
        EXPECT_TRUE(Untouched(264, y)) << y;
        EXPECT_TRUE(InCell(265, y)) << y;
        EXPECT_TRUE(InCell(314, y)) << y;
        EXPECT_TRUE(Untouched(315, y)) << y;
    }
    EXPECT_TRUE(Untouched(265, 232)); // two lines of 16 rows
}

TEST_P(TextTest, TheClipRectangleLimitsText) {
    SetTextFont(8, 16, kWhite, "Impact");
    TheDisplay().SetClip(100, 50, 200, 60);
    PrintText(90, 40, "WWWWWWWWWWWWWWWWWWWW");
    for (int y = 30; y < 70; ++y)
        for (int x = 80; x < 260; ++x) {
            const bool inside = x >= 100 && x < 200 && y >= 50 && y < 56;
            EXPECT_EQ(InCell(x, y), inside) << x << "," << y;
        }
}

TEST_P(TextTest, FormattedTextsAreCutToTheBufferWithoutSplittingACharacter) {
    SetTextFont(1, 4, kWhite, "Impact");
    std::string text(600, 'A');
    PrintText(0, 0, "%s", text.c_str());
    EXPECT_TRUE(InCell(510, 1)); // 511 characters of one pixel each
    EXPECT_TRUE(Untouched(511, 1));

    // 509 ASCII bytes and then a three-byte character that would end at byte 512.
    FillBack(kGrey);
    std::string mixed = std::string(509, 'A') + "あ";
    PrintText(0, 0, "%s", mixed.c_str());
    EXPECT_TRUE(InCell(508, 1));
    EXPECT_TRUE(Untouched(509, 1));

    // Face names keep 31 bytes at most, whole characters only: ten three-byte characters fit.
    SetTextFont(8, 16, kWhite, "ああああああああああああ");
    EXPECT_EQ(std::strlen(TheTextState().fontFace.data()), 30u);
}

TEST_P(TextTest, TextPartlyOffTheScreenAndHugeFontsDrawOnlyTheVisiblePart) {
    SetTextFont(8, 16, kWhite, "Impact");
    PrintText(-12, -5, "ABCDEFGH\nIJ");
    EXPECT_TRUE(InCell(0, 0));
    EXPECT_TRUE(InCell(51, 10));
    EXPECT_TRUE(Untouched(52, 10));
    EXPECT_TRUE(InCell(3, 26));
    EXPECT_TRUE(Untouched(4, 26));
    EXPECT_TRUE(Untouched(0, 27));

    SetTextFont(100000, 100000, kWhite, "Impact");
    EXPECT_EQ(PrintText(600, 400, "%s", std::string(511, 'W').c_str()), 1);
    EXPECT_TRUE(InCell(639, 479));
    EXPECT_TRUE(Untouched(599, 479));
}

TEST_P(TextTest, FillRectPaintsItsPartOfTheClipRectangleAndRefusesRectanglesOutside) {
    EXPECT_EQ(FillRect(0, 0, 640, 64, 0), 1);
    EXPECT_EQ(CountOf(0, 0, 0, 640, 64), 640 * 64);
    EXPECT_EQ(CountOf(0, 0, 64, 640, 65), 0);

    FillBack(kGrey);
    EXPECT_EQ(FillRect(700, 0, 800, 10, 0), 0);
    EXPECT_EQ(FillRect(-50, 0, -1, 10, 0), 0);
    EXPECT_EQ(CountOf(kGrey, 0, 0, 640, 480), 640 * 480);

    TheDisplay().SetClip(100, 100, 200, 200);
    EXPECT_EQ(FillRect(50, 150, 150, 300, kWhite), 1);
    EXPECT_EQ(CountOf(kWhite, 0, 0, 640, 480), 50 * 50);
    EXPECT_EQ(CountOf(kWhite, 100, 150, 150, 200), 50 * 50);
    EXPECT_EQ(FillRect(200, 100, 300, 200, kWhite), 0); // starts on the clip's right edge
}

TEST_P(TextTest, DrawRectOutlinesInsideTheRightAndBottomEdgesAndClearScreenIgnoresTheClip) {
    EXPECT_EQ(DrawRect(10, 20, 30, 25, kWhite), 1);
    EXPECT_EQ(CountOf(kWhite, 0, 0, 640, 480), 2 * 20 + 2 * 3);
    EXPECT_EQ(At(10, 20), Pixel(kWhite));
    EXPECT_EQ(At(29, 24), Pixel(kWhite));
    EXPECT_TRUE(Untouched(30, 24));
    EXPECT_TRUE(Untouched(29, 25));
    EXPECT_TRUE(Untouched(20, 22)); // hollow

    TheDisplay().SetClip(0, 0, 20, 480);
    EXPECT_EQ(ClearScreen(0x0000FF), 1);
    EXPECT_EQ(CountOf(0x0000FF, 0, 0, 640, 480), 640 * 480);
}

TEST_P(TextTest, TypeTextShowsOneCharacterEveryThreeFrames) {
    SetTextFont(8, 16, kWhite, "Impact");
    SetTextCentered(1);
    TypeText typer("AB");
    typer.SetPosition(100, 100);
    typer.SetSpeed(3);
    for (int call = 1; call <= 7; ++call) {
        FillBack(kGrey);
        const int result = typer.Draw();
        EXPECT_EQ(result, call == 7 ? 1 : 0) << call;
        EXPECT_EQ(InCell(100, 105), call >= 4) << call;
        EXPECT_EQ(InCell(108, 105), call >= 7) << call;
    }
    EXPECT_EQ(TheTextState().centered, 1); // restored after every draw
}

TEST_P(TextTest, TypeTextNeverShowsPartOfAMultiByteCharacter) {
    TypeText typer;
    typer.SetSpeed(1);
    typer.SetText("あA\xC3\xA9"); // 3 bytes, 1 byte, 2 bytes
    std::vector<int> shown;
    while (typer.Draw() == 0)
        shown.push_back(typer.shown);
    EXPECT_EQ(shown, (std::vector<int>{3, 4, 6}));

    // A text longer than 1023 bytes is cut before the character that would cross the limit.
    typer.SetText((std::string(1021, 'a') + "あ").c_str());
    EXPECT_EQ(typer.length, 1021);
    EXPECT_EQ(std::strlen(typer.text.data()), 1021u);

    typer.SetSpeed(80);
    EXPECT_EQ(typer.ticksPerChar, 50);
    typer.SetSpeed(0);
    EXPECT_EQ(typer.Draw(), 1); // no typing: the whole text at once
}

TEST_P(TextTest, DrawFpsShowsTheRateMeasuredOverFiveFrames) {
    SetTextFont(8, 16, kWhite, "Impact");
    SetTextCentered(1);
    StartStopwatches();
    for (int frame = 1; frame <= 4; ++frame) {
        platform::headless::AdvanceTime(16);
        FillBack(kGrey);
        EXPECT_EQ(DrawFps(500, 64), 0.0f);
        EXPECT_TRUE(InCell(500 + 3 * 8 - 1, 70)); // "0.0" at x 500: not centred
        EXPECT_TRUE(Untouched(500 + 3 * 8, 70));
    }
    platform::headless::AdvanceTime(16);
    FillBack(kGrey);
    EXPECT_EQ(DrawFps(500, 64), 62.5f);
    EXPECT_TRUE(InCell(500 + 4 * 8 - 1, 70)); // "62.5"
    EXPECT_EQ(TheTextState().centered, 1);

    // Five frames within one millisecond count as one millisecond.
    for (int frame = 1; frame <= 4; ++frame)
        DrawFps(500, 64);
    EXPECT_EQ(DrawFps(500, 64), 5000.0f);
}

TEST_P(TextTest, StartUpClearsTheScreenAndSetsTheDefaultFontAndAVisibleFade) {
    StartRuntime([] { return 1; });
    const TextState& t = TheTextState();
    EXPECT_EQ(t.fontWidth, 8);
    EXPECT_EQ(t.fontHeight, 16);
    EXPECT_EQ(t.textColor, kWhite);
    EXPECT_STREQ(t.fontFace.data(), "標準ゴシック");
    EXPECT_EQ(t.centered, 0);
    EXPECT_EQ(TheTransitions().fadeLevel, 20);
    EXPECT_EQ(CountOf(0, 0, 0, 640, 480), 640 * 480);
}

INSTANTIATE_TEST_SUITE_P(Depths, TextTest, ::testing::Values(8, 16, 24, 32));

class SystemFontTest : public testing::DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        platform::headless::UseSystemFonts(true);
        OpenDisplay(32);
    }

    // The right edge of what a text drew at (x, y) on a grey screen: its black cell and glyphs.
    int DrawnRight(int x, int y, const char* text, int cellHeight) {
        FillBack(kGrey);
        PrintText(x, y, "%s", text);
        int right = x;
        for (int row = y; row < y + cellHeight; ++row)
            for (int col = x; col < 640; ++col)
                if (At(col, row) != Pixel(kGrey)) right = std::max(right, col + 1);
        return right;
    }
};

TEST_F(SystemFontTest, FontsAreSizedLikeCreateFontAndKept) {
    auto font = platform::OpenFont("Impact", 18, 8);
    if (font->FaceName() == "built-in") GTEST_SKIP() << "no faces installed";
    EXPECT_EQ(platform::OpenFont("Impact", 18, 8), font); // one font, one glyph cache
    EXPECT_EQ(font->CellHeight(), 18);

    SetTextFont(8, 18, kWhite, "Impact");
    const int narrow = MeasureText("High Score 1234");
    SetTextFont(16, 18, kWhite, "Impact");
    const int wide = MeasureText("High Score 1234");
    EXPECT_GT(narrow, 15 * 8 / 2);
    EXPECT_LT(narrow, 15 * 8 * 2);
    EXPECT_NEAR(static_cast<double>(wide) / narrow, 2.0, 0.3); // stretched to the width

    // Japanese text in the Japanese face gets real glyphs, not the missing-glyph box of the
    // built-in font (whose box is a full outline).
    SetTextFont(20, 42, kWhite, "標準ゴシック");
    const platform::Glyph& glyph = platform::OpenFont("標準ゴシック", 42, 20)->GlyphFor(U'制');
    EXPECT_GT(glyph.width, 20);
    EXPECT_LE(glyph.top + glyph.height, 42 + 2);
}

// Every face at every size the game asks for draws its 'x', the average character width as the
// host's font mapper takes it, exactly as wide as asked; and so each text of the title, the HUD
// and the messages ends at least a blank's width before the next text or the edge of its room
// (the stand-in for Impact, with wider capitals, once ran "Using JoyStick ID1" into "High Score").
TEST_F(SystemFontTest, TheGamesTextsKeepToTheRoomTheirRequestedWidthGivesThem) {
    if (platform::OpenFont("Impact", 18, 8)->FaceName() == "built-in")
        GTEST_SKIP() << "no faces installed";
    struct Size {
        const char* face;
        int width, height;
    };
    for (Size size : {Size{"Impact", 8, 18}, Size{"Impact", 8, 20}, Size{"Impact", 12, 26},
                      Size{"Impact", 16, 34}, Size{"Impact", 20, 42}, Size{"標準ゴシック", 8, 16},
                      Size{"標準ゴシック", 16, 34}, Size{"標準ゴシック", 20, 42}}) {
        auto font = platform::OpenFont(size.face, size.height, size.width);
        EXPECT_EQ(font->GlyphFor(U'x').advance, size.width)
            << size.face << " " << size.width << "x" << size.height << " (" << font->FaceName()
            << ")";
    }
    struct Room {
        int width, height;
        int x;
        const char* text;
        int end; // where the next text starts, or the edge of the frame or the screen
    };
    const Room rooms[] = {
        {8, 18, 10, "1 Player", 80},
        {8, 18, 80, "Using JoyStick ID1", 230},
        {8, 18, 230, "High Score 9999999", 400},
        {8, 18, 400, "Hard Mode", 640},
        {8, 18, 100, "Use 256Color", 640},
        {8, 20, 64, "Life 9  Score 9999999  High 9999999", 350},
        {8, 20, 350, "HP 100   Power 9  Speed 9  TP 99", 640},
        {8, 20, 570, "Stage 5", 640},
        {8, 20, 64, "Enemy ", 130},
        {20, 42, 100, "STAGE   5      ", 598},
        {16, 34, 100, "AN ENEMY APPEARS!!      ", 598},
        {16, 34, 100, "STAGE CLEAR!!!      ", 598},
        {16, 34, 100, "or JoyPad ID1 Button3.", 598},
    };
    for (const Room& room : rooms) {
        SetTextFont(room.width, room.height, kWhite, "Impact");
        const int blank = MeasureText(" ");
        EXPECT_LE(DrawnRight(room.x, 100, room.text, room.height) + blank, room.end)
            << '"' << room.text << "\" at " << room.width << "x" << room.height;
    }
}

TEST(Utf8Test, MalformedSequencesDecodeOneByteAtATime) {
    const char text[] = "A\xE3\x81\x82\xE3\x81"
                        "B\xC0\xAF";
    const int length = static_cast<int>(sizeof text - 1);
    std::vector<char32_t> decoded;
    for (int pos = 0; pos < length;)
        decoded.push_back(platform::DecodeUtf8(text, length, &pos));
    EXPECT_EQ(decoded, (std::vector<char32_t>{U'A', U'あ', U'\uFFFD', U'\uFFFD', U'B', U'\uFFFD',
                                              U'\uFFFD'}));
}

} // namespace
} // namespace tessary
