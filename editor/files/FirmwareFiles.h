#pragma once

#include "editor/dialogs/FileDialogSetup.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace corvane {

class BoardFlasher;
class FileDialogs;
class FlashPrompts;
class MessageEditor;
class StandardFlashPrompts;
struct SignFile;

// The firmware's actions beside the editor: "Build Firmware…" writes the
// list's firmware as Intel HEX, "Build Wiring Test…" the wiring test for the
// chosen width (firmware or BASCOM program, by the name's extension), and
// "Flash to the Board…" puts either on the chip with avrdude. Each works on
// the list as Save would write it now and changes nothing in the editor.
class FirmwareFiles final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirmwareFiles)

public:
    static FileDialogSetup SaveFirmwareDialog();
    static FileDialogSetup SaveWiringTestDialog();

    // `window` parents the dialogs and this object; null in a test.
    FirmwareFiles(const MessageEditor& editor, QWidget* window);
    ~FirmwareFiles() override;

    // Null restores the standard ones. Not owned.
    void setDialogs(FileDialogs* dialogs);
    void setFlashPrompts(FlashPrompts* prompts);

    QAction* buildFirmwareAction() const { return m_buildFirmwareAction; }
    QAction* buildWiringTestAction() const { return m_buildWiringTestAction; }
    QAction* flashAction() const { return m_flashAction; }

    // Each returns whether it wrote the file, or started flashing.
    bool buildFirmware();
    bool buildWiringTest();
    bool flashToBoard();

    BoardFlasher& flasher() { return *m_flasher; }

private:
    // Asks for a name with `setup` and writes the file there; a refusal or a
    // failed write is told and keeps any old file.
    bool writeFile(const FileDialogSetup& setup,
                   const std::function<SignFile(const QString& path)>& contents);

    const MessageEditor& m_editor;
    QWidget* m_window = nullptr;
    std::unique_ptr<FileDialogs> m_standardDialogs;
    FileDialogs* m_dialogs = nullptr;
    std::unique_ptr<StandardFlashPrompts> m_standardPrompts;
    std::unique_ptr<BoardFlasher> m_flasher;
    QAction* m_buildFirmwareAction = nullptr;
    QAction* m_buildWiringTestAction = nullptr;
    QAction* m_flashAction = nullptr;
};

} // namespace corvane
