#include "editor/model/MessageEditor.h"

#include "editor/model/ItemData.h"
#include "tests/editor/model/EditorFixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::test {
namespace {

using List = std::vector<ListItem>;
constexpr std::size_t kLeft = 0, kRight = 1, kUp = 2, kDown = 3;
// Index of a speed in LstSpeed, whose items run "9" down to "1".
constexpr std::size_t SpeedItem(int speed)
{
    return static_cast<std::size_t>(9 - speed);
}

std::string Texts(const ListBox& list)
{
    std::string joined;
    for (const ListItem& item : list.items()) {
        joined += item.text;
    }
    return joined;
}

TEST(MessageEditorStart, StartValuesThenDefaultsThenEditingState)
{
    MessageEditor editor;
    EXPECT_EQ(editor.TxtMessage().text(), "Enter here your message.");
    EXPECT_EQ(editor.LstMessage().items(), (List{{" ", 0}}));
    EXPECT_EQ(Texts(editor.LstSpeed()), "987654321");
    EXPECT_FALSE(editor.LstMessage().selectedIndex() || editor.LstSpeed().selectedIndex() ||
                 editor.CmbWidth().selectedIndex());
    EXPECT_FALSE(editor.CmdDel().isEnabled() || editor.CmdNext().isEnabled() ||
                 editor.LstSpeed().isEnabled() || editor.OptScroll().button(kDown).isEnabled());

    editor.Form_Load();
    EXPECT_EQ(editor.CmbWidth().selectedText(), "20");
    EXPECT_EQ(editor.LstMessage().selectedIndex(), 0u);
    EXPECT_EQ(editor.LstSpeed().selectedText(), "5");
    EXPECT_EQ(editor.CurSpeed(), 5);
    EXPECT_FALSE(editor.IsEditing());

    editor.userFocusBox();
    EXPECT_TRUE(editor.IsEditing());
    EXPECT_EQ(editor.TxtMessage().text(), "");
    EXPECT_TRUE(editor.CmdDel().isEnabled() && editor.CmdClear().isEnabled() &&
                editor.LstSpeed().isEnabled() && editor.OptScroll().button(kDown).isEnabled());
}

TEST_F(Editor, TypicalUse)
{
    Type("H");
    EXPECT_EQ(Items(), (List{{"H", 5}}));
    Type("I");
    editor.userPressEnter();
    ExpectCurrent({{"HI", 5}, {" ", 5}}, 1, " ");
    editor.userClickDirection(kUp);
    EXPECT_TRUE(Replace("A"));
    editor.userClickSave();
    const ProgramDocument input = editor.prepareProgram();
    EXPECT_EQ(input.entries,
              (std::vector<Message>{{"HI", ScrollDirection(0), 5}, {"A", ScrollDirection(2), 5}}));
    EXPECT_EQ(input.board.widthText, "20");
    EXPECT_EQ(input.board.latchCount, 4);
    EXPECT_EQ(input.board.rowCount, 7);
}

struct PackingCase
{
    std::size_t direction;
    int speed;
    std::int32_t itemData;
};

class Packing : public Editor, public ::testing::WithParamInterface<PackingCase>
{};

TEST_P(Packing, KeystrokeCommitsDirectionAndSpeed)
{
    Type("x");
    editor.userClickDirection(GetParam().direction);
    editor.userClickSpeed(SpeedItem(GetParam().speed));
    Type("y");
    EXPECT_EQ(Items(), (List{{"xy", GetParam().itemData}}));
}

INSTANTIATE_TEST_SUITE_P(Editor, Packing,
                         ::testing::Values(PackingCase{kDown, 9, 57}, PackingCase{kUp, 1, 33},
                                           PackingCase{kRight, 5, 21}));

TEST_F(Editor, NextInheritsSettingsAndTheEntryLeftKeepsTheNewDirection)
{
    Type("AB");
    editor.userClickDirection(kUp);
    editor.userPressEnter();
    EXPECT_EQ(Items(), (List{{"AB", 37}, {" ", 37}}));
    editor.userClickDirection(kDown);
    editor.userClickMessage(0);
    ExpectCurrent({{"AB", 37}, {" ", 53}}, 0, "AB");
    EXPECT_EQ(Shown(), "5/2");
    EXPECT_EQ(Held(), "5/2");
    EXPECT_EQ(editor.TxtMessage().caret(), 2u);
}

TEST_F(Editor, NextInTheMiddleInsertsAfterTheCurrentEntry)
{
    MakeEntries({"A", "B", "C"});
    editor.userClickMessage(0);
    editor.userClickDirection(kDown);
    editor.userClickSpeed(SpeedItem(9));
    editor.userPressEnter();
    ExpectCurrent({{"A", 57}, {" ", 57}, {"B", 5}, {"C", 5}}, 1, " ");
}

TEST_F(Editor, EnterRunsNextWithoutFocusChangeAndDownOnTheLastEntryOnlyMovesTheFocus)
{
    editor.userPressEnter();
    ExpectCurrent({{" ", 5}, {" ", 5}}, 1, " ");
    EXPECT_TRUE(editor.TxtMessage().hasFocus());
    const std::string before = Dump(editor);
    editor.userClickDown();
    EXPECT_FALSE(editor.TxtMessage().hasFocus());
    editor.userFocusBox();
    EXPECT_EQ(Dump(editor), before);
}

// The list shows what the box shows: the erased message is the blank entry
// a new one is, also for Save, while the box stays empty for what comes next.
TEST_F(Editor, ErasingMakesTheBlankEntryAndLeavingShowsThePrompt)
{
    MakeEntries({"KEEP"});
    editor.userPressEnter();
    editor.userClickDirection(kUp);
    Replace("AB");
    Backspace(2);
    ExpectCurrent({{"KEEP", 5}, {" ", PackItemData(kUp, 5)}}, 1, "");
    editor.userClickSave();
    EXPECT_EQ(
        editor.prepareProgram().entries,
        (std::vector<Message>{{"KEEP", ScrollDirection(0), 5}, {" ", ScrollDirection(kUp), 5}}));
    editor.userLeaveBox();
    EXPECT_EQ(editor.TxtMessage().text(), MessageEditor::kPromptText);
    EXPECT_FALSE(editor.IsEditing() || editor.CmdNext().isEnabled());
    EXPECT_TRUE(editor.CmdDel().isEnabled());
    EXPECT_EQ(Items(), (List{{"KEEP", 5}, {" ", PackItemData(kUp, 5)}}));
    Type("C");
    ExpectCurrent({{"KEEP", 5}, {"C", PackItemData(kUp, 5)}}, 1, "C");
}

TEST_F(Editor, PromptTextTypedAsAMessageIsStoredAndTakenForThePromptLater)
{
    const std::string prompt(MessageEditor::kPromptText);
    Replace(prompt);
    editor.userLeaveBox();
    editor.userFocusBox();
    EXPECT_EQ(editor.TxtMessage().text(), "");
    EXPECT_TRUE(editor.IsEditing());
    EXPECT_EQ(Items(), (List{{prompt, 5}}));
}

TEST_F(Editor, PromptStateClickOnlyHighlightsAndTypingReturnsToTheCurrentEntry)
{
    MakeEntries({"A", "B", "C"});
    Backspace();
    editor.userClickMessage(0);
    EXPECT_FALSE(editor.IsEditing());
    EXPECT_EQ(editor.LstMessage().selectedIndex(), 0u);
    EXPECT_EQ(editor.CurIndex(), 2);
    Type("Q");
    ExpectCurrent({{"A", 5}, {"B", 5}, {"Q", 5}}, 2, "Q");
}

TEST_F(Editor, DeleteAfterAPromptStateClickRemovesTheHighlightedEntry)
{
    MakeEntries({"A", "B", "C"});
    editor.userClickDirection(kDown);
    Backspace();
    editor.userClickMessage(0);
    editor.userClickDelete();
    ExpectCurrent({{"B", 5}, {" ", 53}}, 0, "");
    EXPECT_TRUE(editor.IsEditing());
    Type("Z");
    EXPECT_EQ(Items(), (List{{"Z", 5}, {" ", 53}}));
}

TEST_F(Editor, DeleteInThePromptStateLoadsTheNextCurrentSettingsForTheNextCommit)
{
    Replace("A");
    editor.userClickSpeed(SpeedItem(9));
    editor.userClickDirection(kRight);
    editor.userPressEnter();
    editor.userClickSpeed(SpeedItem(5));
    editor.userClickDirection(kLeft);
    Replace("B");
    Backspace();
    editor.userClickDelete();
    ExpectCurrent({{"A", 25}}, 0, "");
    EXPECT_TRUE(editor.IsEditing());
    EXPECT_EQ(Held(), "9/1");
    EXPECT_EQ(Shown(), "5/0");
    Type("Z");
    EXPECT_EQ(Items(), (List{{"Z", 25}}));
    EXPECT_EQ(Shown(), "9/1");
}

struct DeleteCase
{
    std::size_t entries;
    std::size_t deleted;
    List remaining;
    std::size_t current;
    std::string shown;
};

class DeleteEntry : public Editor, public ::testing::WithParamInterface<DeleteCase>
{};

TEST_P(DeleteEntry, MakesTheEntryInItsPlaceOrTheOneBeforeCurrent)
{
    // Entry i gets speed 9 - i and direction i, so each shows distinct settings.
    for (std::size_t i = 0; i < GetParam().entries; ++i) {
        if (i > 0) {
            editor.userPressEnter();
        }
        Replace(std::string(1, static_cast<char>('A' + i)));
        editor.userClickSpeed(i);
        editor.userClickDirection(i);
    }
    editor.userClickMessage(GetParam().deleted);
    editor.userClickDelete();
    const DeleteCase& c = GetParam();
    ExpectCurrent(c.remaining, c.current, c.remaining[c.current].text);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(Held(), std::to_string(SpeedOf(c.remaining[c.current].itemData)) + "/" +
                          std::to_string(DirectionOf(c.remaining[c.current].itemData)));
}

INSTANTIATE_TEST_SUITE_P(Editor, DeleteEntry,
                         ::testing::Values(DeleteCase{1, 0, {{" ", 0}}, 0, "/0"},
                                           DeleteCase{3, 2, {{"A", 9}, {"B", 24}}, 1, "8/1"},
                                           DeleteCase{3, 1, {{"A", 9}, {"C", 39}}, 1, "7/2"},
                                           DeleteCase{3, 0, {{"B", 24}, {"C", 39}}, 0, "8/1"}));

TEST_F(Editor, SpeedZeroEntryKeepsTheCurrentSpeedAndClearUsesIt)
{
    editor.userClickDelete();
    Type("A");
    EXPECT_EQ(Items(), (List{{"A", 0}}));
    editor.userPressEnter();
    editor.userClickSpeed(SpeedItem(7));
    editor.userClickMessage(0);
    EXPECT_EQ(Shown(), "/0");
    EXPECT_EQ(Held(), "7/0");
    editor.userClickSave();
    EXPECT_EQ(Items(), (List{{"A", 7}, {" ", 7}}));
    editor.userClickClear();
    EXPECT_EQ(Items(), (List{{" ", 7}}));
    EXPECT_EQ(Shown(), "7/0");
}

TEST_F(Editor, ClearLeavesOneBlankEntryWithTheShownSpeedAndLeft)
{
    MakeEntries({"A", "B"});
    editor.userClickSpeed(SpeedItem(3));
    editor.userClickDirection(kUp);
    editor.userClickClear();
    ExpectCurrent({{" ", 3}}, 0, " ");
    EXPECT_EQ(Shown(), "3/0");
    EXPECT_TRUE(editor.TxtMessage().hasFocus());
}

TEST_F(Editor, PlayOneOnlyAlternatesCaptionAndTooltip)
{
    Type("A");
    editor.userLeaveBox();
    const std::string before = Dump(editor);
    editor.userClickPlayOne();
    EXPECT_EQ(editor.CmdPlayOne().caption(), ";");
    EXPECT_EQ(editor.CmdPlayOne().tooltip(), "Pause current message!");
    editor.userClickPlayOne();
    EXPECT_EQ(editor.CmdPlayOne().tooltip(), "Play current message!");
    EXPECT_EQ(Dump(editor), before);
}

class ClickWithEmptyBox : public Editor,
                          public ::testing::WithParamInterface<void (MessageEditor::*)()>
{};

// Leaving the empty box disables these buttons before their click lands.
TEST_P(ClickWithEmptyBox, IsNotCarriedOut)
{
    MessageEditor left;
    left.Form_Load();
    left.userFocusBox();
    left.userLeaveBox();
    (editor.*GetParam())();
    EXPECT_EQ(Dump(editor), Dump(left));
    (editor.*GetParam())();
    EXPECT_EQ(Dump(editor), Dump(left));
}

INSTANTIATE_TEST_SUITE_P(Editor, ClickWithEmptyBox,
                         ::testing::Values(&MessageEditor::userClickNext,
                                           &MessageEditor::userClickPlayOne,
                                           &MessageEditor::userClickClear));

TEST(LatchLabel, EveryWidthGivesItsLatchCountInCaptionAndTooltip)
{
    const std::vector<std::pair<std::vector<std::string>, int>> table = {
        {{"5"}, 1},
        {{"6", "7", "8", "9", "10"}, 2},
        {{"11", "12", "13", "14", "15"}, 3},
        {{"16", "17", "18", "19", "20"}, 4},
        {{"21", "22", "23", "24", "25"}, 5},
        {{"26", "27", "28", "29", "30"}, 6},
        {{"31", "32", "33", "34", "35"}, 7},
        {{"36", "37", "39", "40"}, 8}};
    List expected;
    for (const auto& [widths, latches] : table) {
        for (const std::string& width : widths) {
            expected.push_back({width, latches});
        }
    }
    MessageEditor editor;
    ASSERT_EQ(editor.CmbWidth().items(), expected);
    editor.Form_Load();
    EXPECT_EQ(editor.LblLatch().caption(), "You need 4 IC Latch 74573.");
    for (std::size_t i = 0; i < expected.size(); ++i) {
        editor.userClickWidth(i);
        const std::string text =
            "You need " + std::to_string(expected[i].itemData) + " IC Latch 74573.";
        EXPECT_EQ(editor.LblLatch().caption(), text);
        EXPECT_EQ(editor.LblLatch().tooltip(), text);
    }
    EXPECT_EQ(editor.LatchCount(), 0);
}

TEST_F(Editor, SaveCommitsAndLeavesTheEditorAsItWas)
{
    MakeEntries({"A", "B"});
    editor.userClickDirection(kRight);
    editor.userClickSave();
    const ProgramDocument first = editor.prepareProgram();
    const std::string saved = Dump(editor);
    EXPECT_EQ(first.entries,
              (std::vector<Message>{{"A", ScrollDirection(0), 5}, {"B", ScrollDirection(1), 5}}));
    ExpectCurrent({{"A", 5}, {"B", 21}}, 1, "B");
    EXPECT_EQ(editor.LatchCount(), 4);
    editor.userClickWidth(editor.CmbWidth().count() - 1);
    EXPECT_EQ(editor.LatchCount(), 4);
    editor.userClickWidth(15);
    editor.userClickSave();
    const ProgramDocument second = editor.prepareProgram();
    EXPECT_EQ(second.entries, first.entries);
    EXPECT_EQ(Dump(editor), saved);
    Type("C");
    EXPECT_EQ(Items(), (List{{"A", 5}, {"BC", 21}}));
}

TEST_F(Editor, FullListRefusesNextAndEveryIndexIsUsable)
{
    std::vector<std::string> texts;
    for (int i = 0; i < 256; ++i) {
        texts.push_back(std::to_string(i));
    }
    MakeEntries(texts);
    ASSERT_EQ(editor.LstMessage().count(), 256u);
    editor.userClickSpeed(SpeedItem(9));
    editor.userFocusBox();
    const std::string full = Dump(editor);
    editor.userPressEnter();
    EXPECT_EQ(Dump(editor), full);
    editor.userClickNext();
    editor.userFocusBox();
    EXPECT_EQ(Dump(editor), full);
    for (std::size_t i = 0; i < 256; ++i) {
        editor.userClickMessage(i);
        ASSERT_EQ(editor.CurIndex(), i);
        ASSERT_EQ(editor.TxtMessage().text(), texts[i]);
        ASSERT_EQ(editor.TxtMessage().caret(), texts[i].size());
    }
}

TEST_F(Editor, UpExchangesTheHighlightedEntryWithTheOneAboveSettingsIncluded)
{
    Replace("A");
    editor.userClickSpeed(SpeedItem(9));
    editor.userClickDirection(kRight);
    editor.userPressEnter();
    editor.userClickSpeed(SpeedItem(5));
    editor.userClickDirection(kLeft);
    Replace("B");
    editor.userClickDirection(kDown);
    editor.userClickUp();
    ExpectCurrent({{"B", 53}, {"A", 25}}, 0, "B");
    EXPECT_EQ(Shown(), "5/3");
    const std::string top = Dump(editor);
    editor.userClickUp();
    EXPECT_EQ(Dump(editor), top);
}

// Down is the mirror of Up: the current entry moves one place down with its
// settings and stays current; on the last entry it does nothing.
TEST_F(Editor, DownExchangesTheCurrentEntryWithTheOneBelowSettingsIncluded)
{
    MakeEntries({"A", "B"});
    editor.userClickMessage(0);
    editor.userClickDirection(kDown);
    editor.userClickSpeed(SpeedItem(9));
    editor.userClickDown();
    ExpectCurrent({{"B", 5}, {"A", 57}}, 1, "A");
    EXPECT_EQ(Shown(), "9/3");
    const std::string bottom = Dump(editor);
    editor.userClickDown();
    EXPECT_EQ(Dump(editor), bottom);
}

struct PromptUpCase
{
    std::size_t current;
    std::size_t highlighted;
    std::string afterUp;
    std::string afterTyping;
};

class UpInPromptState : public Editor, public ::testing::WithParamInterface<PromptUpCase>
{};

TEST_P(UpInPromptState, CurrentIndexFollowsItsMessage)
{
    MakeEntries({"A", "B", "C"});
    editor.userClickMessage(GetParam().current);
    Backspace();
    editor.userClickMessage(GetParam().highlighted);
    editor.userClickUp();
    EXPECT_EQ(Texts(editor.LstMessage()), GetParam().afterUp);
    EXPECT_EQ(editor.LstMessage().selectedIndex(), GetParam().highlighted - 1);
    Type("Z");
    EXPECT_EQ(Texts(editor.LstMessage()), GetParam().afterTyping);
}

INSTANTIATE_TEST_SUITE_P(Editor, UpInPromptState,
                         ::testing::Values(PromptUpCase{2, 1, "BA ", "BAZ"},
                                           PromptUpCase{1, 2, "AC ", "ACZ"},
                                           PromptUpCase{0, 1, "B C", "BZC"}));

// The box's selected text; empty when nothing is selected.
std::string SelectedText(const TextBox& box)
{
    const std::size_t from = std::min(box.anchor(), box.caret());
    return box.text().substr(from, std::max(box.anchor(), box.caret()) - from);
}

// The blank entry that the program puts into the box has its space selected,
// so the first keystroke (the box reports the whole text it made) replaces it.
TEST_F(Editor, BlankEntryPutIntoTheBoxHasItsSpaceSelected)
{
    Type("HI");
    editor.userPressEnter();
    EXPECT_EQ(SelectedText(editor.TxtMessage()), " ");
    EXPECT_TRUE(editor.userEditText("A", 1));
    ExpectCurrent({{"HI", 5}, {"A", 5}}, 1, "A");
    EXPECT_FALSE(editor.TxtMessage().hasSelection());

    editor.userPressEnter();
    editor.userPressEnter(); // Next from a blank entry
    EXPECT_EQ(SelectedText(editor.TxtMessage()), " ");
    editor.userClickMessage(0);
    EXPECT_EQ(editor.TxtMessage().caret(), 2U);
    EXPECT_FALSE(editor.TxtMessage().hasSelection());
    editor.userClickMessage(3);
    EXPECT_EQ(SelectedText(editor.TxtMessage()), " ");

    editor.userClickClear();
    EXPECT_EQ(SelectedText(editor.TxtMessage()), " ");
    EXPECT_TRUE(editor.userEditText("B", 1));
    editor.userClickDelete(); // the only entry
    ExpectCurrent({{" ", 0}}, 0, " ");
    EXPECT_EQ(SelectedText(editor.TxtMessage()), " ");
}

TEST_F(Editor, SpaceTypedIntoTheEmptyBoxStaysAsTyped)
{
    Type("x");
    Backspace();
    Type(" ");
    EXPECT_EQ(Items(), (List{{" ", 5}}));
    EXPECT_FALSE(editor.TxtMessage().hasSelection());
    Type("y");
    ExpectCurrent({{" y", 5}}, 0, " y");
}

// Closing the preview pauses as a click on the button does, but it is no
// click: the empty box keeps the focus and the editing state stays.
TEST_F(Editor, ClosingThePreviewShowsPlayWithoutMovingTheFocus)
{
    Type("A");
    editor.userClickPlayOne();
    Backspace();
    ASSERT_TRUE(editor.isPlaying());
    std::string expected = Dump(editor);
    expected.replace(expected.find("play ';'"), 8, "play '4'");
    editor.userClosePreview();
    EXPECT_EQ(Dump(editor), expected);
    EXPECT_EQ(editor.CmdPlayOne().tooltip(), "Play current message!");
    EXPECT_TRUE(editor.IsEditing() && editor.TxtMessage().hasFocus());

    editor.userClosePreview(); // already paused
    EXPECT_EQ(Dump(editor), expected);
}

} // namespace
} // namespace corvane::test
