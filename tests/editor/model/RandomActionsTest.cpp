#include "editor/model/MessageEditor.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
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
        std::string text = m_editor.TxtMessage().text();
        const std::size_t from = below(text.size() + 1);
        text.replace(from, below(std::min(maxRemoved, text.size() - from) + 1), inserted);
        m_editor.userEditText(text, from + inserted.size());
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
    return std::ranges::all_of(text, [](char c) { return c >= 32 && c <= 126; });
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

} // namespace
} // namespace corvane::test
