// The message queue: which message is typed when, how long it stays, and what it refuses.
#include <gtest/gtest.h>

#include <string>

#include "game/player/message_queue.h"
#include "platform/headless.h"
#include "runtime/graphics/text.h"
#include "support/runtime_fixture.h"

namespace pelko {
namespace {

class MessageQueueTest : public tessary::testing::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        platform::headless::SetTime(1000); // keys below the clock are due
        queue.SetSpeed(6);
        queue.SetPosition(100, 100);
    }

    std::string Typing() const { return queue.current >= 0 ? queue.typewriter.text.data() : ""; }

    // Steps until nothing is typed any more; the number of steps that reported typing.
    int StepsWhileTyping(int limit = 10000) {
        int n = 0;
        while (queue.Step() == 1 && n < limit)
            ++n;
        return n;
    }

    MessageQueue queue;
};

TEST_F(MessageQueueTest, HoldsNineMessagesAndRefusesTheTenthAndEmptyTexts) {
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(queue.Post(("message " + std::to_string(i)).c_str(), 100, 0), 1) << i;
    EXPECT_EQ(queue.count, 9);
    EXPECT_EQ(queue.Post("the tenth", 0, 0), 0);
    EXPECT_EQ(queue.count, 9);
    EXPECT_EQ(queue.Post("", 0, 0), 0);
    EXPECT_EQ(queue.Post(nullptr, 0, 0), 0);

    // Once one message has been typed out there is room again.
    queue.Step();
    StepsWhileTyping();
    EXPECT_EQ(queue.count, 8);
    EXPECT_EQ(queue.Post("room again", 0, 0), 1);
}

TEST_F(MessageQueueTest, EqualKeysGoHighestSlotFirstWhichIsTheFirstPosted) {
    ASSERT_EQ(queue.PostPlain("first"), 1);
    ASSERT_EQ(queue.PostPlain("second"), 1);
    EXPECT_STREQ(queue.texts[9].get(), "first");
    EXPECT_STREQ(queue.texts[8].get(), "second");

    EXPECT_EQ(queue.Step(), 0); // the post's frame only picks the message
    EXPECT_EQ(Typing(), "first");
    StepsWhileTyping();
    EXPECT_EQ(Typing(), "second");
}

TEST_F(MessageQueueTest, ASmallerKeyTakesOverAndTheDisplacedMessageStartsAgain) {
    ASSERT_EQ(queue.Post("GAME OVER...", 100, 0), 1);
    queue.Step();
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(queue.Step(), 1);
    ASSERT_EQ(Typing(), "GAME OVER...");
    ASSERT_GT(queue.typewriter.shown, 0);

    ASSERT_EQ(queue.Post("STAGE CLEAR!!!", 0, 0), 1);
    queue.Step();
    EXPECT_EQ(Typing(), "STAGE CLEAR!!!");
    EXPECT_EQ(queue.typewriter.shown, 0);

    StepsWhileTyping();
    EXPECT_EQ(Typing(), "GAME OVER...");
    EXPECT_EQ(queue.typewriter.shown, 0);
    EXPECT_EQ(queue.count, 1);
}

TEST_F(MessageQueueTest, AMessageWaitsUntilTheClockHasPassedItsKey) {
    platform::headless::SetTime(100);
    ASSERT_EQ(queue.Post("later", 100, 0), 1);
    ASSERT_EQ(queue.Post("now", 99, 0), 1);
    queue.Step();
    EXPECT_EQ(Typing(), "now");
    StepsWhileTyping();
    queue.Step();
    EXPECT_EQ(queue.current, -1) << "a key equal to the clock is not yet due";
    platform::headless::AdvanceTime(1);
    queue.Step();
    EXPECT_EQ(Typing(), "later");
}

TEST_F(MessageQueueTest, AClearMessageTypesFor120FramesAndShowsWholeInOneMore) {
    ASSERT_EQ(queue.PostPlain("STAGE CLEAR!!!      "), 1);
    EXPECT_EQ(queue.Step(), 0);
    EXPECT_EQ(StepsWhileTyping(), 120);
    // The step that ended the typing drew the whole text and emptied the slot.
    EXPECT_EQ(queue.current, -1);
    EXPECT_EQ(queue.count, 0);
    EXPECT_EQ(queue.keys[9], kFreeMessageKey);
    EXPECT_EQ(queue.texts[9][0], '\0');
    EXPECT_EQ(queue.Step(), 0);
}

TEST_F(MessageQueueTest, WithoutATypingSpeedAMessageShowsAtOnce) {
    queue.SetSpeed(0);
    ASSERT_EQ(queue.PostPlain("STAGE  1    "), 1);
    queue.Step();
    EXPECT_EQ(queue.Step(), 0);
    EXPECT_EQ(queue.count, 0);
}

TEST_F(MessageQueueTest, TheFontFollowsTheSizeOfTheMessageBeingTyped) {
    ASSERT_EQ(queue.Post("big", 0, 3), 1);
    queue.Step(); // nothing was current yet: the default size
    EXPECT_EQ(tessary::TheTextState().fontWidth, 16);
    EXPECT_EQ(tessary::TheTextState().fontHeight, 34);
    queue.Step();
    EXPECT_EQ(tessary::TheTextState().fontWidth, 20);
    EXPECT_EQ(tessary::TheTextState().fontHeight, 42);
    EXPECT_EQ(tessary::TheTextState().textColor, 255u);
    EXPECT_STREQ(tessary::TheTextState().fontFace.data(), "Impact");
}

TEST_F(MessageQueueTest, ClearEmptiesTheQueueAndStopsTyping) {
    ASSERT_EQ(queue.Post("one", 0, 2), 1);
    ASSERT_EQ(queue.Post("two", 5, 1), 1);
    queue.Step();
    ASSERT_EQ(queue.Step(), 1);
    queue.Clear();
    EXPECT_EQ(queue.count, 0);
    EXPECT_EQ(queue.current, -1);
    EXPECT_EQ(queue.typing, 0);
    for (int i = 0; i < kMessageSlots; ++i) {
        EXPECT_EQ(queue.texts[i][0], '\0');
        EXPECT_EQ(queue.keys[i], kFreeMessageKey);
        EXPECT_EQ(queue.sizes[i], 0);
    }
    EXPECT_EQ(queue.Step(), 0);
    EXPECT_EQ(queue.current, -1);
}

TEST_F(MessageQueueTest, ALongTextIsCutTo511BytesWithoutSplittingACharacter) {
    std::string text(510, 'a');
    text += "\xC3\xA9\xC3\xA9"; // two 2-byte characters: the first would end at byte 512
    ASSERT_EQ(queue.PostPlain(text.c_str()), 1);
    EXPECT_EQ(std::string(queue.texts[9].get()), std::string(510, 'a'));
}

} // namespace
} // namespace pelko
