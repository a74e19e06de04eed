#include "flashimage/Firmware.h"

#include "firmware/EngineImage.h"
#include "firmware/SignLayout.h"
#include "flashimage/IntelHex.h"
#include "sign/BoardSimulator.h"
#include "sign/Show.h"
#include "sign/TargetChip.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <stdexcept>

namespace corvane {
namespace {

TEST(IntelHexTest, WritesSixteenByteRecordsWithChecksumsAndTheEndRecord)
{
    std::vector<std::uint8_t> bytes(17);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    // As avr-objcopy writes the same 17 bytes.
    EXPECT_EQ(IntelHex(bytes), ":10000000000102030405060708090A0B0C0D0E0F78\n"
                               ":0100100010DF\n"
                               ":00000001FF\n");
}

// 64 KiB is the most a file of data records alone addresses: the last
// record starts at FFF0, and one byte more is refused rather than written at
// an address that wraps to 0000.
TEST(IntelHexTest, WritesSixtyFourKibibytesWithoutAddressRecordsAndRefusesOneMore)
{
    std::vector<std::uint8_t> bytes(0x10000);
    const std::string hex = IntelHex(bytes);
    EXPECT_EQ(std::count(hex.begin(), hex.end(), '\n'), 0x10000 / 16 + 1);
    EXPECT_TRUE(hex.ends_with(":10FFF000" + std::string(32, '0') + "01\n:00000001FF\n"));

    bytes.push_back(0);
    EXPECT_THROW(IntelHex(bytes), std::length_error);
}

// One show whose table brings the image to exactly `size` bytes.
std::vector<FirmwareShow> ShowsOfSize(std::size_t size)
{
    const std::size_t overhead = FirmwareSize(std::vector<FirmwareShow>{FirmwareShow{}});
    FirmwareShow show;
    show.table.assign(size - overhead, 0x41);
    return {show};
}

TEST(FirmwareTest, FillsTheFlashToTheLastByteAndRefusesOneMore)
{
    const auto fits = LinkFirmware(ShowsOfSize(chip::kFlashBytes), 1);
    ASSERT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(fits));
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(fits).size(), chip::kFlashBytes);

    const auto refused = LinkFirmware(ShowsOfSize(chip::kFlashBytes + 1), 1);
    ASSERT_TRUE(std::holds_alternative<FirmwareTooLarge>(refused));
    EXPECT_EQ(std::get<FirmwareTooLarge>(refused).reason(),
              "The firmware needs 8,193 bytes; the ATmega8 holds 8,192. Fewer or shorter "
              "messages are needed.");
}

TEST(FirmwareTest, CountsExactlyWhatItBuilds)
{
    const std::vector<Message> entries{{"Hello", ScrollDirection(0), 5},
                                       {"Up", ScrollDirection(2), 9},
                                       {"Right way", ScrollDirection(1), 0}};
    const Board board = Board::ofWidth("18");
    const auto built = BuildFirmware(entries, board);
    ASSERT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(built));
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(built).size(), FirmwareSize(entries, board));
}

TEST(FirmwareTest, RefusesAShowThatReadsPastItsTable)
{
    FirmwareShow show;
    show.table.assign(10, 0); // two latches read 10 columns at step 0 ...
    show.stepCount = 2;       // ... and one more at step 1
    EXPECT_THROW(LinkFirmware(std::vector{show}, 2), std::invalid_argument);
    show.motion = FirmwareShow::Motion::RowsUp;
    EXPECT_NO_THROW(LinkFirmware(std::vector{show}, 2));
    show.motion = FirmwareShow::Motion::Still;
    EXPECT_NO_THROW(LinkFirmware(std::vector{show}, 2));
}

