#include "editor/window/Form1Sync.h"

#include "editor/model/FlashUse.h"
#include "editor/model/MessageEditor.h"
#include "editor/model/preview/PreviewInput.h"
#include "editor/preview/PreviewWindow.h"
#include "editor/window/ControlView.h"
#include "editor/window/ListWidgetSync.h"
#include "editor/window/MessageTextBox.h"
#include "sign/Windows1252.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <string_view>

namespace corvane {

Form1Sync::Form1Sync(const MessageEditor& editor, const Form1Controls& controls, QAction& undo,
                     QAction& redo)
    : m_editor(editor), m_controls(controls), m_undoAction(undo), m_redoAction(redo)
{}

void Form1Sync::setPreview(PreviewWindow* preview)
{
    m_preview = preview;
    syncPreview();
}

void Form1Sync::syncView()
{
    const QScopedValueRollback syncing(m_syncing, true);
    syncMessageBox();
    syncLists();
    syncButtons();
    syncPreview();
    syncHistoryActions();
}

void Form1Sync::syncPreview()
{
    if (m_preview == nullptr) {
        return;
    }
    if (const auto input = PreviewInputOf(m_editor)) {
        m_preview->setInput(*input);
    }
    m_preview->setFlashUse(FlashUseOf(m_editor));
}

void Form1Sync::syncMessageBox()
{
    MessageTextBox& shown = *m_controls.TxtMessage;
    const TextBox& box = m_editor.TxtMessage();
    const QString text = QString::fromStdString(ToUtf8(box.text()));
    // Setting the text clears the undo history and moves the caret, so only
    // a text the editor changed (or refused) is set.
    if (shown.text() != text) {
        shown.setText(text);
        shown.setCursorPosition(static_cast<int>(box.caret()));
    }
    // A selection the editor made is shown once; the user may then move away from it.
    if (box.changeCount() != m_shownBoxChanges) {
        m_shownBoxChanges = box.changeCount();
        if (box.hasSelection()) {
            shown.setSelection(static_cast<int>(box.anchor()),
                               static_cast<int>(box.caret()) - static_cast<int>(box.anchor()));
        }
    }
    ShowControl(shown, box);
    if (box.hasFocus() && shown.window()->focusWidget() != &shown) {
        shown.setFocus(Qt::OtherFocusReason);
    }
}

void Form1Sync::syncLists()
{
    const ListBox& messages = m_editor.LstMessage();
    SyncListWidget(*m_controls.LstMessage, m_shownMessages, messages.items());
    ShowSelection(*m_controls.LstMessage, messages.selectedIndex());
    ShowControl(*m_controls.LstMessage, messages);

    const ListBox& speeds = m_editor.LstSpeed();
    SyncListWidget(*m_controls.LstSpeed, m_shownSpeeds, speeds.items());
    ShowSelection(*m_controls.LstSpeed, speeds.selectedIndex());
    ShowControl(*m_controls.LstSpeed, speeds);

    const ListBox& widths = m_editor.CmbWidth();
    const auto width = widths.selectedIndex();
    const int widthIndex = width ? static_cast<int>(*width) : -1;
    if (m_controls.CmbWidth->currentIndex() != widthIndex) {
        m_controls.CmbWidth->setCurrentIndex(widthIndex);
    }
    ShowControl(*m_controls.CmbWidth, widths);
}

void Form1Sync::syncButtons()
{
    const OptionGroup& options = m_editor.OptScroll();
    for (std::size_t i = 0; i < m_controls.OptScroll.size(); ++i) {
        ShowButton(*m_controls.OptScroll[i], options.button(i));
    }
    // Still and Blink have no option button here: none of the four is checked then.
    if (options.selectedIndex() >= m_controls.OptScroll.size()) {
        if (QAbstractButton* checked = m_controls.OptScroll[0]->group()
                                           ? m_controls.OptScroll[0]->group()->checkedButton()
                                           : nullptr) {
            m_controls.OptScroll[0]->group()->setExclusive(false);
            checked->setChecked(false);
            m_controls.OptScroll[0]->group()->setExclusive(true);
        }
    } else if (QAbstractButton* selected = m_controls.OptScroll.at(options.selectedIndex());
               !selected->isChecked()) {
        selected->setChecked(true);
    }

    const int scroll = m_editor.CurScroll();
    const int way = scroll < kScrollCount ? 0 : scroll - kScrollCount + 1;
    if (m_controls.CmbWay->currentIndex() != way) {
        m_controls.CmbWay->setCurrentIndex(way);
    }
    m_controls.CmbWay->setEnabled(options.button(0).isEnabled());
    if (m_controls.CmbPause->currentIndex() != m_editor.CurPause()) {
        m_controls.CmbPause->setCurrentIndex(m_editor.CurPause());
    }
    // Only a scroll pauses.
    m_controls.CmbPause->setEnabled(options.button(0).isEnabled() && scroll < kScrollCount);

    const CaptionedControl& speedLabel = m_editor.LblSpeed();
    ShowControl(*m_controls.LblSpeed, speedLabel);
    m_controls.LblSpeed->setText(Latin1(speedLabel.caption()));

    ShowButton(*m_controls.CmdNext, m_editor.CmdNext());
    ShowButton(*m_controls.CmdDel, m_editor.CmdDel());
    ShowButton(*m_controls.CmdSave, m_editor.CmdSave());
    ShowButton(*m_controls.CmdUp, m_editor.CmdUp(), true);
    ShowButton(*m_controls.CmdDn, m_editor.CmdDn(), true);
    ShowButton(*m_controls.CmdClear, m_editor.CmdClear(), true);
    ShowButton(*m_controls.CmdPlayOne, m_editor.CmdPlayOne(), true);

    QLabel& cutLabel = *m_controls.LblCut;
    if (const QString cut = Latin1(m_editor.cutWarning()); cutLabel.text() != cut) {
        cutLabel.setText(cut);
        cutLabel.setHidden(cut.isEmpty());
    }

    QLabel& latchLabel = *m_controls.LblLatch;
    const CaptionedControl& latch = m_editor.LblLatch();
    ShowControl(latchLabel, latch);
    if (const QString caption = Latin1(latch.caption()); latchLabel.text() != caption) {
        latchLabel.setText(caption);
        latchLabel.adjustSize();
    }
}

void Form1Sync::syncHistoryActions()
{
    const EditHistory& history = m_editor.history();
    // Each item names all its keys after a tab, where a menu shows them; on
    // its own a menu shows the first key only.
    const auto show = [](QAction& action, const QString& verb, std::string_view step,
                         bool enabled) {
        const QString text = (step.empty() ? verb : verb + QLatin1Char(' ') + Latin1(step)) +
                             QLatin1Char('\t') + KeysText(action);
        if (action.text() != text) {
            action.setText(text);
        }
        action.setEnabled(enabled);
    };
    show(m_undoAction, QStringLiteral("&Undo"), history.undoName(), history.canUndo());
    show(m_redoAction, QStringLiteral("&Redo"), history.redoName(), history.canRedo());
}

} // namespace corvane
