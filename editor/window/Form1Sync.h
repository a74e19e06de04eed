#pragma once

#include "editor/model/controls/ListItem.h"
#include "editor/window/Form1Controls.h"

#include <cstddef>
#include <vector>

class QAction;

namespace corvane {

class MessageEditor;
class PreviewWindow;

// Makes the main window's controls, its undo and redo actions and the
// preview show the editor's state. Each control is touched only where what it
// shows differs, so a live edit of one message updates one row of a full list
// and raises no signal for what stayed the same.
class Form1Sync final
{
public:
    Form1Sync(const MessageEditor& editor, const Form1Controls& controls, QAction& undo,
              QAction& redo);

    // The preview, once the first Play created it; it shows the editor at once.
    void setPreview(PreviewWindow* preview);

    void syncView();
    // True while syncView runs: a signal the widgets raise meanwhile is not
    // the user's.
    bool isSyncing() const { return m_syncing; }

private:
    void syncMessageBox();
    void syncLists();
    void syncButtons();
    void syncPreview();
    void syncHistoryActions();

    const MessageEditor& m_editor;
    Form1Controls m_controls;
    QAction& m_undoAction;
    QAction& m_redoAction;
    PreviewWindow* m_preview = nullptr;

    std::vector<ListItem> m_shownMessages;
    std::vector<ListItem> m_shownSpeeds;
    std::size_t m_shownBoxChanges = 0; // the message box's change count last shown
    bool m_syncing = false;
};

} // namespace corvane
