#include "sign/WiringTest.h"

#include "bascom/ProgramWriter.h"
#include "bascom/WiringTestProgram.h"
#include "sign/GlyphTable.h"
#include "tests/bascom/BasicInterpreter.h"
#include "tests/sign/FilledGlyphs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

namespace corvane {
namespace {

using testing::RunMainLoopOnce;
using testing::SplitLines;

class WiringProgram : public ::testing::TestWithParam<const char*>
{};

// The BASCOM program, run once through its main loop, shows one block per
// phase and in it the phase's pictures, in order, each steady for its time.
TEST_P(WiringProgram, ShowsTheWiringTestImagesInOrder)
{
    const Board board = Board::ofWidth(GetParam());
    const auto run = RunMainLoopOnce(RenderWiringTestProgram(board));
    ASSERT_FALSE(run.readOutsideTable);

    const std::vector<WiringImage> images = WiringTestImages(board);
    auto image = images.begin();
    ASSERT_EQ(run.blocks.size(), kWiringPhases.size());
    for (std::size_t block = 0; block < run.blocks.size(); ++block) {
        for (const testing::ShownStep& step : run.blocks[block]) {
            ASSERT_NE(image, images.end());
            SCOPED_TRACE("image " + std::to_string(image - images.begin()));
            EXPECT_EQ(image->phase, kWiringPhases[block]);
            EXPECT_TRUE(step.steady);
            // The interpreter models eight latches; those past the board's stay unlit.
            std::vector<int> expected(image->columns.begin(), image->columns.end());
            expected.resize(step.columns.size(), -1);
            EXPECT_EQ(step.columns, expected);
            EXPECT_EQ(step.durationMs, 25LL * image->refreshes);
            ++image;
        }
    }
    EXPECT_EQ(image, images.end());
}

INSTANTIATE_TEST_SUITE_P(Widths, WiringProgram, ::testing::Values("5", "18", "40"));

// Same banner and header as a message program with table counters of the
// same width, and a 31-character title box naming each phase in order.
TEST(WiringProgram, KeepsTheHouseStyle)
{
    const Board board = Board::ofWidth("40");
    const std::vector<std::string> lines = SplitLines(RenderWiringTestProgram(board));
    const std::vector<Message> wide{{std::string(60, 'W')}};
    const std::vector<std::string> message =
        SplitLines(RenderProgram(wide, board, testing::FilledGlyphs()));
    const auto doLine = std::find(message.begin(), message.end(), "Do");
    ASSERT_NE(doLine, message.end());
    EXPECT_TRUE(std::equal(message.begin(), doLine + 1, lines.begin()));

    std::vector<std::string> titles;
    for (const std::string& line : lines) {
        if (line.starts_with("' | ")) {
            EXPECT_EQ(line.size(), 31U) << line;
            titles.push_back(line);
        }
    }
    EXPECT_EQ(titles, (std::vector<std::string>{
                          "' | Wiring Test: Latches      |", "' | Wiring Test: Rows         |",
                          "' | Wiring Test: Columns      |", "' | Wiring Test: All Lit      |",
                          "' | Wiring Test: Width        |"}));
}

struct WidthCase
{
    const char* width;
    // Where each digit's five columns start; nothing else is lit.
    std::vector<std::pair<int, char>> digits;
};

class WidthPicture : public ::testing::TestWithParam<WidthCase>
{};

TEST_P(WidthPicture, CentresTheDigitsWithAGapWhereItFits)
{
    const Board board = Board::ofWidth(GetParam().width);
    std::vector<std::uint8_t> expected(5U * board.latchCount, 0);
    for (const auto& [start, digit] : GetParam().digits) {
        const auto glyph = GlyphColumns(static_cast<unsigned char>(digit));
        std::copy(glyph.begin(), glyph.end(), expected.begin() + start);
    }
    const WiringImage width = WiringTestImages(board).back();
    EXPECT_EQ(width.phase, WiringPhase::Width);
    EXPECT_EQ(width.columns, expected);
}

INSTANTIATE_TEST_SUITE_P(Widths, WidthPicture,
                         ::testing::Values(WidthCase{"5", {{0, '5'}}}, WidthCase{"9", {{2, '9'}}},
                                           WidthCase{"10", {{0, '1'}, {5, '0'}}},
                                           WidthCase{"18", {{3, '1'}, {9, '8'}}},
                                           WidthCase{"40", {{14, '4'}, {20, '0'}}}));

// Each phase takes about 2 s (the all-lit one 1 s) on every board the list offers.
TEST(WiringTest, EveryPhaseTakesAboutTwoSeconds)
{
    for (int columns = 5; columns <= 40; ++columns) {
        if (!Board::isListedWidth(columns)) {
            continue;
        }
        std::map<WiringPhase, int> refreshes;
        for (const WiringImage& image : WiringTestImages(Board::ofWidth(std::to_string(columns)))) {
            refreshes[image.phase] += image.refreshes;
        }
        for (const auto& [phase, total] : refreshes) {
            const int expected = phase == WiringPhase::AllLit ? 40 : 80;
            EXPECT_NEAR(total, expected, expected / 5)
                << "width " << columns << ", " << WiringPhaseName(phase);
        }
    }
}

TEST(WiringTest, RefusesABoardTheListDoesNotOffer)
{
    EXPECT_THROW(WiringTestImages(Board::ofWidth("38")), std::invalid_argument);
    EXPECT_THROW(WiringTestImages(Board{"20", 3, Board::kRowCount}), std::invalid_argument);
    EXPECT_NO_THROW(WiringTestImages(Board::ofWidth("37")));
}

} // namespace
} // namespace corvane
