#include "editor/model/ItemData.h"
#include "editor/model/MessageEditor.h"
#include "tests/editor/model/EditorFixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::test {
namespace {

using List = std::vector<ListItem>;
constexpr std::size_t kLeft = 0, kUp = 2, kDown = 3;
constexpr std::size_t SpeedItem(int speed)
{
    return static_cast<std::size_t>(9 - speed);
}

class Undo : public Editor
{
protected:
    std::size_t Steps() const { return editor.history().undoCount(); }
    std::string UndoName() const { return std::string(editor.history().undoName()); }
    std::string RedoName() const { return std::string(editor.history().redoName()); }
    std::string Latch() const { return editor.LblLatch().caption(); }
};

TEST_F(Undo, KeystrokesIntoOneEntryAreOneStep)
{
    Type("abc");
    Backspace();
    Type("d");
    EXPECT_EQ(Steps(), 1u);
    EXPECT_EQ(UndoName(), "Typing");

    editor.userUndo();
    ExpectCurrent({{" ", 5}}, 0, " ");
    EXPECT_FALSE(editor.history().canUndo());
    EXPECT_EQ(RedoName(), "Typing");
    editor.userRedo();
    ExpectCurrent({{"abd", 5}}, 0, "abd");
    EXPECT_EQ(editor.TxtMessage().caret(), 3u);
}

TEST_F(Undo, AnotherEntryOrAnyOtherActionStartsANewStep)
{
    MakeEntries({"one", "two"});
    EXPECT_EQ(Steps(), 3u); // typing, Next, typing

    editor.userClickMessage(0);
    Type("!");
    Type("?");
    EXPECT_EQ(Steps(), 4u);
    // Clicks that change nothing make no step, yet end the run.
    editor.userClickMessage(1);
    editor.userClickMessage(0);
    EXPECT_EQ(Steps(), 4u);
    Type("#");
    editor.userClickPlayOne();
    Type("$");
    EXPECT_EQ(Steps(), 6u);

    const std::vector<std::string> texts = {"one!?#", "one!?", "one"};
    for (const std::string& text : texts) {
        editor.userUndo();
        ExpectCurrent({{text, 5}, {"two", 5}}, 0, text);
    }
    editor.userUndo();
    ExpectCurrent({{"one", 5}, {" ", 5}}, 1, " ");
}

TEST_F(Undo, EachActionThatChangesTheContentIsOneNamedStep)
{
    MakeEntries({"a", "b", "c"});
    editor.userClickMessage(1);
    const std::vector<std::pair<std::string, std::function<void()>>> actions = {
        {"Direction", [this] { editor.userClickDirection(kUp); }},
        {"Speed", [this] { editor.userClickSpeed(SpeedItem(9)); }},
        {"Width", [this] { editor.userClickWidth(0); }},
        {"Move Up", [this] { editor.userClickUp(); }},
        {"Move Down", [this] { editor.userClickDown(); }},
        {"Next", [this] { editor.userPressEnter(); }},
        {"Next", [this] { editor.userClickNext(); }},
        {"Delete", [this] { editor.userClickDelete(); }},
        {"Clear", [this] { editor.userClickClear(); }},
    };
    for (const auto& [name, action] : actions) {
        const std::size_t before = Steps();
        action();
        EXPECT_EQ(Steps(), before + 1) << name;
        EXPECT_EQ(UndoName(), name);
    }

    // Actions that change nothing make no step and keep what can be redone.
    editor.userUndo();
    editor.userUndo();
    const std::size_t steps = Steps();
    const List items = Items();
    editor.userClickMessage(1);
    editor.userClickMessage(0);
    editor.userClickDirection(editor.OptScroll().selectedIndex());
    editor.userClickSpeed(*editor.LstSpeed().selectedIndex());
    editor.userClickWidth(*editor.CmbWidth().selectedIndex());
    editor.userClickPlayOne();
    editor.userClickSave();
    editor.userLeaveBox();
    editor.userFocusBox();
    EXPECT_EQ(Items(), items);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(RedoName(), "Delete");
}

TEST_F(Undo, BringsBackEntriesSettingsWidthAndTheCurrentEntry)
{
    MakeEntries({"one", "two", "three"});
    editor.userClickMessage(0);
    editor.userClickDirection(kDown);
    editor.userClickSpeed(SpeedItem(9));
    editor.userClickMessage(1);
    editor.userClickWidth(0);
    EXPECT_EQ(Latch(), "You need 1 IC Latch 74573.");
    editor.userClickClear();

    editor.userUndo();
    ExpectCurrent({{"one", 57}, {"two", 5}, {"three", 5}}, 1, "two");
    EXPECT_EQ(editor.TxtMessage().caret(), 3u);
    EXPECT_TRUE(editor.IsEditing() && editor.TxtMessage().hasFocus());
    EXPECT_EQ(Shown(), "5/0");
    EXPECT_EQ(Held(), "5/0");
    EXPECT_EQ(editor.CmbWidth().selectedText(), "5");

    editor.userUndo();
    EXPECT_EQ(editor.CmbWidth().selectedText(), "20");
    EXPECT_EQ(Latch(), "You need 4 IC Latch 74573.");
    EXPECT_EQ(editor.LblLatch().tooltip(), Latch());

    // The speed chosen for entry 0 comes back shown with it.
    editor.userUndo();
    ExpectCurrent({{"one", 53}, {"two", 5}, {"three", 5}}, 0, "one");
    EXPECT_EQ(Shown(), "5/3");
    EXPECT_EQ(Held(), "5/3");

    editor.userRedo();
    editor.userRedo();
    editor.userRedo();
    ExpectCurrent({{" ", 5}}, 0, " ");
    EXPECT_EQ(Latch(), "You need 1 IC Latch 74573.");
    EXPECT_FALSE(editor.history().canRedo());
}

TEST_F(Undo, SettingsNotYetCommittedAreTakenBackAndRedone)
{
    Type("ab");
    editor.userClickDirection(kUp);
    EXPECT_EQ(Items(), (List{{"ab", 5}}));
    EXPECT_EQ(UndoName(), "Direction");

    editor.userUndo();
    EXPECT_EQ(Shown(), "5/0");
    EXPECT_EQ(Held(), "5/0");
    editor.userRedo();
    EXPECT_EQ(Shown(), "5/2");
    EXPECT_EQ(Held(), "5/2");
    EXPECT_EQ(Items(), (List{{"ab", PackItemData(kUp, 5)}}));
}

TEST_F(Undo, FromThePromptStateComesBackEditing)
{
    Type("x");
    editor.userPressEnter();
    Backspace();
    editor.userLeaveBox();
    ASSERT_FALSE(editor.IsEditing());
    ASSERT_EQ(editor.TxtMessage().text(), MessageEditor::kPromptText);

    editor.userUndo();
    ExpectCurrent({{"x", 5}}, 0, "x");
    EXPECT_TRUE(editor.IsEditing() && editor.TxtMessage().hasFocus());
    EXPECT_TRUE(editor.CmdNext().isEnabled() && editor.CmdClear().isEnabled() &&
                editor.OptScroll().button(kLeft).isEnabled());
}

TEST_F(Undo, ANewChangeDropsTheStepsThatCouldBeRedone)
{
    Type("a");
    editor.userPressEnter();
    Type("b");
    editor.userUndo();
    editor.userUndo();
    EXPECT_EQ(editor.history().redoCount(), 2u);
    EXPECT_EQ(RedoName(), "Next");

    Type("z");
    EXPECT_FALSE(editor.history().canRedo());
    editor.userRedo();
    ExpectCurrent({{"az", 5}}, 0, "az");
}

TEST_F(Undo, KeepsTheLast200Steps)
{
    for (int step = 0; step < 210; ++step) {
        editor.userClickPlayOne();
        Type(std::string(1, static_cast<char>('a' + step % 26)));
    }
    EXPECT_EQ(Steps(), 200u);
    for (int step = 0; step < 200; ++step) {
        editor.userUndo();
    }
    EXPECT_FALSE(editor.history().canUndo());
    EXPECT_EQ(Items(), (List{{"abcdefghij", 5}}));
}

TEST_F(Undo, ChangedComparesContentsWithWhatWasSaved)
{
    EXPECT_FALSE(editor.isChanged());
    Type("ab");
    EXPECT_TRUE(editor.isChanged());
    editor.markSaved();
    EXPECT_FALSE(editor.isChanged());

    Type("c");
    EXPECT_TRUE(editor.isChanged());
    Backspace();
    EXPECT_FALSE(editor.isChanged());
    editor.userClickDirection(kUp);
    EXPECT_TRUE(editor.isChanged());
    editor.userClickDirection(kLeft);
    EXPECT_FALSE(editor.isChanged());
    editor.userClickWidth(0);
    EXPECT_TRUE(editor.isChanged());
    editor.userUndo();
    EXPECT_FALSE(editor.isChanged());
    editor.userPressEnter();
    EXPECT_TRUE(editor.isChanged());

    // One blank entry never counts, whatever its width.
    editor.userClickClear();
    EXPECT_FALSE(editor.isChanged());
    editor.userClickWidth(3);
    EXPECT_FALSE(editor.isChanged());
    editor.userUndo();
    editor.userUndo();
    EXPECT_TRUE(editor.isChanged());
}

} // namespace
} // namespace corvane::test

