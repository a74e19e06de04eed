#pragma once

#include "editor/model/ItemData.h"
#include "editor/model/MessageEditor.h"
#include "sign/Windows1252.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::test {

// Everything the window shows and the model holds, as text, so that a failed
// comparison names what differs.
inline std::string Dump(const MessageEditor& e)
{
    std::ostringstream out;
    for (const ListItem& item : e.LstMessage().items()) {
        out << '[' << item.text << '|' << item.itemData << ']';
    }
    const auto selection = [](const ListBox& list) {
        return list.selectedIndex() ? std::to_string(*list.selectedIndex()) : std::string("-");
    };
    out << "\nhighlight " << selection(e.LstMessage()) << " speed " << selection(e.LstSpeed())
        << " width " << selection(e.CmbWidth()) << " option " << e.OptScroll().selectedIndex()
        << "\nbox '" << e.TxtMessage().text() << "' caret " << e.TxtMessage().caret() << " focus "
        << e.TxtMessage().hasFocus() << "\nCurIndex " << int{e.CurIndex()} << " CurSpeed "
        << int{e.CurSpeed()} << " CurScroll " << int{e.CurScroll()} << " IsEditing "
        << e.IsEditing() << " LatchCount " << int{e.LatchCount()} << "\nenabled";
    for (std::size_t i = 0; i < e.OptScroll().count(); ++i) {
        out << ' ' << e.OptScroll().button(i).isEnabled();
    }
    const std::initializer_list<const Control*> editing = {
        &e.LblSpeed(), &e.LstSpeed(), &e.CmdNext(), &e.CmdDel(), &e.CmdPlayOne(), &e.CmdClear()};
    for (const Control* c : editing) {
        out << ' ' << c->isEnabled();
    }
    out << "\nplay '" << e.CmdPlayOne().caption() << "' latch '" << e.LblLatch().caption() << "'";
    return out.str();
}

// The window loaded and shown: defaults applied, the focus in the message box.
class Editor : public ::testing::Test
{
protected:
    Editor()
    {
        editor.Form_Load();
        editor.userFocusBox();
    }

    // One keystroke per byte (ASCII), at the caret, after a click into the
    // box; the box's Windows-1252 reaches the editor as the view's UTF-8.
    void Type(std::string_view chars)
    {
        editor.userFocusBox();
        for (const char c : chars) {
            const std::string& shown = editor.TxtMessage().text();
            const std::size_t caret = editor.TxtMessage().caret();
            std::string text = ToUtf8(shown.substr(0, caret)) + c;
            const std::size_t utf8Caret = text.size();
            text += ToUtf8(shown.substr(caret));
            editor.userEditText(text, utf8Caret);
        }
    }

    void Backspace(int times = 1)
    {
        editor.userFocusBox();
        for (int i = 0; i < times; ++i) {
            std::string text = editor.TxtMessage().text();
            const std::size_t caret = editor.TxtMessage().caret();
            text.erase(caret - 1, 1);
            editor.userEditText(text, caret - 1);
        }
    }

    // A click into the box, select all, then paste.
    bool Replace(std::string_view text)
    {
        editor.userFocusBox();
        return editor.userEditText(text, text.size());
    }

    // Fills entries 0.. with the given texts (Next between them), speed 5, Left.
    void MakeEntries(const std::vector<std::string>& texts)
    {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i > 0) {
                editor.userPressEnter();
            }
            Replace(texts[i]);
        }
    }

    std::vector<ListItem> Items() const { return editor.LstMessage().items(); }
    static std::vector<ListItem> ItemsOf(const std::vector<Message>& messages)
    {
        std::vector<ListItem> items;
        for (const Message& message : messages) {
            items.push_back(ListItemOf(message));
        }
        return items;
    }

    // The list, the current entry (which is also highlighted) and the box text.
    void ExpectCurrent(const std::vector<ListItem>& items, std::size_t current,
                       std::string_view box) const
    {
        EXPECT_EQ(Items(), items);
        EXPECT_EQ(editor.CurIndex(), current);
        EXPECT_EQ(editor.LstMessage().selectedIndex(), current);
        EXPECT_EQ(editor.TxtMessage().text(), box);
    }

    // Speed and direction as "speed/direction": shown by the controls, and held.
    std::string Shown() const
    {
        return std::string(editor.LstSpeed().selectedText()) + "/" +
               std::to_string(editor.OptScroll().selectedIndex());
    }
    std::string Held() const
    {
        return std::to_string(editor.CurSpeed()) + "/" + std::to_string(editor.CurScroll());
    }

    MessageEditor editor;
};

} // namespace corvane::test
