#pragma once

#include "editor/model/controls/CaptionedControl.h"
#include "editor/model/controls/ListBox.h"
#include "editor/model/controls/OptionGroup.h"
#include "editor/model/controls/TextBox.h"
#include "editor/model/history/EditHistory.h"
#include "editor/model/history/EditorSnapshot.h"
#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/Message.h"
#include "sign/ProgramDocument.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The main window without its toolkit: the message list held by LstMessage,
// the other editing controls, the form-level variables and the event
// handlers. The window forwards each user action to one user* entry point and
// then re-reads the controls and variables; every handler a change raises runs
// nested inside that call, so nothing depends on the toolkit's signal order.
class MessageEditor final
{
public:
    static constexpr std::string_view kPromptText = "Enter here your message.";

    // The controls hold the window's start values; Form_Load applies the
    // start-up defaults. The window fills the glyph table in between.
    MessageEditor();
    MessageEditor(const MessageEditor&) = delete;
    MessageEditor& operator=(const MessageEditor&) = delete;
    MessageEditor(MessageEditor&&) = delete;
    MessageEditor& operator=(MessageEditor&&) = delete;
    ~MessageEditor() = default;

    void Form_Load();

    // The message box receives the focus: a click into it, Tab, or the window
    // being shown. No-op while it has the focus.
    void userFocusBox();
    // The focus moves from the message box to another control. No-op while
    // the box does not have it.
    void userLeaveBox();
    // A keystroke, paste, cut or deletion in the focused box: the whole text
    // it produced and the caret after it, in UTF-8 bytes from the view. The
    // characters the font shows go into the box as Windows-1252 bytes; each
    // other one is left out and named in inputNote(). Returns false when
    // refused; ignored while the box does not have the focus.
    bool userEditText(std::string_view newText, std::size_t caret);
    // Why the last edit of the box left characters out ("“Ж” (U+0416) is not a
    // character the sign knows; …"), in UTF-8; empty when it left none out.
    const std::string& inputNote() const { return m_inputNote; }

    // Draws the glyph of a character the font shows, one step of the
    // history; the built-in glyph's columns take the drawing back. Returns
    // false, changing nothing, for a code the font does not show.
    bool userDrawGlyph(unsigned char code, const GlyphColumnBytes& columns);
    // The glyphs drawn for the program, and the font they make.
    const DrawnGlyphs& glyphs() const { return m_glyphs; }
    Font font() const { return Font(m_glyphs); }
    // Enter presses the default button Next, without a focus change.
    void userPressEnter();

    // Clicks move the focus first, so the box's focus-lost handling runs
    // before the clicked control's handler; the handler then runs only if
    // the control is still enabled. A click on a disabled control does nothing.
    // An index past the last item is a click on the list's empty area.
    void userClickMessage(std::size_t index);
    void userClickSpeed(std::size_t index);
    void userClickDirection(std::size_t index);
    // Chooses the current entry's pause, 0 to 9 seconds; one undo step.
    void userClickPause(int seconds);
    void userClickWidth(std::size_t index);
    void userClickNext();
    void userClickDelete();
    void userClickClear();
    void userClickPlayOne();
    void userClickUp();
    void userClickDown();
    // The preview window was closed: the play button goes back to play, as
    // after a click that pauses, but no focus moves.
    void userClosePreview();
    // Save's click: commits the current settings before the save dialog.
    void userClickSave();
    // Save, once the dialog returned a path: takes LatchCount from the
    // selected width and hands over what the writer needs.
    ProgramDocument prepareProgram();
    // Opening a program replaces the list with its entries and selects its
    // width (whose click runs, so the latch label follows); entry 0 becomes
    // current with its settings shown, in the editing state with its text in
    // the box. It counts as saved when its file holds what Save would write
    // (`asWritten`), and as changed otherwise. A program the window could not
    // hold (no entry or more than 256, a text that is empty, too long or not
    // printable, settings out of range, a width not in the list or with other
    // latches) changes nothing and returns false.
    bool openProgram(const ProgramDocument& program, bool asWritten = true);

    // Takes back the last step, or does again the step last taken back: the
    // entries, the width and the current entry come back as they were, in
    // the editing state, the box holding that entry's text with the caret at
    // its end and the focus. No-op when there is no such step.
    void userUndo();
    void userRedo();
    const EditHistory& history() const { return m_history; }

    // Whether the entries, their settings or the width differ from what was
    // last saved or opened. A list of one blank entry never counts as changed.
    bool isChanged() const;
    // The content as it is now has been written (or read).
    void markSaved();

    const TextBox& TxtMessage() const { return m_TxtMessage; }
    const ListBox& LstMessage() const { return m_LstMessage; }
    const ListBox& LstSpeed() const { return m_LstSpeed; }
    const ListBox& CmbWidth() const { return m_CmbWidth; }
    const OptionGroup& OptScroll() const { return m_OptScroll; }
    const CaptionedControl& LblSpeed() const { return m_LblSpeed; }
    const CaptionedControl& LblLatch() const { return m_LblLatch; }
    const CaptionedControl& CmdNext() const { return m_CmdNext; }
    const CaptionedControl& CmdDel() const { return m_CmdDel; }
    const CaptionedControl& CmdPlayOne() const { return m_CmdPlayOne; }
    const CaptionedControl& CmdClear() const { return m_CmdClear; }
    const CaptionedControl& CmdUp() const { return m_CmdUp; }
    const CaptionedControl& CmdDn() const { return m_CmdDn; }
    const CaptionedControl& CmdSave() const { return m_CmdSave; }

