#include "editor/model/controls/TextBox.h"
#include "tests/editor/model/EditorFixture.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace corvane::test {
namespace {

struct EditCase
{
    std::string name;
    std::string before;
    std::string after; // the whole text the user's action produced
    std::size_t caret; // after the action
    bool accepted;
    std::string text; // the box text then
    std::size_t finalCaret;

    friend void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }
};

class TextInput : public ::testing::TestWithParam<EditCase>
{};

TEST_P(TextInput, KeepsPrintableCharactersWithinTheLengthLimit)
{
    const EditCase& c = GetParam();
    TextBox box(c.before, 256, "");
    int changes = 0;
    box.setChangeHandler([&changes] { ++changes; });
    EXPECT_EQ(box.userEdit(c.after, c.caret), c.accepted);
    EXPECT_EQ(box.text(), c.text);
    EXPECT_EQ(box.caret(), c.finalCaret);
    EXPECT_EQ(changes, c.text == c.before ? 0 : 1);
}

const std::string k250(250, 'a');
const std::string k256(256, 'a');

INSTANTIATE_TEST_SUITE_P(
    TextBox, TextInput,
    ::testing::Values(
        EditCase{"ControlCharacterRefused", "ab", "ab\x01", 3, false, "ab", 0},
        EditCase{"DeleteCharacterRefused", "ab",
                 "a\x7f"
                 "b",
                 2, false, "ab", 0},
        EditCase{"NonAsciiRefused", "ab", "ab\xc3\xa9", 4, false, "ab", 0},
        EditCase{"TildeAccepted", "ab", "ab~", 3, true, "ab~", 3},
        EditCase{"SpaceInTheMiddle", "ab", "a b", 2, true, "a b", 2},
        EditCase{"RepeatedCharacterAtTheStart", "aa", "aaa", 1, true, "aaa", 1},
        EditCase{"PasteKeepsAcceptable", "ab", "abx\ty\xc3\xa9z", 8, true, "abxyz", 5},
        EditCase{"PasteInTheMiddle", "ab", "a1\n2b", 4, true, "a12b", 3},
        EditCase{"PasteOfRefusedStillDeletesSelection", "abc",
                 "a\x01"
                 "c",
                 2, true, "ac", 1},
        EditCase{"Backspace", "abc", "ac", 1, true, "ac", 1},
        EditCase{"DeleteAll", "abc", "", 0, true, "", 0},
        EditCase{"Character257Refused", k256, k256 + "b", 257, false, k256, 0},
        EditCase{"PasteCutToFit", k250, k250 + "0123456789", 260, true, k250 + "012345", 256},
        EditCase{"PasteOverSelectionInFullBox", k256, "xyz" + k256.substr(2), 3, true,
                 "xy" + k256.substr(2), 2}),
    [](const auto& info) { return info.param.name; });

TEST_F(Editor, RefusedInputChangesNothingAndEditsNeedTheFocus)
{
    Type("ab");
    const std::string before = Dump(editor);
    EXPECT_FALSE(editor.userEditText("a\x01"
                                     "b",
                                     2));
    EXPECT_EQ(Dump(editor), before);
    editor.userLeaveBox();
    EXPECT_FALSE(editor.userEditText("abc", 3));
    EXPECT_EQ(Items(), (std::vector<ListItem>{{"ab", 5}}));
}

} // namespace
} // namespace corvane::test
