#pragma once

#include "editor/dialogs/FileDialogSetup.h"
#include "sign/GlyphTable.h"
#include "sign/ProgramDocument.h"

#include <QObject>
#include <QString>
#include <memory>

class QAction;
class QMimeData;
class QWidget;

namespace corvane {

class FileDialogs;
class MessageEditor;
class RecentFiles;

// The program file's life beside the editor: opening one (by its action, by
// path or dropped on the window), saving, the question before changed
// messages would be lost, and the warning after a save too large for the
// chip. It owns the dialogs it asks and the glyph table the program is
// written and read with. After each change it makes to the editor it says so
// (editorChanged), and the window shows the editor again; each program saved
// or opened goes to the front of the recent programs.
class ProgramFiles final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgramFiles)

public:
    static constexpr const char* kCloseQuestion = "Save the messages before closing?";
    static constexpr const char* kOpenQuestion =
        "Save the messages before opening another program?";

    // The file dialogs for a program, starting at `startPath` (the program
    // last saved or opened, else the folder last used): Open in its folder,
    // Save with its name filled in. Save asks before replacing a file and
    // adds ".bas" to a name that does not end in it.
    static FileDialogSetup OpenProgramDialog(const QString& startPath = {});
    static FileDialogSetup SaveProgramDialog(const QString& startPath = {});

    // `window` parents the dialogs and this object; null in a test. Without
    // `recent` (not owned) the folder and programs last used are kept for
    // this object's life only.
    ProgramFiles(MessageEditor& editor, QWidget* window, RecentFiles* recent = nullptr);
    ~ProgramFiles() override;

    // Null restores the standard dialogs. Not owned.
    void setDialogs(FileDialogs* dialogs);

    // The window's load step fills the table once its splash is shown.
    void fillGlyphTable();
    const GlyphTable& glyphTable() const { return m_glyphTable; }

    // "Open Program…" (Ctrl+O): asks first when the list is changed, then
    // which program to open, and opens it.
    QAction* openAction() const { return m_openAction; }

    // Replaces the list with the messages of the program at `path`, or shows
    // why it cannot and changes nothing. A changed list is saved, discarded or
    // kept first. Returns whether it opened.
    bool openFile(const QString& path);
    // Asks for a name and writes the program there; true when it was written.
    bool save();
    // Opens one of the recent programs; one that is gone leaves the list,
    // with a note. Returns whether it opened.
    bool openRecent(const QString& path);
    // The program last saved or opened, the one the window holds; empty
    // before the first.
    const QString& lastPath() const { return m_lastPath; }
    RecentFiles& recentFiles() const { return *m_recent; }
    // Before the window closes: true when it may (the list unchanged, saved
    // or discarded), false to keep everything as it is.
    bool confirmClose();

    // The one local .bas file a drag carries, if that is all it carries;
    // empty otherwise.
    static QString DraggedProgram(const QMimeData* data);
    // Opens the program a drop carries once the drop has returned (the drag's
    // source waits for it, and a failure's box would block it). False when
    // the drop carries none.
    bool openDropped(const QMimeData* data);

signals:
    void editorChanged();
    // The program the window holds has another path (lastPath).
    void pathChanged(const QString& path);
    // A line for the status bar: what was saved, or a recent program that is gone.
    void noted(const QString& note);

private:
    void open();
    // Opening once the question before losing changes is answered.
    bool load(const QString& path);
    // Asks `question` when the list is changed: true when the caller may go
    // on (unchanged, saved or discarded), false to keep everything as it is.
    bool confirmLosingChanges(const QString& question);
    // After a successful save: warns when the tables alone exceed the flash.
    void warnIfTablesExceedFlash(const ProgramDocument& program);
    // Where the dialogs start: the program held, else the folder last used.
    QString startPath() const;
    void setLastPath(const QString& path);

    MessageEditor& m_editor;
    QWidget* m_window = nullptr;
    GlyphTable m_glyphTable;
    std::unique_ptr<FileDialogs> m_standardDialogs;
    FileDialogs* m_dialogs = nullptr;
    std::unique_ptr<RecentFiles> m_ownRecent;
    RecentFiles* m_recent = nullptr;
    QAction* m_openAction = nullptr;
    QString m_lastPath;
};

} // namespace corvane
