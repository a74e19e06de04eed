#pragma once

#include "editor/model/controls/Control.h"
#include "sign/GlyphTable.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// A one-line text box holding at most maxLength of the characters the font
// shows, one Windows-1252 byte each. A change of the text, by the user or the program, raises the
// change handler at once; setting the same text again raises nothing. Gaining and losing the focus
// raise their handlers.
class TextBox final : public Control
{
public:
    TextBox(std::string text, std::size_t maxLength, std::string tooltip);

    void setChangeHandler(std::function<void()> handler);
    void setGotFocusHandler(std::function<void()> handler);
    void setLostFocusHandler(std::function<void()> handler);

    const std::string& text() const { return m_text; }
    // Byte offset of the insertion point in text().
    std::size_t caret() const { return m_caret; }
    // Where the selection starts: the text between anchor() and caret() is
    // selected; equal to caret() when nothing is.
    std::size_t anchor() const { return m_anchor; }
    bool hasSelection() const { return m_anchor != m_caret; }
    // Counts every change of the text, the caret or the selection, so that a
    // view can tell a state it has not shown yet from one it has.
    std::size_t changeCount() const { return m_changeCount; }
    std::size_t maxLength() const { return m_maxLength; }
    bool hasFocus() const { return m_hasFocus; }

    static constexpr bool isAcceptable(char c) { return HasGlyph(static_cast<unsigned char>(c)); }

    // A change by the program; the caret goes to the end of the text.
    void setText(std::string text);
    // Selects the whole text, the caret at its end.
    void selectAll();

    // The user's keystroke, paste, cut or deletion, given as the whole text it
    // produced and the caret after it. The inserted characters are filtered to
    // the acceptable ones and cut to fit maxLength. Returns false when the
    // input is refused: nothing acceptable inserted and nothing deleted.
    bool userEdit(std::string_view newText, std::size_t caret);

    void setFocus();
    void clearFocus();

private:
    std::string m_text{};
    std::size_t m_caret = 0;
    std::size_t m_anchor = 0;
    std::size_t m_changeCount = 0;
    std::size_t m_maxLength = 0;
    bool m_hasFocus = false;
    std::function<void()> m_onChange{};
    std::function<void()> m_onGotFocus{};
    std::function<void()> m_onLostFocus{};
};

} // namespace corvane
