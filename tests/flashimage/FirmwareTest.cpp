#include "flashimage/Firmware.h"

#include "flashimage/IntelHex.h"
#include "sign/TargetChip.h"

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
}

} // namespace
} // namespace corvane
