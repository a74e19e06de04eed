#include "editor/model/ItemData.h"
#include "editor/model/MessageEditor.h"
#include "sign/Windows1252.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace corvane::test {
namespace {

class RandomUser
{
public:
    RandomUser(MessageEditor& editor, std::uint32_t seed) : m_editor(editor), m_rng(seed) {}

    // One random action; while growing, mostly new entries and no clearing.
    void act(bool growing)
    {
        auto& weights = growing ? m_grow : m_normal;
        m_actions[static_cast<std::size_t>(weights(m_rng))]();
    }

    // One random action, or now and then an undo or a redo; true when one of
    // these brought a state back.
    bool actOrTakeBack(bool growing)
    {
        const std::size_t roll = below(20);
        if (roll == 0 && m_editor.history().canUndo()) {
            m_editor.userUndo();
            return true;
        }
        if (roll == 1 && m_editor.history().canRedo()) {
            m_editor.userRedo();
            return true;
        }
        if (roll > 1) {
            act(growing);
        }
        return false;
    }

private:
    std::size_t below(std::size_t bound)
    {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_rng);
    }

    // Mostly printable, sometimes any byte.
    char randomChar() { return static_cast<char>(below(4) == 0 ? below(256) : 32 + below(95)); }

    // Clicks into the box, then replaces a random span by the given text.
    void edit(std::size_t maxRemoved, std::string inserted)
    {
        m_editor.userFocusBox();
        // The box holds Windows-1252; the view hands it UTF-8.
        const std::string shown = m_editor.TxtMessage().text();
        const std::size_t from = below(shown.size() + 1);
        const std::size_t removed = below(std::min(maxRemoved, shown.size() - from) + 1);
        std::string text = ToUtf8(shown.substr(0, from)) + inserted;
        const std::size_t caret = text.size();
        text += ToUtf8(shown.substr(from + removed));
        m_editor.userEditText(text, caret);
    }

    std::string randomText()
    {
        std::string text(below(300), ' ');
        std::ranges::generate(text, [this] { return randomChar(); });
        return text;
    }

    MessageEditor& m_editor;
    std::mt19937 m_rng;
    const std::vector<std::function<void()>> m_actions = {
        [this] { edit(0, std::string(1, randomChar())); },
        [this] { edit(4, ""); },
        [this] { edit(300, randomText()); },
        [this] { m_editor.userClickMessage(below(m_editor.LstMessage().count() + 1)); },
        [this] { m_editor.userClickSpeed(below(m_editor.LstSpeed().count())); },
        [this] { m_editor.userClickDirection(below(4)); },
        [this] { m_editor.userClickWidth(below(m_editor.CmbWidth().count())); },
        [this] { m_editor.userClickNext(); },
        [this] { m_editor.userPressEnter(); },
        [this] { m_editor.userClickDelete(); },
        [this] { m_editor.userClickClear(); },
        [this] { m_editor.userClickUp(); },
        [this] { m_editor.userClickDown(); },
        [this] { m_editor.userClickPlayOne(); },
        [this] { m_editor.userFocusBox(); },
        [this] { m_editor.userLeaveBox(); },
        [this] {
            m_editor.userClickSave();
            m_editor.prepareProgram();
        },
    };
    // Weights in the order of m_actions.
    std::discrete_distribution<int> m_normal{20, 10, 4, 10, 4, 4, 2, 6, 6, 5, 1, 4, 1, 1, 5, 4, 2};
    std::discrete_distribution<int> m_grow{10, 2, 2, 3, 2, 2, 1, 20, 20, 1, 0, 2, 1, 1, 2, 2, 1};
};

bool Printable(const std::string& text)
{
    return std::ranges::all_of(text,
                               [](char c) { return HasGlyph(static_cast<unsigned char>(c)); });
}

void CheckInvariants(const MessageEditor& editor)
{
    const ListBox& list = editor.LstMessage();
    ASSERT_GE(list.count(), 1u);
    ASSERT_LE(list.count(), 256u);
    for (const ListItem& item : list.items()) {
        ASSERT_FALSE(item.text.empty());
        ASSERT_LE(item.text.size(), 256u);
        ASSERT_TRUE(Printable(item.text)) << item.text;
        const int speed = SpeedOf(item.itemData);
        const int direction = DirectionOf(item.itemData);
        ASSERT_TRUE(speed <= 9 && direction >= 0 && direction <= 3) << item.itemData;
        ASSERT_EQ(item.itemData, PackItemData(direction, speed));
    }
    ASSERT_LT(editor.CurIndex(), list.count());
    ASSERT_TRUE(editor.CurSpeed() <= 9 && editor.CurScroll() <= 3);
    const TextBox& box = editor.TxtMessage();
    ASSERT_TRUE(box.text().size() <= 256 && Printable(box.text()));
    ASSERT_LE(box.caret(), box.text().size());
    ASSERT_EQ(editor.IsEditing(), editor.CmdNext().isEnabled());
}

