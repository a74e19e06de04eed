#include "sign/BoardSimulator.h"

#include "bascom/ProgramWriter.h"
#include "tests/bascom/BasicInterpreter.h"
#include "tests/sign/Entries.h"
#include "tests/sign/FilledGlyphs.h"
#include "tests/sign/TextAt.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::Entry;
using test::ProgramRun;
using test::RunMainLoopOnce;
using test::TextAt;

BoardSimulator Simulate(const Message& entry, const std::string& width, int latches)
{
    const auto latchCount = static_cast<std::uint8_t>(latches);
    return BoardSimulator(ShowOf(entry, {width, latchCount}));
}

TEST(BoardSimulator, ShowsHandCheckedFrames)
{
    const BoardSimulator left = Simulate({"HI", ScrollDirection(0), 7}, "10", 2);
    EXPECT_EQ(left.stepCount(), 22);
    EXPECT_EQ(left.frame(0), std::vector<std::uint8_t>(10, 0));
    EXPECT_EQ(left.frame(10), (std::vector<std::uint8_t>{0x7F, 0x08, 0x08, 0x08, 0x7F, 0x00, 0x00,
                                                         0x41, 0x7F, 0x41}));
    EXPECT_EQ(left.durationMs(5), 3 * 5 * 5);
    EXPECT_EQ(left.totalDurationMs(), 22 * 3 * 5 * 5);

    const BoardSimulator right = Simulate({"HI", ScrollDirection(1), 7}, "8", 2);
    EXPECT_EQ(right.frame(right.stepCount() - 1 - 10),
              (std::vector<std::uint8_t>{0x7F, 0x08, 0x08, 0x08, 0x7F, 0x00, 0x00, 0x41}));

    const BoardSimulator up = Simulate({"A", ScrollDirection(2), 5}, "10", 2);
    EXPECT_EQ(up.stepCount(), 7);
    EXPECT_EQ(up.frame(1),
              (std::vector<std::uint8_t>{0x7E, 0x08, 0x08, 0x08, 0x7E, 0, 0, 0, 0, 0}));
    EXPECT_EQ(up.durationMs(0), 7 * 5 * 5 * 5);
    EXPECT_EQ(up.durationMs(1), 3 * 5 * 5 * 5);

    const BoardSimulator down = Simulate({"A", ScrollDirection(3), 5}, "10", 2);
    EXPECT_EQ(down.frame(2),
              (std::vector<std::uint8_t>{0x0F, 0x11, 0x11, 0x11, 0x0F, 0, 0, 0, 0, 0}));
    EXPECT_EQ(down.frame(6), (std::vector<std::uint8_t>{0, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_THROW(static_cast<void>(down.frame(7)), std::out_of_range);
}

struct BoardCase
{
    std::string width;
    int latches = 1;
    int speed = 0;
    std::size_t length = 1;
};

// Names a board in test output instead of dumping its bytes.
void PrintTo(const BoardCase& board, std::ostream* out)
{
    *out << "width " << board.width << ", " << board.latches << " latches, speed " << board.speed
         << ", " << board.length << " characters";
}

std::vector<Message> OnePerDirection(const BoardCase& board)
{
    std::string text(board.length, ' ');
    for (std::size_t k = 0; k < text.size(); ++k) {
        text[k] = static_cast<char>(33 + (k * 37) % 94);
    }
    std::vector<Message> entries;
    for (int direction = 0; direction < 4; ++direction) {
        entries.push_back({text, ScrollDirection(direction), board.speed});
    }
    return entries;
}

// The interpreter ran the rendered program; every block must show, step by
// step, what the simulator computes from the same entry.
void ExpectSameShow(const ProgramRun& run, const std::vector<Message>& entries,
                    const BoardCase& board)
{
    ASSERT_EQ(run.blocks.size(), entries.size());
    EXPECT_FALSE(run.readOutsideTable);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "message " << i);
        const BoardSimulator simulator = Simulate(entries[i], board.width, board.latches);
        EXPECT_TRUE(simulator.readsWithinTable());
        const auto& steps = run.blocks[i];
        ASSERT_EQ(static_cast<int>(steps.size()), simulator.stepCount());
        long long total = 0;
        for (int s = 0; s < simulator.stepCount(); ++s) {
            const test::ShownStep& shown = steps[static_cast<std::size_t>(s)];
            ASSERT_TRUE(shown.steady) << "step " << s;
            ASSERT_EQ(shown.durationMs, simulator.durationMs(s)) << "step " << s;
            const auto frame = simulator.frame(s);
            ASSERT_EQ(frame.size(), static_cast<std::size_t>(std::stoi(board.width)));
            for (int column = 0; column < 5 * board.latches; ++column) {
                ASSERT_GE(shown.columns[column], 0)
                    << "column " << column << " never lit, step " << s;
                if (column < static_cast<int>(frame.size())) {
                    ASSERT_EQ(shown.columns[column], frame[column])
                        << "column " << column << ", step " << s;
                }
            }
            total += shown.durationMs;
        }
        EXPECT_EQ(total, simulator.totalDurationMs());
    }
}

class SimulatorAgainstProgram : public ::testing::TestWithParam<BoardCase>
{};

TEST_P(SimulatorAgainstProgram, ShowsWhatTheRenderedBlocksShow)
{
    const BoardCase& board = GetParam();
    const auto entries = OnePerDirection(board);
    const std::string program = RenderProgram(
        entries, {board.width, static_cast<std::uint8_t>(board.latches)}, test::FilledGlyphs());
    ExpectSameShow(RunMainLoopOnce(program), entries, board);
}

std::vector<BoardCase> Boards()
{
    // Short messages (vertical tables padded), just-short ones, and long ones
    // whose counters need 16 bits; on the narrowest and widest width of each
    // latch count.
    std::vector<BoardCase> boards;
    for (int latches = 1; latches <= 8; ++latches) {
        for (const int speed : {0, 9}) {
            for (const std::size_t length : {1U, 6U, 45U}) {
                boards.push_back({std::to_string(5 * latches), latches, speed, length});
                if (latches > 1) {
                    boards.push_back({std::to_string(5 * latches - 4), latches, speed, length});
                }
            }
        }
    }
    // Largest Lookup index exactly 255 (bytes suffice) and just above.
    boards.push_back({"37", 8, 9, 30});
    boards.push_back({"37", 8, 9, 31});
    boards.push_back({"5", 1, 9, 41});
    return boards;
}

INSTANTIATE_TEST_SUITE_P(AllLatchCounts, SimulatorAgainstProgram, ::testing::ValuesIn(Boards()),
                         [](const auto& info) {
                             const BoardCase& b = info.param;
                             return "w" + b.width + "_speed" + std::to_string(b.speed) + "_len" +
                                    std::to_string(b.length);
                         });

TEST(SimulatorAgainstProgram, UnpaddedShortVerticalTableWouldReadPastItsEnd)
{
    const std::vector<Message> entries = {{"A", ScrollDirection(2), 9}};
    const std::string program = RenderProgram(entries, {"40", 8}, test::FilledGlyphs());
    EXPECT_FALSE(RunMainLoopOnce(program).readOutsideTable);

    const std::string blank = "Data &H00 , &H00 , &H00 , &H00 , &H00\r\n";
    const std::string unpadded = test::ReplaceAll(program, blank, "");
    ASSERT_NE(unpadded, program);
    EXPECT_TRUE(RunMainLoopOnce(unpadded).readOutsideTable);
    const std::vector<std::uint8_t> oneLetter(6, 0x7F);
    EXPECT_FALSE(
        BoardSimulator(Show{ScrollPlan(entries[0], {"40", 8}), oneLetter}).readsWithinTable());
}

TEST(SimulatorAgainstProgram, ByteCountersWouldBreakALongHorizontalMessage)
{
    const std::vector<Message> entries = {{std::string(45, 'M'), ScrollDirection(0), 9}};
    const std::string program = RenderProgram(entries, {"40", 8}, test::FilledGlyphs());
    const std::string narrowed = test::ReplaceAll(program, " As Word", " As Byte");
    ASSERT_NE(narrowed, program);
    const BoardSimulator simulator = Simulate(entries[0], "40", 8);
    EXPECT_EQ(static_cast<int>(RunMainLoopOnce(program).blocks.at(0).size()),
              simulator.stepCount());
    EXPECT_NE(static_cast<int>(RunMainLoopOnce(narrowed).blocks.at(0).size()),
              simulator.stepCount());
}

// One picture and how long it stands: consecutive equal ones merged.
struct Picture
{
    std::vector<std::uint8_t> columns;
    long long durationMs = 0;

    friend bool operator==(const Picture&, const Picture&) = default;
};

void PrintTo(const Picture& picture, std::ostream* out)
{
    *out << picture.durationMs << " ms of";
    for (const std::uint8_t column : picture.columns) {
        *out << ' ' << int{column};
    }
}

void AppendMerged(std::vector<Picture>& pictures, Picture picture)
{
    if (!pictures.empty() && pictures.back().columns == picture.columns) {
        pictures.back().durationMs += picture.durationMs;
    } else {
        pictures.push_back(std::move(picture));
    }
}

// What the interpreter saw a block show, cut to the board's width; columns
// never lit (a blinking block's dark steps) are dark.
std::vector<Picture> PicturesOfBlock(const std::vector<test::ShownStep>& steps, int width)
{
    std::vector<Picture> pictures;
    for (const test::ShownStep& step : steps) {
        EXPECT_TRUE(step.steady);
        std::vector<std::uint8_t> columns;
        for (int column = 0; column < width; ++column) {
            columns.push_back(static_cast<std::uint8_t>(std::max(step.columns[column], 0)));
        }
        AppendMerged(pictures, {columns, step.durationMs});
    }
    return pictures;
}

std::vector<Picture> PicturesOfSimulator(const BoardSimulator& simulator)
{
    std::vector<Picture> pictures;
    for (int step = 0; step < simulator.stepCount(); ++step) {
        AppendMerged(pictures, {simulator.frame(step), simulator.durationMs(step)});
    }
    return pictures;
}

struct StandingCase
{
    std::string width;
    std::vector<Message> entries;
};

void PrintTo(const StandingCase& row, std::ostream* out)
{
    *out << "width " << row.width;
}

class StandingAndPausedBlocks : public ::testing::TestWithParam<StandingCase>
{};

// Every picture of the standing and paused blocks, and how long it stands,
// is the board simulator's.
TEST_P(StandingAndPausedBlocks, ShowWhatTheSimulatorShows)
{
    const StandingCase& row = GetParam();
    const auto board = Board::ofWidth(row.width);
    const ProgramRun run = RunMainLoopOnce(RenderProgram(row.entries, board, test::FilledGlyphs()));
    ASSERT_EQ(run.blocks.size(), row.entries.size());
    EXPECT_FALSE(run.readOutsideTable);
    for (std::size_t i = 0; i < row.entries.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "message " << i);
        const BoardSimulator simulator(ShowOf(row.entries[i], board));
        EXPECT_TRUE(simulator.readsWithinTable());
        EXPECT_EQ(PicturesOfBlock(run.blocks[i], board.columns()), PicturesOfSimulator(simulator));
    }
}

