#include "editor/model/MessageEditor.h"

#include <charconv>
#include <string>

namespace corvane {

namespace {

constexpr std::size_t kDefaultWidthIndex = 15; // "20"
constexpr std::size_t kDefaultSpeedIndex = 4;  // "5"
constexpr int kLastWidth = 40;
constexpr int kMissingWidth = 38;
constexpr int kSlowestSpeed = 1;
constexpr int kFastestSpeed = 9;
constexpr std::string_view kBlankText = " ";

// A speed item's text as a number; the items are the digits "1" to "9".
std::uint8_t SpeedFromText(std::string_view text)
{
    int speed = 0;
    std::from_chars(text.data(), text.data() + text.size(), speed);
    return static_cast<std::uint8_t>(speed);
}

} // namespace

MessageEditor::MessageEditor()
{
    for (int width = 5; width <= kLastWidth; ++width) {
        if (width != kMissingWidth) {
            m_CmbWidth.addItem(std::to_string(width), Board::latchCountFor(width));
        }
    }
    for (int speed = kFastestSpeed; speed >= kSlowestSpeed; --speed) {
        m_LstSpeed.addItem(std::to_string(speed));
    }
    m_LstMessage.addItem(" ");

    m_TxtMessage.setChangeHandler([this] { TxtMessage_Change(); });
    m_TxtMessage.setGotFocusHandler([this] { TxtMessage_GotFocus(); });
    m_TxtMessage.setLostFocusHandler([this] { TxtMessage_LostFocus(); });
    m_LstMessage.setClickHandler([this] { LstMessage_Click(); });
    m_LstSpeed.setClickHandler([this] { LstSpeed_Click(); });
    m_OptScroll.setClickHandler([this](std::size_t index) { OptScroll_Click(index); });
    m_CmbWidth.setClickHandler([this] { CmbWidth_Click(); });
}

void MessageEditor::Form_Load()
{
    m_RowCount = Board::kRowCount;
    m_IsEditing = false;
    m_CurIndex = 0;
    m_CmbWidth.select(kDefaultWidthIndex);
    m_LstMessage.select(0);
    m_LstSpeed.select(kDefaultSpeedIndex);
}

void MessageEditor::userFocusBox()
{
    m_TxtMessage.setFocus();
}

void MessageEditor::userLeaveBox()
{
    m_TxtMessage.clearFocus();
}

bool MessageEditor::userEditText(std::string_view newText, std::size_t caret)
{
    return m_TxtMessage.hasFocus() && m_TxtMessage.userEdit(newText, caret);
}

void MessageEditor::userPressEnter()
{
    if (m_CmdNext.isEnabled()) {
        CmdNext_Click();
    }
}

void MessageEditor::userClickMessage(std::size_t index)
{
    clickList(m_LstMessage, index);
}

void MessageEditor::userClickSpeed(std::size_t index)
{
    clickList(m_LstSpeed, index);
}

void MessageEditor::userClickWidth(std::size_t index)
{
    clickList(m_CmbWidth, index);
}

void MessageEditor::userClickDirection(std::size_t index)
{
    if (index >= m_OptScroll.count() || !m_OptScroll.button(index).isEnabled()) {
        return;
    }
    userLeaveBox();
    if (m_OptScroll.button(index).isEnabled()) {
        m_OptScroll.select(index);
    }
}

void MessageEditor::userClickNext()
{
    clickButton(m_CmdNext, &MessageEditor::CmdNext_Click);
}

void MessageEditor::userClickDelete()
{
    clickButton(m_CmdDel, &MessageEditor::CmdDel_Click);
}

void MessageEditor::userClickClear()
{
    clickButton(m_CmdClear, &MessageEditor::CmdClear_Click);
}

void MessageEditor::userClickPlayOne()
{
    clickButton(m_CmdPlayOne, &MessageEditor::CmdPlayOne_Click);
}

void MessageEditor::userClickUp()
{
    clickButton(m_CmdUp, &MessageEditor::CmdUp_Click);
}

void MessageEditor::userClickDown()
{
    clickButton(m_CmdDn, nullptr);
}

void MessageEditor::userClosePreview()
{
    if (isPlaying()) {
        CmdPlayOne_Click();
    }
}

void MessageEditor::userClickSave()
{
    clickButton(m_CmdSave, &MessageEditor::CmdSave_Click);
}

ProgramDocument MessageEditor::prepareProgram()
{
    ProgramDocument program{entries(), {{}, m_LatchCount, m_RowCount}};
    if (auto board = selectedBoard()) {
        m_LatchCount = board->latchCount;
        program.board = std::move(*board);
    }
    return program;
}

std::vector<MessageEntry> MessageEditor::entries() const
{
    return m_LstMessage.items();
}

std::optional<Board> MessageEditor::selectedBoard() const
{
    const auto width = m_CmbWidth.selectedIndex();
    if (!width) {
        return std::nullopt;
    }
    return Board{m_CmbWidth.itemText(*width), static_cast<std::uint8_t>(m_CmbWidth.itemData(*width)),
                 m_RowCount};
}

std::optional<MessageEntry> MessageEditor::editedEntry() const
{
    if (m_CurIndex >= m_LstMessage.count()) {
        return std::nullopt;
    }
    return MessageEntry{m_LstMessage.itemText(m_CurIndex), PackItemData(m_CurScroll, m_CurSpeed)};
}

void MessageEditor::TxtMessage_GotFocus()
{
    if (m_TxtMessage.text() != kPromptText) {
        return;
    }
    m_IsEditing = true;
    enableEditingControls(true);
    m_CmdDel.setEnabled(true);
    m_TxtMessage.setText({});
}

void MessageEditor::TxtMessage_LostFocus()
{
    if (!m_TxtMessage.text().empty()) {
        return;
    }
    // Leave the editing state first, so the prompt never becomes a message.
    m_IsEditing = false;
    enableEditingControls(false);
    m_TxtMessage.setText(std::string(kPromptText));
}

void MessageEditor::TxtMessage_Change()
{
    const std::string& text = m_TxtMessage.text();
    if (text.empty() || !m_IsEditing || text == m_LstMessage.selectedText()) {
        return;
    }
    m_LstMessage.removeItem(m_CurIndex);
    m_LstMessage.insertItem(m_CurIndex, text);
    commit();
    m_LstMessage.select(m_CurIndex);
}

void MessageEditor::LstMessage_Click()
{
    const auto selected = m_LstMessage.selectedIndex();
    if (!m_IsEditing || !selected) {
        return;
    }
    commit();
    m_CurIndex = static_cast<std::uint8_t>(*selected);
    const std::int32_t itemData = m_LstMessage.itemData(m_CurIndex);
    m_LstSpeed.selectByText(std::to_string(SpeedOf(itemData)));
    m_OptScroll.select(static_cast<std::size_t>(DirectionOf(itemData)));
    const std::string text = m_LstMessage.itemText(m_CurIndex);
    // A blank entry shown by the program has its space selected, so the first
    // keystroke replaces it; a space the user typed stays as typed.
    const bool typed = m_TxtMessage.text() == text && !m_TxtMessage.hasSelection();
    m_TxtMessage.setText(text);
    if (text == kBlankText && !typed) {
        m_TxtMessage.selectAll();
    }
}

void MessageEditor::LstSpeed_Click()
{
    const std::string_view text = m_LstSpeed.selectedText();
    if (!text.empty()) {
        m_CurSpeed = SpeedFromText(text);
    }
}

void MessageEditor::OptScroll_Click(std::size_t index)
{
    m_CurScroll = static_cast<std::uint8_t>(index);
}

void MessageEditor::CmdNext_Click()
{
    if (m_LstMessage.count() >= kMaxEntries) {
        return;
    }
    commit();
    // The blank entry goes right after the current one; at the end of the
    // list that is an append.
    const std::size_t next = m_CurIndex + std::size_t{1};
    m_LstMessage.insertItem(next, " ");
    m_OptScroll.select(static_cast<std::size_t>(DirectionOf(m_LstMessage.itemData(m_CurIndex))));
    m_TxtMessage.setText({});
    m_TxtMessage.setFocus();
    m_CurIndex = static_cast<std::uint8_t>(next);
    m_LstMessage.setItemData(next, m_LstMessage.itemData(next - 1));
    m_LstMessage.select(next);
}

void MessageEditor::CmdDel_Click()
{
    if (const auto highlighted = m_LstMessage.selectedIndex()) {
        // Delete removes the entry the user sees highlighted, which a click
        // in the prompt state may have moved away from the current one.
        if (*highlighted != m_CurIndex) {
            commit();
            m_CurIndex = static_cast<std::uint8_t>(*highlighted);
        }
        m_LstMessage.removeItem(m_CurIndex);
        const std::size_t count = m_LstMessage.count();
        if (m_CurIndex == count && m_CurIndex != 0) {
            --m_CurIndex;
        }
        if (count == 0) {
            m_LstMessage.addItem(" ");
            m_OptScroll.select(0);
        }
        const std::int32_t itemData = m_LstMessage.itemData(m_CurIndex);
        m_CurSpeed = static_cast<std::uint8_t>(SpeedOf(itemData));
        m_CurScroll = static_cast<std::uint8_t>(DirectionOf(itemData));
        m_LstMessage.select(m_CurIndex);
    }
    m_TxtMessage.setFocus();
}

void MessageEditor::CmdClear_Click()
{
    m_LstMessage.clear();
    m_CurIndex = 0;
    m_LstMessage.addItem(" ");
    // With no speed shown (an entry of speed 0 is current) the new entry
    // keeps the speed being edited.
    const std::string_view shown = m_LstSpeed.selectedText();
    const std::uint8_t speed = shown.empty() ? m_CurSpeed : SpeedFromText(shown);
    m_LstMessage.setItemData(0, speed | (m_LstMessage.itemData(0) & 0xF0));
    m_OptScroll.select(0);
    m_LstMessage.select(0);
    m_TxtMessage.setFocus();
}

void MessageEditor::CmdPlayOne_Click()
{
    if (!isPlaying()) {
        m_CmdPlayOne.setCaption(std::string(kPauseCaption));
        m_CmdPlayOne.setTooltip("Pause current message!");
    } else {
        m_CmdPlayOne.setCaption(std::string(kPlayCaption));
        m_CmdPlayOne.setTooltip("Play current message!");
    }
}

void MessageEditor::CmbWidth_Click()
{
    const auto selected = m_CmbWidth.selectedIndex();
    if (!selected) {
        return;
    }
    std::string text =
        "You need " + std::to_string(m_CmbWidth.itemData(*selected)) + " IC Latch 74573.";
    m_LblLatch.setCaption(text);
    m_LblLatch.setTooltip(std::move(text));
}

void MessageEditor::CmdUp_Click()
{
    commit();
    const auto highlighted = m_LstMessage.selectedIndex();
    if (!highlighted || *highlighted == 0) {
        return;
    }
    const std::size_t lower = *highlighted;
    const std::size_t upper = lower - 1;
    m_LstMessage.swapItems(upper, lower);
    // CurIndex follows its message; in the editing state the click that
    // selecting the moved entry raises then makes that entry current.
    if (m_CurIndex == lower) {
        m_CurIndex = static_cast<std::uint8_t>(upper);
    } else if (m_CurIndex == upper) {
        m_CurIndex = static_cast<std::uint8_t>(lower);
    }
    m_LstMessage.select(upper);
}

void MessageEditor::CmdSave_Click()
{
    commit();
}

void MessageEditor::commit()
{
    m_LstMessage.setItemData(m_CurIndex, PackItemData(m_CurScroll, m_CurSpeed));
}

void MessageEditor::enableEditingControls(bool enabled)
{
    for (std::size_t i = 0; i < m_OptScroll.count(); ++i) {
        m_OptScroll.button(i).setEnabled(enabled);
    }
    m_LblSpeed.setEnabled(enabled);
    m_LstSpeed.setEnabled(enabled);
    m_CmdNext.setEnabled(enabled);
    m_CmdPlayOne.setEnabled(enabled);
    m_CmdClear.setEnabled(enabled);
}

void MessageEditor::clickButton(const CaptionedControl& button, void (MessageEditor::*handler)())
{
    if (!button.isEnabled()) {
        return;
    }
    userLeaveBox();
    if (handler != nullptr && button.isEnabled()) {
        (this->*handler)();
    }
}

void MessageEditor::clickList(ListBox& list, std::size_t index)
{
    if (!list.isEnabled()) {
        return;
    }
    userLeaveBox();
    if (list.isEnabled() && index < list.count()) {
        list.select(index);
    }
}

} // namespace corvane
