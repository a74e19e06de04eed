
#include "editor/model/history/EditorSnapshot.h"

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

} // namespace
} // namespace corvane::test