constexpr auto kStill = ScrollDirection::Still;
constexpr auto kBlink = ScrollDirection::Blink;

INSTANTIATE_TEST_SUITE_P(
    Widths, StandingAndPausedBlocks,
    ::testing::Values(StandingCase{"5",
                                   {Entry("Hi there", kStill, 9), Entry("A B", kBlink, 8),
                                    Entry("Go", ScrollDirection::Left, 9, 1),
                                    Entry("X", ScrollDirection::Right, 9, 2)}},
                      StandingCase{"18",
                                   {Entry("OPEN NOW", kStill, 7), Entry("Sale on", kBlink, 9),
                                    Entry("Hi", ScrollDirection::Left, 8, 1),
                                    Entry("Fresh bread", ScrollDirection::Right, 9, 3),
                                    Entry("Up", ScrollDirection::Up, 9, 1),
                                    Entry("Dn", ScrollDirection::Down, 0, 9)}},
                      // Pauses of 255 refreshes and more need 16-bit refresh counters.
                      StandingCase{"40",
                                   {Entry("Welcome to the shop", kStill, 0),
                                    Entry("SALE", kBlink, 8),
                                    Entry("Fresh bread", ScrollDirection::Left, 0, 9),
                                    Entry(std::string(45, 'M'), ScrollDirection::Right, 9, 7),
                                    Entry("A", ScrollDirection::Down, 0, 9)}}),
    [](const auto& info) { return "w" + info.param.width; });

