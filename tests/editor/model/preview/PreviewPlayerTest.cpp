#include "editor/model/preview/PreviewPlayer.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>

namespace corvane {
namespace {

// "I" as entry `index`. Made here rather than braced at the call: GCC 12 at
// -O2 warns falsely that a braced temporary's text may be used uninitialised.
PreviewInput InputI(std::size_t index, int direction, int speed, std::string_view widthText)
{
    return {index, {"I", ScrollDirection(direction), speed}, Board::ofWidth(widthText)};
}

// `text` shown on the board of `widthText`, made here for the same reason.
PreviewInput InputOf(std::string text, ScrollDirection direction, int speed,
                     std::string_view widthText, int pause = 0)
{
    PreviewInput input{.board = Board::ofWidth(widthText)};
    input.entry.text = std::move(text);
    input.entry.direction = direction;
    input.entry.speed = speed;
    input.entry.pause = pause;
    return input;
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

// The preview's pass lasts what the board shows: a still page 10 − speed
// seconds each, a pause 40 refreshes a second more at the stop.
TEST(PreviewPlayer, PassTimeCountsPagesAndPauses)
{
    PreviewPlayer player;
    ASSERT_TRUE(player.setInput(InputOf("Fresh bread", ScrollDirection::Still, 7, "30")));
    EXPECT_EQ(player.passDurationMs(), 2 * 3 * 1000);
    ASSERT_TRUE(player.setInput(InputOf("I", ScrollDirection::Blink, 9, "5")));
    EXPECT_EQ(player.passDurationMs(), 1000);
    ASSERT_TRUE(player.setInput(InputOf("I", ScrollDirection::Left, 9, "5", 2)));
    EXPECT_EQ(player.passDurationMs(), 11 * 25 + 2 * 1000);
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

// A clock the test moves by hand, in milliseconds.
class FakeClock
{
public:
    PreviewPlayer::Clock clock()
    {
        return [this] { return m_now; };
    }
    void pass(std::int64_t ms) { m_now += ms; }

private:
    std::int64_t m_now = 50'000;
};

using Wait = std::optional<std::int64_t>;

// Steps of 125 ms ("I" Left at speed 5); a step ends `elapsed` ms after it
// began, and the timer then runs `wait` ms for the next one.
struct CatchUpCase
{
    const char* name;
    std::int64_t elapsed;
    std::int64_t wait;
};

class PreviewPlayerCatchUp : public ::testing::TestWithParam<CatchUpCase>
{};

TEST_P(PreviewPlayerCatchUp, ALateStepShortensTheNextOneByAsMuch)
{
    FakeClock time;
    PreviewPlayer player(time.clock());
    player.setInput(LeftI(5));
    player.play();
    EXPECT_EQ(player.waitMs(), Wait(125));
    time.pass(GetParam().elapsed);
    player.advance();
    EXPECT_EQ(player.step(), 1);
    EXPECT_EQ(player.waitMs(), Wait(GetParam().wait));
    // The step after keeps the pace again.
    time.pass(GetParam().wait);
    player.advance();
    EXPECT_EQ(player.waitMs(), Wait(125));
}

INSTANTIATE_TEST_SUITE_P(PreviewPlayer, PreviewPlayerCatchUp,
                         ::testing::Values(CatchUpCase{"OnTime", 125, 125},
                                           CatchUpCase{"Late", 165, 85},
                                           CatchUpCase{"LateByAlmostAStep", 249, 1},
                                           CatchUpCase{"LateByAStep", 250, 0},
                                           CatchUpCase{"LateBeyondAStepDropsTheRest", 400, 0},
                                           CatchUpCase{"Early", 50, 125}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PreviewPlayer, PauseKeepsWhatIsLeftOfTheStepUntilPlay)
{
    FakeClock time;
    PreviewPlayer player(time.clock());
    EXPECT_EQ(player.waitMs(), Wait()); // paused, without input
    player.play();
    EXPECT_EQ(player.waitMs(), Wait()); // nothing to show
    player.setInput(LeftI(5));
    EXPECT_EQ(player.waitMs(), Wait(125));

    time.pass(40);
    player.pause();
    EXPECT_EQ(player.waitMs(), Wait());
    time.pass(10'000);
    player.play();
    EXPECT_EQ(player.waitMs(), Wait(85));
    player.play(); // already playing: the step's time runs on
    EXPECT_EQ(player.waitMs(), Wait(85));

    // Paused after the step was due: it ends at once on play.
    time.pass(200);
    player.pause();
    player.play();
    EXPECT_EQ(player.waitMs(), Wait(0));
    EXPECT_EQ(player.step(), 0);
}

TEST(PreviewPlayer, ANewInputStartsItsFirstStepWhole)
{
    FakeClock time;
    PreviewPlayer player(time.clock());
    player.setInput(LeftI(5));
    player.play();
    time.pass(100);
    player.pause();
    player.setInput(LeftI(9));
    player.play();
    EXPECT_EQ(player.waitMs(), Wait(25));

    time.pass(10);
    EXPECT_TRUE(player.setInput(LeftI(6))); // while playing: from now
    EXPECT_EQ(player.waitMs(), Wait(100));
    time.pass(10);
    EXPECT_FALSE(player.setInput(LeftI(6)));
    time.pass(90);
    player.advance();
    EXPECT_EQ(player.waitMs(), Wait(100));
}

} // namespace
} // namespace corvane
