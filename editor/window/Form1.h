#pragma once

#include "editor/model/MessageEditor.h"
#include "editor/window/Form1Controls.h"
#include "sign/GlyphTable.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QSettings;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QShowEvent;

namespace corvane {

class Form1Sync;
class GlyphEditorDialog;
class PreviewWindow;
class FirmwareFiles;
class Form1Actions;
class Form1Menus;
class ProgramFiles;
class RecentFiles;
class TabStops;

// The main window: creates and places the controls of its control table in
// its client area and wires them, with a menu bar above and a status line
// below. Every user action is forwarded to the editor model, after which
// Form1Sync makes the widgets show the model's state again; the program file
// (open, save, the question before closing) is ProgramFiles' part. The title
// names the program held and marks unsaved changes. The window keeps no
// editing state of its own.
class Form1 final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // The caption the title ends in.
    static QString Caption();

    // Remembers the folder and the programs last used in the user's settings.
    explicit Form1(QWidget* parent = nullptr);
    // Remembers them in `settings` (a test's own file, say).
    explicit Form1(std::unique_ptr<QSettings> settings, QWidget* parent = nullptr);
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
    // The widget the control table's places are relative to.
    QWidget& clientArea() const { return *m_clientArea; }
    Form1Menus& menus() const { return *m_menus; }

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
    // The program's name and a changed mark ahead of the caption.
    void showProgramInTitle();
    void showNote(const QString& note);

    void onBoxFocused();
    void onBoxLeft();
    void onMessageEdited(const QString& text);
    void onSaveClicked();
    void onPlayClicked();

    // Undo and redo for the whole window (Form1Actions has their keys).
    void undoStep();
    // Edit ▸ Glyphs…: the glyph editor over the program's font.
    void showGlyphEditor();
    void redoStep();

    MessageEditor m_editor;
    std::unique_ptr<QSettings> m_settings;
    RecentFiles* m_recent = nullptr;
    QWidget* m_clientArea = nullptr;
    QLabel* m_note = nullptr; // the status line
    Form1Menus* m_menus = nullptr;
    ProgramFiles* m_files = nullptr;
    FirmwareFiles* m_firmware = nullptr;
    Form1Controls m_controls{};
    QButtonGroup* m_OptScrollGroup = nullptr;
    Form1Actions* m_actions = nullptr;
    PreviewWindow* m_preview = nullptr;         // created at the first Play
    GlyphEditorDialog* m_glyphEditor = nullptr; // created when first asked for
    std::unique_ptr<Form1Sync> m_sync;
    std::unique_ptr<TabStops> m_tabStops;
    bool m_syncQueued = false;
    bool m_shownOnce = false;
};

} // namespace corvane
