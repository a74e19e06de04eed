#pragma once

#include "editor/model/MessageEditor.h"
#include "editor/model/controls/ListItem.h"
#include "generator/GlyphTable.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QButtonGroup;
class QCloseEvent;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace corvane {

class MessageTextBox;
class OpenDialogs;
class PreviewWindow;
class SaveDialogs;

// The main window: the controls of the message editor laid out in twips.
// Every user action is forwarded to the editor model, after which the widgets
// are made to show the model's state again; the window keeps no editing state
// of its own.
class Form1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // The questions before changed messages would be lost.
    static constexpr const char* kCloseQuestion = "Save the messages before closing?";
    static constexpr const char* kOpenQuestion =
        "Save the messages before opening another program?";

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The load step: hides the window, runs showSplash, fills the glyph table
    // and applies the editor's start-up defaults, in that order.
    void Form_Load(const std::function<void()>& showSplash);

    // Save's dialogs; null restores the standard ones. Not owned.
    void setSaveDialogs(SaveDialogs* dialogs);
    // Open's dialogs; null restores the standard ones. Not owned.
    void setOpenDialogs(OpenDialogs* dialogs);

    // Replaces the list with the messages of the program at `path`, or shows
    // why it cannot and changes nothing. A changed list is saved, discarded or
    // kept first (the same question as before closing). Returns whether it opened.
    bool openProgramFile(const QString& path);

    const MessageEditor& editor() const { return m_editor; }
    const GlyphTable& glyphTable() const { return m_glyphTable; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // One dropped .bas file opens; anything else is not taken.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A changed list is saved, discarded or kept open first.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void applyWindowStyle();
    void applyLayout();
    void connectEvents();
    void createActions();
    void onOpenRequested();
    // Opening once the question before losing changes is answered.
    bool loadProgramFile(const QString& path);

    // Runs one user action on the editor, then shows its state.
    template <typename Action> void forward(Action&& action);
    void syncView();
    void syncMessageBox();
    void syncLists();
    void syncButtons();
    void queueSync();

    void onBoxFocused();
    void onBoxLeft();
    void onMessageEdited(const QString& text);
    void onSaveClicked();
    void onPlayClicked();
    void syncPreview();
    // After a successful save: warns when the tables alone exceed the flash.
    void warnIfTablesExceedFlash(const ProgramDocument& program);

    // Undo and redo for the whole window: Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y.
    void createHistoryActions();
    void undoStep();
    void redoStep();
    void syncHistoryActions();
    // The message list's context menu.
    QMenu* buildMessageMenu();
    void showMessageMenu(const QPoint& position);
    // Save: the dialog, then the write. True when the program was written.
    bool saveProgram();
    // Asks `question` when the list is changed: true when the caller may go
    // on (unchanged, saved or discarded), false to keep everything as it is.
    bool confirmLosingChanges(const QString& question);

    MessageEditor m_editor;
    GlyphTable m_glyphTable;
    std::unique_ptr<SaveDialogs> m_standardDialogs;
    SaveDialogs* m_saveDialogs = nullptr;
    std::unique_ptr<OpenDialogs> m_standardOpenDialogs;
    OpenDialogs* m_openDialogs = nullptr;
    QAction* m_openAction = nullptr;

    QLabel* m_LblWidth = nullptr;
    MessageTextBox* m_TxtMessage = nullptr;
    std::array<QRadioButton*, 4> m_OptScroll{};
    QButtonGroup* m_OptScrollGroup = nullptr;
    QLabel* m_LblSpeed = nullptr;
    QListWidget* m_LstSpeed = nullptr;
    QPushButton* m_CmdNext = nullptr;
    QPushButton* m_CmdDel = nullptr;
    QGroupBox* m_Frame1 = nullptr;
    std::array<QLabel*, 4> m_AboutLabels{}; // Label1 to Label4
    QLabel* m_PicFlg = nullptr;
    QPushButton* m_CmdUp = nullptr;
    QPushButton* m_CmdDn = nullptr;
    QPushButton* m_CmdClear = nullptr;
    QPushButton* m_CmdPlayOne = nullptr;
    QListWidget* m_LstMessage = nullptr;
    QPushButton* m_CmdSave = nullptr;
    QLabel* m_Label5 = nullptr;
    QComboBox* m_CmbWidth = nullptr;
    QLabel* m_LblLatch = nullptr;
    QLabel* m_Image1 = nullptr;
    PreviewWindow* m_preview = nullptr; // created at the first Play
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;

    std::vector<ListItem> m_shownMessages;
    std::vector<ListItem> m_shownSpeeds;
    std::size_t m_shownBoxChanges = 0; // the message box's change count last shown
    bool m_syncing = false;
    bool m_syncQueued = false;
    bool m_shownOnce = false;
};

} // namespace corvane
