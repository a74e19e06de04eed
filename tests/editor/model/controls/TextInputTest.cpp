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
        EditCase{"CodeWithoutCharacterRefused", "ab", "ab\x81", 3, false, "ab", 0},
        EditCase{"Windows1252Accepted", "ab", "ab\xe9\x80", 4, true, "ab\xe9\x80", 4},
        EditCase{"TildeAccepted", "ab", "ab~", 3, true, "ab~", 3},
        EditCase{"SpaceInTheMiddle", "ab", "a b", 2, true, "a b", 2},
        EditCase{"RepeatedCharacterAtTheStart", "aa", "aaa", 1, true, "aaa", 1},
        EditCase{"PasteKeepsAcceptable", "ab", "abx\ty\x81\xe9z", 8, true, "abxy\xe9z", 6},
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

// The box takes UTF-8 from the view and keeps Windows-1252; a character
// outside it is left out and named until the next edit.
TEST_F(Editor, CharactersOutsideWindows1252AreLeftOutAndNamed)
{
    Type("Gr");
    EXPECT_FALSE(editor.userEditText("Gr\xD0\x96", 4));
    EXPECT_EQ(editor.TxtMessage().text(), "Gr");
    EXPECT_EQ(editor.inputNote(), "\xE2\x80\x9C\xD0\x96\xE2\x80\x9D (U+0416) is not a character "
                                  "the sign knows; it shows the Windows-1252 characters.");
    // A paste of "Grüße 25 °C, 5 € — ½ Preis", an emoji and a Chinese character.
    const std::string pasted =
        "Gr\xC3\xBC\xC3\x9F"
        "e 25 \xC2\xB0"
        "C, 5 \xE2\x82\xAC \xE2\x80\x94 \xC2\xBD Preis\xF0\x9F\x98\x80\xE4\xB8\xAD";
    EXPECT_TRUE(editor.userEditText(pasted, pasted.size() - 7));
    const std::string shown = "Gr\xFC\xDF"
                              "e 25 \xB0"
                              "C, 5 \x80 \x97 \xBD Preis";
    EXPECT_EQ(editor.TxtMessage().text(), shown);
    EXPECT_EQ(editor.TxtMessage().caret(), shown.size());
    EXPECT_EQ(Items().front().text, shown);
    EXPECT_EQ(editor.inputNote(), "Left out \xE2\x80\x9C\xF0\x9F\x98\x80\xE2\x80\x9D (U+1F600), "
                                  "\xE2\x80\x9C\xE4\xB8\xAD\xE2\x80\x9D (U+4E2D): the sign "
                                  "shows the Windows-1252 characters only.");
    Type("!");
    EXPECT_EQ(editor.inputNote(), "");
}

} // namespace
} // namespace corvane::test
