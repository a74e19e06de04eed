#include "editor/model/PreviewPlayer.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// "I" as entry `index`. Made here rather than braced at the call: GCC 12 at
// -O2 warns falsely that a braced temporary's text may be used uninitialised.
PreviewInput InputI(std::size_t index, int direction, int speed, std::string_view widthText)
{
    return {index, {"I", PackItemData(direction, speed)}, Board::ofWidth(widthText)};
}

// "I" scrolling Left on width "5": 5 + 6 − 1 = 10 as end value, so 11 steps.
PreviewInput LeftI(int speed = 9)
{
    return InputI(0, 0, speed, "5");
}

TEST(PreviewPlayer, LoopsThroughEveryStepOnlyWhilePlaying)
{
    PreviewPlayer player;
    EXPECT_EQ(player.advance(), 0); // no input: nothing to show
    ASSERT_TRUE(player.setInput(LeftI()));
    EXPECT_EQ(player.stepCount(), 11);
    EXPECT_EQ(player.frame().size(), 5U);

    EXPECT_EQ(player.advance(), 25); // paused: stays, one refresh of 5 × 5 ms
    EXPECT_EQ(player.step(), 0);
    player.play();
    for (int i = 1; i < player.stepCount(); ++i) {
        player.advance();
        EXPECT_EQ(player.step(), i);
    }
    player.advance();
    EXPECT_EQ(player.step(), 0);
    EXPECT_EQ(player.passDurationMs(), 11 * 25);
}

TEST(PreviewPlayer, RestartsOnlyForADifferentInput)
{
    PreviewPlayer player;
    player.setInput(LeftI());
    player.play();
    player.advance();
    player.advance();
    EXPECT_FALSE(player.setInput(LeftI()));
    EXPECT_EQ(player.step(), 2);
    EXPECT_TRUE(player.setInput(LeftI(5)));
    EXPECT_EQ(player.step(), 0);
    EXPECT_EQ(player.stepDurationMs(), 5 * 25);
}

TEST(PreviewPlayer, StatusNamesTheMessageAndSaysWhenPaused)
{
    PreviewPlayer player;
    EXPECT_EQ(player.status(), "");
    player.setInput(InputI(3, 0, 5, "5"));
    EXPECT_EQ(player.status(), "Text03 \u00B7 Left \u00B7 speed 5 \u00B7 Paused");
    player.play();
    EXPECT_EQ(player.status(), "Text03 \u00B7 Left \u00B7 speed 5");
    player.setInput(InputI(123, 3, 9, "40"));
    EXPECT_EQ(player.status(), "Text123 \u00B7 Down \u00B7 speed 9");
    EXPECT_EQ(DescriptionOf(InputI(10, 1, 0, "5")), "Text10 \u00B7 Right \u00B7 speed 0");
    EXPECT_EQ(DescriptionOf(InputI(0, 2, 1, "5")), "Text00 \u00B7 Up \u00B7 speed 1");
}

} // namespace
} // namespace corvane