namespace corvane::test {
namespace {

// A drawn glyph belongs to the program: one step, a change to save, kept by
// Save and brought back by opening; drawing the built-in glyph takes it back.
TEST_F(Undo, ADrawnGlyphIsOneStepOfTheProgram)
{
    const GlyphColumnBytes heart = {0x38, 0x7C, 0x3E, 0x7C, 0x38};
    GlyphColumnBytes builtIn{};
    std::ranges::copy(GlyphColumns(0xE9), builtIn.begin());
    Type("ab");
    editor.markSaved();
    const std::size_t steps = Steps();

    EXPECT_TRUE(editor.userDrawGlyph(0xE9, heart));
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_EQ(UndoName(), "Glyph");
    EXPECT_EQ(editor.glyphs(), (DrawnGlyphs{{0xE9, heart}}));
    EXPECT_TRUE(editor.isChanged());
    EXPECT_EQ(editor.prepareProgram().glyphs, editor.glyphs());
    const ProgramDocument program = editor.prepareProgram();

    editor.userUndo();
    EXPECT_TRUE(editor.glyphs().empty());
    EXPECT_FALSE(editor.isChanged());
    editor.userRedo();
    EXPECT_EQ(editor.glyphs(), program.glyphs);

    EXPECT_TRUE(editor.userDrawGlyph(0xE9, builtIn));
    EXPECT_TRUE(editor.glyphs().empty());
    EXPECT_FALSE(editor.userDrawGlyph(0x81, heart));

    ASSERT_TRUE(editor.openProgram(program));
    EXPECT_EQ(editor.glyphs(), program.glyphs);
    EXPECT_FALSE(editor.isChanged());
}

} // namespace
} // namespace corvane::test
