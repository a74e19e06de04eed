#include "editor/model/controls/TextBox.h"

#include <algorithm>
#include <utility>

namespace corvane {

TextBox::TextBox(std::string text, std::size_t maxLength, std::string tooltip)
    : Control(std::move(tooltip), true), m_text(std::move(text)), m_maxLength(maxLength)
{}

void TextBox::setChangeHandler(std::function<void()> handler)
{
    m_onChange = std::move(handler);
}

void TextBox::setGotFocusHandler(std::function<void()> handler)
{
    m_onGotFocus = std::move(handler);
}

void TextBox::setLostFocusHandler(std::function<void()> handler)
{
    m_onLostFocus = std::move(handler);
}

void TextBox::setText(std::string text)
{
    if (text == m_text) {
        return;
    }
    m_text = std::move(text);
    m_caret = m_text.size();
    m_anchor = m_caret;
    ++m_changeCount;
    if (m_onChange) {
        m_onChange();
    }
}

bool TextBox::userEdit(std::string_view newText, std::size_t caret)
{
    const std::string_view old = m_text;
    caret = std::min(caret, newText.size());

    // The edited span: what lies between the common prefix and the common
    // suffix. Bounding both by the caret puts the inserted part before it.
    const std::size_t shorter = std::min(old.size(), newText.size());
    std::size_t prefix = 0;
    while (prefix < std::min(shorter, caret) && old[prefix] == newText[prefix]) {
        ++prefix;
    }
    const std::size_t suffixLimit = std::min(shorter - prefix, newText.size() - caret);
    std::size_t suffix = 0;
    while (suffix < suffixLimit &&
           old[old.size() - 1 - suffix] == newText[newText.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::size_t removed = old.size() - prefix - suffix;
    const std::string_view inserted = newText.substr(prefix, newText.size() - prefix - suffix);

    const std::size_t kept = old.size() - removed;
    const std::size_t room = m_maxLength > kept ? m_maxLength - kept : 0;
    std::string accepted;
    std::size_t acceptedBeforeCaret = 0;
    for (std::size_t i = 0; i < inserted.size() && accepted.size() < room; ++i) {
        if (isAcceptable(inserted[i])) {
            accepted.push_back(inserted[i]);
            if (prefix + i < caret) {
                ++acceptedBeforeCaret;
            }
        }
    }
    if (accepted.empty() && removed == 0) {
        return false;
    }

    std::string result;
    result.reserve(kept + accepted.size());
    result.append(old.substr(0, prefix)).append(accepted).append(old.substr(old.size() - suffix));
    m_caret = prefix + acceptedBeforeCaret;
    m_anchor = m_caret;
    ++m_changeCount;
    if (result != m_text) {
        m_text = std::move(result);
        if (m_onChange) {
            m_onChange();
        }
    }
    return true;
}

void TextBox::selectAll()
{
    m_anchor = 0;
    m_caret = m_text.size();
    ++m_changeCount;
}

void TextBox::setFocus()
{
    if (m_hasFocus) {
        return;
    }
    m_hasFocus = true;
    if (m_onGotFocus) {
        m_onGotFocus();
    }
}

void TextBox::clearFocus()
{
    if (!m_hasFocus) {
        return;
    }
    m_hasFocus = false;
    if (m_onLostFocus) {
        m_onLostFocus();
    }
}

} // namespace corvane