TEST(FirmwareTest, WritesTheHeaderAndEveryFieldOfEachShowWhereTheEngineReadsIt)
{
    using namespace sign;
    const FirmwareShow still{.table = std::vector<std::uint8_t>(7, 0x11),
                             .stepCount = 3,
                             .firstIndex = 2,
                             .motion = FirmwareShow::Motion::Still,
                             .blink = true,
                             .firstRefreshes = 7,
                             .refreshes = 9,
                             .heldStep = 2,
                             .heldRefreshes = 0x1234};
    const FirmwareShow falling{.table = std::vector<std::uint8_t>(5, 0x22),
                               .motion = FirmwareShow::Motion::RowsDown};
    const auto linked = LinkFirmware(std::vector{still, falling}, 1, 5);
    ASSERT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(linked));
    const auto& flash = std::get<std::vector<std::uint8_t>>(linked);
    const auto word = [&](std::size_t at) { return flash.at(at) | flash.at(at + 1) << 8; };

    const std::size_t sign = engine::Image().size();
    EXPECT_EQ(word(sign + kSignShowCountOffset), 2);
    EXPECT_EQ(flash.at(sign + kSignLatchCountOffset), 1);
    EXPECT_EQ(flash.at(sign + kSignBrightnessOffset), 5);

    const std::size_t first = sign + kSignHeaderSize;
    const std::size_t second = first + kShowRecordSize;
    const std::size_t tables = second + kShowRecordSize;
    EXPECT_EQ(word(first + kShowTableAddressOffset), tables);
    EXPECT_EQ(word(first + kShowStepCountOffset), 3);
    EXPECT_EQ(word(first + kShowFirstIndexOffset), 2);
    EXPECT_EQ(flash.at(first + kShowMotionOffset), kMotionStill);
    EXPECT_EQ(flash.at(first + kShowFlagsOffset), kShowFlagBlink);
    EXPECT_EQ(flash.at(first + kShowFirstRefreshesOffset), 7);
    EXPECT_EQ(flash.at(first + kShowRefreshesOffset), 9);
    EXPECT_EQ(word(first + kShowHeldStepOffset), 2);
    EXPECT_EQ(word(first + kShowHeldRefreshesOffset), 0x1234);

    EXPECT_EQ(word(second + kShowTableAddressOffset), tables + 7);
    EXPECT_EQ(flash.at(second + kShowMotionOffset), kMotionRowsDown);
    EXPECT_EQ(flash.at(second + kShowFlagsOffset), 0);
    EXPECT_EQ(word(second + kShowHeldRefreshesOffset), 0);
    EXPECT_EQ(std::vector(flash.begin() + static_cast<std::ptrdiff_t>(tables), flash.end()),
              (std::vector<std::uint8_t>{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x22, 0x22, 0x22,
                                         0x22, 0x22}));
}

// The engine's picture of a horizontal show at step S: latch h's column c
// shows the table byte at firstIndex ± S + 5h + c (FirmwareShow).
std::vector<std::uint8_t> EngineFrame(const FirmwareShow& show, int step, int width)
{
    const int moved = show.motion == FirmwareShow::Motion::Backward ? -step : step;
    std::vector<std::uint8_t> columns;
    for (int column = 0; column < width; ++column) {
        const auto index = static_cast<std::size_t>(show.firstIndex + moved + column);
        columns.push_back(static_cast<std::uint8_t>(show.table.at(index) & 0x7F));
    }
    return columns;
}

// Left and Right shows start where the board simulator's first step does and
// move as its steps do.
TEST(FirmwareTest, HorizontalShowsShowWhatTheBoardSimulatorShows)
{
    const Board board = Board::ofWidth("18");
    for (const ScrollDirection direction : {ScrollDirection::Left, ScrollDirection::Right}) {
        const Message message{"Hi!", direction, 5};
        const FirmwareShow show = ShowsOfMessage(message, board).front();
        const BoardSimulator simulator(ShowOf(message, board));
        ASSERT_EQ(show.stepCount, simulator.stepCount());
        for (const int step : {0, 1, simulator.stepCount() - 1}) {
            EXPECT_EQ(EngineFrame(show, step, simulator.width()), simulator.frame(step))
                << "direction " << static_cast<int>(direction) << ", step " << step;
        }
    }
}

TEST(FirmwareTest, RefusesWhatTheEngineCannotPlay)
{
    struct Case
    {
        const char* what;
        FirmwareShow show;
        std::uint8_t brightness = kFullBrightness;
    };
    const std::vector<std::uint8_t> table(5, 0);
    const std::vector<Case> cases{
        {"brightness 0", {.table = table}, 0},
        {"brightness 9", {.table = table}, 9},
        {"a held step past the last",
         {.table = table,
          .stepCount = 2,
          .motion = FirmwareShow::Motion::Still,
          .heldStep = 2,
          .heldRefreshes = 1}},
        {"no step", {.table = table, .stepCount = 0}},
        {"a first step of no refresh", {.table = table, .firstRefreshes = 0}},
        {"later steps of no refresh",
         {.table = table, .stepCount = 2, .motion = FirmwareShow::Motion::Still, .refreshes = 0}},
    };
    for (const Case& refused : cases) {
        SCOPED_TRACE(refused.what);
        EXPECT_THROW(LinkFirmware(std::vector{refused.show}, 1, refused.brightness),
                     std::invalid_argument);
    }
    // The same shows, but each fault mended, link.
    EXPECT_NO_THROW(LinkFirmware(std::vector{FirmwareShow{.table = table}}, 1, 1));
    EXPECT_NO_THROW(LinkFirmware(std::vector{FirmwareShow{.table = table,
                                                          .stepCount = 2,
                                                          .motion = FirmwareShow::Motion::Still,
                                                          .heldStep = 1,
                                                          .heldRefreshes = 1}},
                                 1));
}

} // namespace
} // namespace corvane
