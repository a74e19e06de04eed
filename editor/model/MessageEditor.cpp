#include "editor/model/MessageEditor.h"

#include "editor/model/ItemData.h"
#include "editor/model/VerticalCut.h"
#include "sign/Windows1252.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

namespace {

constexpr std::size_t kDefaultWidthIndex = 15; // "20"
constexpr std::size_t kDefaultSpeedIndex = 4;  // "5"
constexpr int kSlowestSpeed = 1;
constexpr std::string_view kBlankText = " ";

bool CanHold(const ProgramDocument& program)
{
    return !program.entries.empty() && program.entries.size() <= ProgramDocument::kMaxEntries &&
           std::ranges::all_of(program.entries, IsValidMessage);
}

// A speed item's text as a number; the items are the digits "1" to "9".
std::uint8_t SpeedFromText(std::string_view text)
{
    int speed = 0;
    std::from_chars(text.data(), text.data() + text.size(), speed);
    return static_cast<std::uint8_t>(speed);
}

// The sentence the window shows for the characters an edit left out.
std::string InputNoteOf(const std::vector<std::string>& leftOut)
{
    if (leftOut.empty()) {
        return {};
    }
    if (leftOut.size() == 1) {
        return WhyNotShown(leftOut.front()) + ".";
    }
    std::string note = "Left out";
    for (std::size_t i = 0; i < leftOut.size(); ++i) {
        const std::string why = WhyNotShown(leftOut[i]);
        note += (i == 0 ? " " : ", ") + why.substr(0, why.find(" is "));
    }
    return note + ": the sign shows the Windows-1252 characters only.";
}

} // namespace

template <typename Action>
void MessageEditor::asStep(std::string_view name, Action&& action,
                           std::optional<std::size_t> runEntry)
{
    if (m_inStep) {
        std::forward<Action>(action)();
        return;
    }
    m_inStep = true;
    m_history.endRun();
    std::forward<Action>(action)();
    m_inStep = false;

    // The texts the action left alone are shared, so comparing them is cheap.
    EditorSnapshot now = EditorSnapshot::Take(content(), m_history.current());
    if (now.sameContent(m_history.current())) {
        m_history.moveCurrent(m_CurIndex);
    } else {
        m_history.record(std::string(name), std::move(now), runEntry);
    }
}

