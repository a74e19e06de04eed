#include "flashimage/IntelHexImage.h"

#include "flashimage/IntelHex.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

namespace corvane {
namespace {

TEST(IntelHexImageTest, ReadsWhatIsWrittenAndRefusesTheRest)
{
    const std::vector<std::uint8_t> bytes{0x0C, 0x94, 0x2A, 0x00, 0xFF, 0x12, 0x34, 0x56, 0x78,
                                          0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x02, 0x03, 0x04, 0x05};
    const auto read = ReadIntelHex(IntelHex(bytes), 8192);
    ASSERT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(read));
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(read), bytes);
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadIntelHex(IntelHex(bytes), 16)));
    EXPECT_TRUE(
        std::holds_alternative<std::string>(ReadIntelHex(":0100000001FF\n:00000001FF\n", 8192)));
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadIntelHex("hello\n", 8192)));
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadIntelHex(":0100000001FE\n", 8192)));
}

} // namespace
} // namespace corvane
