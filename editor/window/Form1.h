#pragma once

#include "editor/model/MessageEditor.h"
#include "editor/window/Form1Controls.h"
#include "sign/GlyphTable.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QShowEvent;

namespace corvane {

class Form1Sync;
class PreviewWindow;
class FirmwareFiles;
class Form1Actions;
class ProgramFiles;
class TabStops;

// The main window: creates and places the controls of its control table and
// wires them. Every user action is forwarded to the editor model, after which
// Form1Sync makes the widgets show the model's state again; the program file
// (open, save, the question before closing) is ProgramFiles' part. The window
// keeps no editing state of its own.
class Form1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The load step: hides the window, runs showSplash, fills the glyph table
    // and applies the editor's start-up defaults, in that order.
    void Form_Load(const std::function<void()>& showSplash);

    ProgramFiles& programFiles() { return *m_files; }
    // Build Firmware, Flash to the Board and Build Wiring Test.
    FirmwareFiles& firmwareFiles() { return *m_firmware; }
    // Opens the program at `path` (ProgramFiles::openFile).
    bool openProgramFile(const QString& path);

    const MessageEditor& editor() const { return m_editor; }
    const GlyphTable& glyphTable() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // One dropped .bas file opens; anything else is not taken.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A changed list is saved, discarded or kept open first.
    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab move along TabStops. Leaving the message box comes
    // first: with the box empty it disables the editing controls, which the
    // focus then passes by.
    bool focusNextPrevChild(bool next) override;

private:
    void applyWindowStyle();
    void applyLayout();
    void connectEvents();

    // Runs one user action on the editor, then shows its state.
    template <typename Action> void forward(Action&& action);
    void syncView();
    void queueSync();

    void onBoxFocused();
    void onBoxLeft();
    void onMessageEdited(const QString& text);
    void onSaveClicked();
    void onPlayClicked();

    // Undo and redo for the whole window (Form1Actions has their keys).
    void undoStep();
    void redoStep();

    MessageEditor m_editor;
    ProgramFiles* m_files = nullptr;
    FirmwareFiles* m_firmware = nullptr;
    Form1Controls m_controls{};
    QButtonGroup* m_OptScrollGroup = nullptr;
    Form1Actions* m_actions = nullptr;
    PreviewWindow* m_preview = nullptr; // created at the first Play
    std::unique_ptr<Form1Sync> m_sync;
    std::unique_ptr<TabStops> m_tabStops;
    bool m_syncQueued = false;
    bool m_shownOnce = false;
};

} // namespace corvane