MessageEditor::MessageEditor()
{
    for (int width = 0; width <= Board::kColumnsPerLatch * Board::kMaxLatchCount; ++width) {
        if (Board::isListedWidth(width)) {
            m_CmbWidth.addItem(std::to_string(width), Board::latchCountFor(width));
        }
    }
    for (int speed = kMaxSpeed; speed >= kSlowestSpeed; --speed) {
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
    startHistory();
}

void MessageEditor::Form_Load()
{
    m_RowCount = Board::kRowCount;
    m_IsEditing = false;
    m_CurIndex = 0;
    m_CmbWidth.select(kDefaultWidthIndex);
    m_LstMessage.select(0);
    m_LstSpeed.select(kDefaultSpeedIndex);
    startHistory();
}

void MessageEditor::userFocusBox()
{
    // A click into the box that has the focus is no action of its own: it
    // does not end a run of keystrokes.
    if (!m_TxtMessage.hasFocus()) {
        asStep("Focus", [this] { m_TxtMessage.setFocus(); });
    }
}

void MessageEditor::userLeaveBox()
{
    asStep("Focus", [this] { m_TxtMessage.clearFocus(); });
}

bool MessageEditor::userEditText(std::string_view newText, std::size_t caret)
{
    if (!m_TxtMessage.hasFocus()) {
        return false;
    }
    // A keystroke changes the current entry alone, so one that continues a
    // run updates just that entry of the step.
    const std::size_t entry = m_CurIndex;
    const SignText text = ToSignText(newText);
    const std::size_t signCaret =
        ToSignText(newText.substr(0, std::min(caret, newText.size()))).bytes.size();
    m_inputNote = InputNoteOf(text.leftOut);
    bool accepted = false;
    const auto edit = [&] {
        accepted = m_TxtMessage.userEdit(text.bytes, signCaret);
        if (accepted && m_TxtMessage.text().empty()) {
            eraseCurrentEntry();
        }
    };
    if (m_history.continuesRun(entry)) {
        edit();
        m_history.amendRun(m_LstMessage.itemText(entry),
                           PackItemData(m_CurScroll, m_CurSpeed, m_CurPause));
    } else {
        asStep("Typing", edit, entry);
    }
    return accepted;
}

bool MessageEditor::userDrawGlyph(unsigned char code, const GlyphColumnBytes& columns)
{
    if (!HasGlyph(code)) {
        return false;
    }
    asStep("Glyph", [&] {
        if (IsBuiltInGlyph(code, columns)) {
            m_glyphs.erase(code);
        } else {
            m_glyphs[code] = Font(DrawnGlyphs{{code, columns}}).drawn().at(code);
        }
    });
    return true;
}

void MessageEditor::userPressEnter()
{
    asStep("Next", [this] {
        if (m_CmdNext.isEnabled()) {
            CmdNext_Click();
        }
    });
}

void MessageEditor::userClickMessage(std::size_t index)
{
    // A click changes the content only when the entry clicked has speed 0:
    // it then takes the speed being edited.
    asStep("Speed", [this, index] { clickList(m_LstMessage, index); });
}

void MessageEditor::userClickSpeed(std::size_t index)
{
    asStep("Speed", [this, index] { clickList(m_LstSpeed, index); });
}

void MessageEditor::userClickWidth(std::size_t index)
{
    asStep("Width", [this, index] { clickList(m_CmbWidth, index); });
}

void MessageEditor::userClickDirection(std::size_t index)
{
    if (index >= m_OptScroll.count() || !m_OptScroll.button(index).isEnabled()) {
        return;
    }
    asStep("Direction", [this, index] {
        userLeaveBox();
        if (m_OptScroll.button(index).isEnabled()) {
            m_OptScroll.select(index);
        }
    });
}

void MessageEditor::userClickPause(int seconds)
{
    if (!IsPause(seconds) || !m_OptScroll.button(0).isEnabled()) {
        return;
    }
    asStep("Pause", [this, seconds] {
        userLeaveBox();
        m_CurPause = static_cast<std::uint8_t>(seconds);
    });
}

void MessageEditor::userClickNext()
{
    asStep("Next", [this] { clickButton(m_CmdNext, &MessageEditor::CmdNext_Click); });
}

void MessageEditor::userClickDelete()
{
    asStep("Delete", [this] { clickButton(m_CmdDel, &MessageEditor::CmdDel_Click); });
}

void MessageEditor::userClickClear()
{
    asStep("Clear", [this] { clickButton(m_CmdClear, &MessageEditor::CmdClear_Click); });
}

void MessageEditor::userClickPlayOne()
{
    asStep("Play", [this] { clickButton(m_CmdPlayOne, &MessageEditor::CmdPlayOne_Click); });
}

void MessageEditor::userClickUp()
{
    asStep("Move Up", [this] { clickButton(m_CmdUp, &MessageEditor::CmdUp_Click); });
}

void MessageEditor::userClickDown()
{
    asStep("Move Down", [this] { clickButton(m_CmdDn, &MessageEditor::CmdDn_Click); });
}

void MessageEditor::userClosePreview()
{
    if (isPlaying()) {
        CmdPlayOne_Click();
    }
}

void MessageEditor::userClickSave()
{
    asStep("Save", [this] { clickButton(m_CmdSave, &MessageEditor::CmdSave_Click); });
}

void MessageEditor::userUndo()
{
    if (m_history.canUndo()) {
        restore(m_history.undo());
    }
}

void MessageEditor::userRedo()
{
    if (m_history.canRedo()) {
        restore(m_history.redo());
    }
}

bool MessageEditor::isChanged() const
{
    const std::vector<ListItem>& items = m_LstMessage.items();
    if (items.size() == 1 && items.front().text == kBlankText && m_glyphs.empty()) {
        return false;
    }
    return !m_saved.sameContent(content());
}

void MessageEditor::markSaved()
{
    m_saved = EditorSnapshot::Take(content(), m_history.current());
}

ProgramDocument MessageEditor::prepareProgram()
{
    ProgramDocument program{entries(), {{}, m_LatchCount, m_RowCount}, m_glyphs};
    if (auto board = selectedBoard()) {
        m_LatchCount = board->latchCount;
        program.board = std::move(*board);
    }
    return program;
}

bool MessageEditor::openProgram(const ProgramDocument& program, bool asWritten)
{
    const auto width =
        std::ranges::find(m_CmbWidth.items(), program.board.widthText, &ListItem::text);
    if (!CanHold(program) || width == m_CmbWidth.items().end() ||
        width->itemData != program.board.latchCount) {
        return false;
    }
    // Entry 0 comes up as undo brings an entry back: with its own settings,
    // in the editing state, its text in the box.
    const auto widthIndex = static_cast<std::size_t>(width - m_CmbWidth.items().begin());
    std::vector<ListItem> items;
    items.reserve(program.entries.size());
    std::ranges::transform(program.entries, std::back_inserter(items), ListItemOf);
    asStep("Open", [&] {
        const DrawnGlyphs glyphs = program.font().drawn();
        restore(EditorSnapshot::Take({items, 0, items.front().itemData, widthIndex, &glyphs}, {}));
    });
    // What was just read is what the file holds; a file Save would write
    // otherwise counts as changed until saved.
    if (asWritten) {
        markSaved();
    } else {
        m_saved = {};
    }
    return true;
}

std::vector<Message> MessageEditor::entries() const
{
    std::vector<Message> messages;
    messages.reserve(m_LstMessage.count());
    std::ranges::transform(m_LstMessage.items(), std::back_inserter(messages), MessageOf);
    return messages;
}

std::optional<Board> MessageEditor::selectedBoard() const
{
    const auto width = m_CmbWidth.selectedIndex();
    if (!width) {
        return std::nullopt;
    }
    return Board{m_CmbWidth.itemText(*width),
                 static_cast<std::uint8_t>(m_CmbWidth.itemData(*width)), m_RowCount};
}

std::optional<Message> MessageEditor::editedEntry() const
{
    if (m_CurIndex >= m_LstMessage.count()) {
        return std::nullopt;
    }
    return MessageOf(
        {m_LstMessage.itemText(m_CurIndex), PackItemData(m_CurScroll, m_CurSpeed, m_CurPause)});
}

std::string MessageEditor::cutWarning() const
{
    const auto entry = editedEntry();
    const auto board = selectedBoard();
    return entry && board ? CutWarningOf(*entry, *board) : std::string();
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
    m_CurPause = static_cast<std::uint8_t>(PauseOf(itemData));
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
    if (m_LstMessage.count() >= ProgramDocument::kMaxEntries) {
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
        m_CurPause = static_cast<std::uint8_t>(PauseOf(itemData));
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
    moveHighlighted(-1);
}

void MessageEditor::CmdDn_Click()
{
    moveHighlighted(+1);
}

void MessageEditor::moveHighlighted(int offset)
{
    commit();
    const auto highlighted = m_LstMessage.selectedIndex();
    if (!highlighted) {
        return;
    }
    const auto target = static_cast<std::ptrdiff_t>(*highlighted) + offset;
    if (target < 0 || target >= static_cast<std::ptrdiff_t>(m_LstMessage.count())) {
        return;
    }
    const std::size_t from = *highlighted;
    const auto to = static_cast<std::size_t>(target);
    m_LstMessage.swapItems(from, to);
    // CurIndex follows its message; in the editing state the click that
    // selecting the moved entry raises then makes that entry current.
    if (m_CurIndex == from) {
        m_CurIndex = static_cast<std::uint8_t>(to);
    } else if (m_CurIndex == to) {
        m_CurIndex = static_cast<std::uint8_t>(from);
    }
    m_LstMessage.select(to);
}

void MessageEditor::CmdSave_Click()
{
    commit();
}

void MessageEditor::eraseCurrentEntry()
{
    // The list shows what the box shows: an erased message is the blank
    // entry a new one is, while the box stays empty for what comes next.
    if (!m_IsEditing) {
        return;
    }
    m_LstMessage.setItemText(m_CurIndex, std::string(kBlankText));
    commit();
}

void MessageEditor::commit()
{
    m_LstMessage.setItemData(m_CurIndex, PackItemData(m_CurScroll, m_CurSpeed, m_CurPause));
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

EditorSnapshot::Source MessageEditor::content() const
{
    // The settings being edited belong to the current entry: the next commit
    // stores them there.
    return {m_LstMessage.items(), m_CurIndex, PackItemData(m_CurScroll, m_CurSpeed, m_CurPause),
            m_CmbWidth.selectedIndex(), &m_glyphs};
}

void MessageEditor::startHistory()
{
    m_history.reset(EditorSnapshot::Take(content(), {}));
    m_saved = m_history.current();
}

void MessageEditor::restore(const EditorSnapshot& state)
{
    // The focus enters the editing state coming from the prompt; the box is
    // emptied so that the entry's text comes back with the caret at its end.
    m_TxtMessage.setFocus();
    m_TxtMessage.setText({});
    m_glyphs = state.glyphs();
    m_LstMessage.clear();
    for (const EditorSnapshot::Entry& entry : state.entries()) {
        m_LstMessage.addItem(*entry.text, entry.itemData);
    }
    if (state.width() && state.width() != m_CmbWidth.selectedIndex()) {
        m_CmbWidth.select(*state.width());
    }
    // The entry's own settings are the ones being edited; the click on it
    // commits them again, shows them and puts its text into the box.
    m_CurIndex = static_cast<std::uint8_t>(state.current());
    const std::int32_t itemData = m_LstMessage.itemData(m_CurIndex);
    m_CurSpeed = static_cast<std::uint8_t>(SpeedOf(itemData));
    m_CurScroll = static_cast<std::uint8_t>(DirectionOf(itemData));
    m_CurPause = static_cast<std::uint8_t>(PauseOf(itemData));
    m_LstMessage.select(m_CurIndex);
}

} // namespace corvane