// The shop's list of the README: OPEN centred for 5 s, SALE centred
// blinking twice, then the scroll that stops 2 s when "Fresh bread" reaches
// the left edge.
TEST(StandingAndPausedBlocks, ShowTheShopList)
{
    const std::vector<Message> shop = {Entry("OPEN", kStill, 5), Entry("SALE", kBlink, 8),
                                       Entry("Fresh bread", ScrollDirection::Left, 6, 2)};
    const auto board = Board::ofWidth("30");
    const ProgramRun run = RunMainLoopOnce(RenderProgram(shop, board, test::FilledGlyphs()));
    ASSERT_EQ(run.blocks.size(), 3U);
    EXPECT_EQ(PicturesOfBlock(run.blocks[0], 30),
              (std::vector<Picture>{{TextAt("OPEN", 3, 30), 5000}}));
    const Picture sale{TextAt("SALE", 3, 30), 500};
    const Picture dark{std::vector<std::uint8_t>(30, 0), 500};
    EXPECT_EQ(PicturesOfBlock(run.blocks[1], 30), (std::vector<Picture>{sale, dark, sale, dark}));
    const auto scroll = PicturesOfBlock(run.blocks[2], 30);
    const auto stop = std::ranges::find(scroll, TextAt("Fresh bread", 0, 30), &Picture::columns);
    ASSERT_NE(stop, scroll.end());
    EXPECT_EQ(stop->durationMs, 2000 + 4 * 25);
    EXPECT_TRUE(std::ranges::all_of(
        scroll, [&](const Picture& p) { return &p == &*stop || p.durationMs == 4 * 25; }));
}

} // namespace
} // namespace corvane
