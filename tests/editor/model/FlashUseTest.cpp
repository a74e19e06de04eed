#include "editor/model/FlashUse.h"

#include "tests/editor/model/EditorFixture.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

TEST(FlashUse, GroupsThousandsWithCommas)
{
    EXPECT_EQ(GroupThousands(0), "0");
    EXPECT_EQ(GroupThousands(999), "999");
    EXPECT_EQ(GroupThousands(1000), "1,000");
    EXPECT_EQ(GroupThousands(8192), "8,192");
    EXPECT_EQ(GroupThousands(413696), "413,696");
    EXPECT_EQ(GroupThousands(1234567), "1,234,567");
}

TEST(FlashUse, SummaryAndWarningGiveTheNumbers)
{
    EXPECT_EQ(FlashUse{2214}.summary(), "Data tables: 2,214 of 8,192 bytes of flash");
    EXPECT_FALSE(FlashUse{8192}.exceedsFlash());
    EXPECT_TRUE(FlashUse{8193}.exceedsFlash());
    const std::string warning = FlashUse{9696}.overflowWarning();
    for (const char* part : {"cannot fit an ATmega8", "9,696 bytes", "8,192 bytes of flash",
                             "Fewer or shorter messages are needed."}) {
        EXPECT_NE(warning.find(part), std::string::npos) << part << " in " << warning;
    }
}

// Save commits the settings being edited first, and a vertical table's
// padding depends on the direction, so the count takes them uncommitted.
// A standing message's table holds its pages between blank runs, its
// firmware one show of a board's window per page.
TEST(FlashUse, CountsAStandingMessagePageByPage)
{
    const std::vector<Message> still{{"Fresh bread", ScrollDirection::Still, 5}};
    const std::vector<Message> left{{"Fresh bread", ScrollDirection::Left, 5}};
    const Board board = Board::ofWidth("30");
    // Three runs of six blank lines of five, and the eleven characters.
    EXPECT_EQ(FlashUseOf(still, board).tableBytes, 3U * 6 * 5 + 11 * 6);
    // Two records and windows of 30 columns against one record and the table.
    EXPECT_EQ(FlashUseOf(still, board).firmwareBytes + (14 + 2 * 6 * 5 + 11 * 6),
              FlashUseOf(left, board).firmwareBytes + 2 * (14 + 30));
}

TEST_F(Editor, FlashUseCountsTheListAsSaveWouldWriteIt)
{
    Type("HI");
    EXPECT_EQ(FlashUseOf(editor).tableBytes, 52U); // 4 + 4 blank lines, 2 characters
    editor.userClickDirection(2);
    EXPECT_EQ(Items(), (std::vector<ListItem>{{"HI", 5}}));
    EXPECT_EQ(FlashUseOf(editor).tableBytes, 22U); // padded to 20 columns
    editor.userPressEnter();
    EXPECT_EQ(FlashUseOf(editor).tableBytes, 22U + 21U);
    editor.userClickWidth(editor.CmbWidth().count() - 1); // "40"
    EXPECT_EQ(FlashUseOf(editor).tableBytes, 42U + 41U);
    EXPECT_EQ(FlashUseOf(editor.entries(), Board::ofWidth("40")).tableBytes, 42U + 41U);
}

} // namespace
} // namespace corvane::test
