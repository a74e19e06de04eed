#include "tests/editor/model/EditorFixture.h"

namespace corvane::test {
namespace {

ProgramDocument Program(std::vector<Message> entries, const std::string& width)
{
    return {std::move(entries), Board::ofWidth(width)};
}

class OpenProgram : public Editor
{};

TEST_F(OpenProgram, ReplacesTheListAndShowsEntryZeroForEditing)
{
    MakeEntries({"OLD", "TEXTS", "HERE"});
    editor.userClickWidth(0);
    const ProgramDocument program =
        Program({{"HELLO", ScrollDirection(2), 7}, {"A B", ScrollDirection(1), 0}}, "37");

    ASSERT_TRUE(editor.openProgram(program));

    ExpectCurrent(ItemsOf(program.entries), 0, "HELLO");
    EXPECT_EQ(editor.CmbWidth().selectedText(), "37");
    EXPECT_EQ(editor.LblLatch().caption(), "You need 8 IC Latch 74573.");
    EXPECT_EQ(Shown(), "7/2");
    EXPECT_EQ(Held(), "7/2");
    EXPECT_TRUE(editor.IsEditing());
    EXPECT_TRUE(editor.TxtMessage().hasFocus());
    EXPECT_EQ(editor.TxtMessage().caret(), 5U);
    EXPECT_TRUE(editor.CmdNext().isEnabled() && editor.CmdDel().isEnabled());

    // Saving right away hands back exactly what was opened.
    editor.userClickSave();
    EXPECT_EQ(editor.prepareProgram(), program);
}

// Entry 0 of speed 0 has no speed item to show; its speed must survive the
// commit that showing it makes.
TEST_F(OpenProgram, KeepsSpeedZeroAndAMessageThatReadsLikeThePrompt)
{
    editor.userLeaveBox();
    ASSERT_FALSE(editor.IsEditing());
    const ProgramDocument program =
        Program({{std::string(MessageEditor::kPromptText), ScrollDirection(3), 0}}, "5");

    ASSERT_TRUE(editor.openProgram(program));

    ExpectCurrent(ItemsOf(program.entries), 0, MessageEditor::kPromptText);
    EXPECT_EQ(Held(), "0/3");
    EXPECT_FALSE(editor.LstSpeed().selectedIndex().has_value());
    editor.userClickSave();
    EXPECT_EQ(editor.prepareProgram(), program);
}

// Standing messages and pauses live in the item data (bits 4 to 7 the way,
// 8 to 11 the pause) and survive showing, editing and saving the entries.
TEST_F(OpenProgram, KeepsStandingMessagesAndPauses)
{
    const ProgramDocument program = Program({{"HI", ScrollDirection::Left, 5, 3},
                                             {"OPEN", ScrollDirection::Still, 2},
                                             {"SALE", ScrollDirection::Blink, 9}},
                                            "30");

    ASSERT_TRUE(editor.openProgram(program));

    EXPECT_EQ(Items(), (std::vector<ListItem>{
                           {"HI", 3 * 256 + 5}, {"OPEN", 4 * 16 + 2}, {"SALE", 5 * 16 + 9}}));
    EXPECT_EQ(editor.OptScroll().selectedIndex(), 0U);
    editor.userClickMessage(1);
    EXPECT_EQ(editor.OptScroll().selectedIndex(), 4U);
    editor.userClickMessage(0);
    editor.userClickSave();
    EXPECT_EQ(editor.prepareProgram(), program);
}

// A file Save would write otherwise counts as changed from the start, so
// closing asks; after a save it no longer does.
TEST_F(OpenProgram, NotAsWrittenCountsAsChangedUntilSaved)
{
    const ProgramDocument program = Program({{"HELLO", ScrollDirection(2), 7}}, "20");
    ASSERT_TRUE(editor.openProgram(program, true));
    EXPECT_FALSE(editor.isChanged());
    ASSERT_TRUE(editor.openProgram(program, false));
    ExpectCurrent(ItemsOf(program.entries), 0, "HELLO");
    EXPECT_TRUE(editor.isChanged());
    editor.markSaved();
    EXPECT_FALSE(editor.isChanged());
}

TEST_F(OpenProgram, RefusesWhatTheWindowCannotHoldAndChangesNothing)
{
    MakeEntries({"KEEP", "ME"});
    const std::string before = Dump(editor);
    const std::vector<ProgramDocument> refused = {
        Program({}, "20"),
        Program(std::vector<Message>(257, {"X", ScrollDirection(0), 5}), "20"),
        Program({{"", ScrollDirection(0), 5}}, "20"),
        Program({{std::string(257, 'X'), ScrollDirection(0), 5}}, "20"),
        Program({{"TAB\t", ScrollDirection(0), 5}}, "20"),
        Program({{"X", ScrollDirection(kDirectionCount), 5}}, "20"),
        Program({{"X", ScrollDirection(0), 5, 10}}, "20"),
        Program({{"X", ScrollDirection(0), 10}}, "20"),
        Program({{"X", ScrollDirection(0), 5}}, "38"),
        Program({{"X", ScrollDirection(0), 5}}, "41"),
        {{{"X", ScrollDirection(0), 5}}, Board{"20", 3}},
    };
    for (const ProgramDocument& program : refused) {
        EXPECT_FALSE(editor.openProgram(program));
        EXPECT_EQ(Dump(editor), before);
    }
}

} // namespace
} // namespace corvane::test
