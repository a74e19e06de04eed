#include "editor/model/EditHistory.h"

#include "editor/model/EditorSnapshot.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::test {
namespace {

EditorSnapshot Take(const std::vector<ListItem>& items, const EditorSnapshot& base = {})
{
    return EditorSnapshot::Take({items, 0, items.front().itemData, 15}, base);
}

std::string Texts(const EditorSnapshot& snapshot)
{
    std::string texts;
    for (const EditorSnapshot::Entry& entry : snapshot.entries()) {
        texts += *entry.text;
    }
    return texts;
}

TEST(EditorSnapshot, SharesTheTextsAroundTheSpanThatChanged)
{
    const EditorSnapshot four = Take({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
    const EditorSnapshot three = Take({{"a", 1}, {"c", 3}, {"d", 4}}, four);
    const EditorSnapshot replaced = Take({{"a", 1}, {"x", 3}, {"d", 4}}, three);
    const auto& was = four.entries();
    EXPECT_EQ(three.entries()[0].text, was[0].text);
    EXPECT_EQ(three.entries()[1].text, was[2].text);
    EXPECT_EQ(three.entries()[2].text, was[3].text);
    EXPECT_NE(replaced.entries()[1].text, three.entries()[1].text);
    EXPECT_EQ(replaced.entries()[2].text, was[3].text);
    EXPECT_EQ(Texts(replaced), "axd");
}

TEST(EditorSnapshot, ContentIsEntriesWithTheCurrentSettingsAndTheWidth)
{
    const std::vector<ListItem> items = {{"a", 5}, {"b", 5}};
    const EditorSnapshot snapshot = EditorSnapshot::Take({items, 1, 37, 15}, {});
    EXPECT_EQ(snapshot.entries()[1].itemData, 37);
    EXPECT_TRUE(snapshot.sameContent(EditorSnapshot::Source{items, 1, 37, 15}));
    EXPECT_FALSE(snapshot.sameContent(EditorSnapshot::Source{items, 1, 5, 15}));
    EXPECT_FALSE(snapshot.sameContent(EditorSnapshot::Source{items, 1, 37, 14}));
    EXPECT_FALSE(snapshot.sameContent(EditorSnapshot::Source{{{"a", 5}}, 0, 5, 15}));
    // Which entry is current is no content.
    EXPECT_TRUE(
        snapshot.sameContent(EditorSnapshot::Take({{{"a", 5}, {"b", 37}}, 0, 5, 15}, snapshot)));
}

TEST(EditHistory, ForgetsTheOldestStepPastItsCapacity)
{
    EditHistory history(3);
    history.reset(Take({{"0", 0}}));
    for (const char* text : {"1", "2", "3", "4", "5"}) {
        history.record(text, Take({{text, 0}}, history.current()));
    }
    EXPECT_EQ(history.undoCount(), 3u);
    EXPECT_EQ(history.undoName(), "5");
    EXPECT_EQ(Texts(history.undo()), "4");
    EXPECT_EQ(Texts(history.undo()), "3");
    EXPECT_EQ(history.undoName(), "3");
    EXPECT_EQ(Texts(history.undo()), "2");
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(history.undoName().empty());
    EXPECT_EQ(history.redoCount(), 3u);
    EXPECT_EQ(history.redoName(), "3");
}

TEST(EditHistory, ARunAmendsItsStepUntilAnythingElseHappens)
{
    EditHistory history;
    history.reset(Take({{"a", 5}, {"b", 5}}));
    history.record("Typing", Take({{"a", 5}, {"bc", 5}}, history.current()), 1);
    EXPECT_TRUE(history.continuesRun(1));
    EXPECT_FALSE(history.continuesRun(0));
    history.amendRun("bcd", 5);
    EXPECT_EQ(Texts(history.current()), "abcd");
    EXPECT_EQ(history.undoCount(), 1u);

    history.endRun();
    EXPECT_FALSE(history.continuesRun(1));
    history.record("Typing", Take({{"a", 5}, {"bcde", 5}}, history.current()), 1);
    history.undo();
    EXPECT_FALSE(history.continuesRun(1));
    EXPECT_EQ(Texts(history.current()), "abcd");
    EXPECT_EQ(Texts(history.undo()), "ab");
}

} // namespace
} // namespace corvane::test