// What undo and redo bring back: each entry as a commit now would leave it
// (the current one with the settings being edited), and the width.
std::string Content(const MessageEditor& editor)
{
    std::string content = editor.CmbWidth().selectedText().data();
    const auto& items = editor.LstMessage().items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::int32_t itemData = i == editor.CurIndex()
                                          ? PackItemData(editor.CurScroll(), editor.CurSpeed())
                                          : items[i].itemData;
        content += '[' + items[i].text + '|' + std::to_string(itemData) + ']';
    }
    return content;
}

// After an undo or a redo: every rule of the window, the editing state with
// the focus in the box, the current entry highlighted with its text in the
// box (caret at its end) and its speed, direction and width shown.
void CheckRestored(const MessageEditor& editor)
{
    ASSERT_NO_FATAL_FAILURE(CheckInvariants(editor));
    const ListItem& entry = editor.LstMessage().items().at(editor.CurIndex());
    const TextBox& box = editor.TxtMessage();
    ASSERT_TRUE(editor.IsEditing() && box.hasFocus());
    ASSERT_EQ(editor.LstMessage().selectedIndex(), editor.CurIndex());
    ASSERT_EQ(box.text(), entry.text);
    ASSERT_EQ(box.caret(), entry.text.size());
    ASSERT_EQ(entry.itemData, PackItemData(editor.CurScroll(), editor.CurSpeed()));
    ASSERT_EQ(editor.OptScroll().selectedIndex(), editor.CurScroll());
    const int speed = SpeedOf(entry.itemData);
    ASSERT_EQ(editor.LstSpeed().selectedText(), speed == 0 ? "" : std::to_string(speed));
    const ListBox& widths = editor.CmbWidth();
    ASSERT_EQ(editor.LblLatch().caption(),
              "You need " + std::to_string(widths.itemData(*widths.selectedIndex())) +
                  " IC Latch 74573.");
}

TEST(RandomActions, ModelStaysConsistentAfterEveryAction)
{
    MessageEditor editor;
    editor.Form_Load();
    editor.userFocusBox();
    RandomUser user(editor, 20240611);
    std::size_t largest = 0;
    for (int step = 0; step < 30000; ++step) {
        user.act(step / 2500 % 2 == 1);
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_NO_FATAL_FAILURE(CheckInvariants(editor));
        largest = std::max(largest, editor.LstMessage().count());
    }
    EXPECT_EQ(largest, 256u);
}

TEST(RandomActions, UndoingEveryStepGivesBackTheStartAndRedoingEveryStepTheEnd)
{
    for (std::uint32_t round = 0; round < 80; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        MessageEditor editor;
        editor.Form_Load();
        editor.userFocusBox();
        RandomUser user(editor, 7000 + round);
        // The content at each place of the history; fewer actions than the
        // history keeps steps, so the start stays the first place.
        std::map<std::size_t, std::string> reached{{0, Content(editor)}};
        for (int action = 0; action < 199; ++action) {
            if (user.actOrTakeBack(round % 2 == 1)) {
                ASSERT_NO_FATAL_FAILURE(CheckRestored(editor));
            }
            reached[editor.history().undoCount()] = Content(editor);
        }
        const std::size_t steps = editor.history().undoCount();
        const std::string end = Content(editor);
        ASSERT_EQ(reached[steps], end);
        for (std::size_t place = steps; place > 0; --place) {
            editor.userUndo();
            ASSERT_NO_FATAL_FAILURE(CheckRestored(editor));
            ASSERT_EQ(Content(editor), reached[place - 1]) << "undone to " << place - 1;
        }
        ASSERT_FALSE(editor.history().canUndo());
        for (std::size_t place = 1; place <= steps; ++place) {
            editor.userRedo();
            ASSERT_NO_FATAL_FAILURE(CheckRestored(editor));
            ASSERT_EQ(Content(editor), reached[place]) << "redone to " << place;
        }
        ASSERT_EQ(Content(editor), end);
    }
}

TEST(RandomActions, UndoAndRedoKeepEveryRuleUpToTheLargestList)
{
    MessageEditor editor;
    editor.Form_Load();
    editor.userFocusBox();
    RandomUser user(editor, 20240612);
    std::size_t largest = 0;
    for (int step = 0; step < 15000; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        if (user.actOrTakeBack(step / 2500 % 2 == 1)) {
            ASSERT_NO_FATAL_FAILURE(CheckRestored(editor));
        } else {
            ASSERT_NO_FATAL_FAILURE(CheckInvariants(editor));
        }
        largest = std::max(largest, editor.LstMessage().count());
        if (step % 1000 != 999) {
            continue;
        }
        // Every step kept, taken back and done again, passes the same states.
        const std::size_t steps = editor.history().undoCount();
        std::vector<std::string> passed{Content(editor)};
        for (std::size_t i = 0; i < steps; ++i) {
            editor.userUndo();
            ASSERT_NO_FATAL_FAILURE(CheckRestored(editor));
            passed.push_back(Content(editor));
        }
        ASSERT_FALSE(editor.history().canUndo());
        for (std::size_t i = steps; i > 0; --i) {
            editor.userRedo();
            ASSERT_NO_FATAL_FAILURE(CheckRestored(editor));
            ASSERT_EQ(Content(editor), passed[i - 1]);
        }
    }
    EXPECT_EQ(largest, 256u);
}

} // namespace
} // namespace corvane::test