    std::uint8_t CurIndex() const { return m_CurIndex; }
    std::uint8_t CurSpeed() const { return m_CurSpeed; }
    std::uint8_t CurScroll() const { return m_CurScroll; }
    std::uint8_t CurPause() const { return m_CurPause; }
    bool IsEditing() const { return m_IsEditing; }
    std::uint8_t LatchCount() const { return m_LatchCount; }
    std::uint8_t RowCount() const { return m_RowCount; }

    std::vector<Message> entries() const;

    // Whether the play button shows pause, i.e. the current message plays.
    bool isPlaying() const { return m_CmdPlayOne.caption() == kPauseCaption; }
    // The selected width with that item's latch count (LatchCount itself is
    // set only at Save); nothing while no width is selected.
    std::optional<Board> selectedBoard() const;
    // Entry CurIndex with CurScroll and CurSpeed, which the next commit stores.
    std::optional<Message> editedEntry() const;
    // What the edited entry loses on the selected board, said where it is
    // edited (CutWarningOf); empty when nothing is cut.
    std::string cutWarning() const;

private:
    void TxtMessage_GotFocus();
    void TxtMessage_LostFocus();
    void TxtMessage_Change();
    void LstMessage_Click();
    void LstSpeed_Click();
    void OptScroll_Click(std::size_t index);
    void CmdNext_Click();
    void CmdDel_Click();
    void CmdClear_Click();
    void CmdPlayOne_Click();
    void CmbWidth_Click();
    void CmdUp_Click();
    void CmdDn_Click();
    void CmdSave_Click();

    // The user erased the box's last character.
    void eraseCurrentEntry();
    // Exchanges the highlighted entry with its neighbour `offset` (−1 above,
    // +1 below), settings included; the current entry follows its message.
    void moveHighlighted(int offset);

    void commit();
    void enableEditingControls(bool enabled);
    void clickButton(const CaptionedControl& button, void (MessageEditor::*handler)());
    void clickList(ListBox& list, std::size_t index);

    // Runs one user action as a step named `name`: when it changed the
    // content, the history records it; `runEntry` opens a run of keystrokes.
    // Actions it runs in turn belong to the same step.
    template <typename Action>
    void asStep(std::string_view name, Action&& action,
                std::optional<std::size_t> runEntry = std::nullopt);
    // The content as a commit now would leave it.
    EditorSnapshot::Source content() const;
    void startHistory();
    void restore(const EditorSnapshot& state);

    TextBox m_TxtMessage{std::string(kPromptText), Message::kMaxTextLength,
                         "Enter here your message"};
    OptionGroup m_OptScroll{{
        {"Left", "Left scroll", false},
        {"Right", "Right scroll", false},
        {"Up", "Up scroll", false},
        {"Down", "Down scroll", false},
        {"Still", "Stand still, page by page", false},
        {"Blink", "Blink in place, page by page", false},
    }};
    CaptionedControl m_LblSpeed{"Speed :", "Select speed scrolling", false};
    ListBox m_LstSpeed{ListBox::ClickRaising::Always, "Select speed scrolling", false};
    CaptionedControl m_CmdNext{"Next", "Add to list", false};
    CaptionedControl m_CmdDel{"Delete", "Delet from list!", false};
    // Up and down marks in the "Wingdings 3" symbol font.
    CaptionedControl m_CmdUp{"\xB7", "Move the message up", true};
    CaptionedControl m_CmdDn{"\xB8", "Move the message down", true};
    // "r" clear, "4" play and ";" pause in the "Webdings" symbol font.
    static constexpr std::string_view kPlayCaption = "4";
    static constexpr std::string_view kPauseCaption = ";";
    CaptionedControl m_CmdClear{"r", "Clear all messages!", false};
    CaptionedControl m_CmdPlayOne{std::string(kPlayCaption), "Play current message", false};
    ListBox m_LstMessage{ListBox::ClickRaising::OnChange, "List of your messages!", true};
    CaptionedControl m_CmdSave{"Save", "Save the program", true};
    ListBox m_CmbWidth{ListBox::ClickRaising::OnChange, "Select Width of LED Sign Board", true};
    CaptionedControl m_LblLatch{"You need 4 IC Latch 74573.", "You need 4 IC Latch 74573.", true};

    std::uint8_t m_CurIndex = 0;
    std::uint8_t m_CurSpeed = 0;
    std::uint8_t m_CurPause = 0;
    std::uint8_t m_CurScroll = 0;
    bool m_IsEditing = false;
    std::uint8_t m_LatchCount = 0;
    std::uint8_t m_RowCount = Board::kRowCount;

    DrawnGlyphs m_glyphs;
    std::string m_inputNote;
    EditHistory m_history;
    EditorSnapshot m_saved;
    bool m_inStep = false;
};

} // namespace corvane
