#pragma once

#include "editor/dialogs/FileDialogSetup.h"

#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QWidget;

namespace corvane {

class BoardFlasher;
class FileDialogs;
class FlashPrompts;
class MessageEditor;
class RecentFiles;
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
    // The dialogs, starting at `startPath`: a folder and the name offered.
    static FileDialogSetup SaveFirmwareDialog(const QString& startPath = {});
    static FileDialogSetup SaveWiringTestDialog(const QString& startPath = {});
    // The names offered in the folder last used: the program's own name with
    // ".hex" ("sign.hex" while it has none), and "wiring-test-20.hex" for width 20.
    static QString FirmwareName(const QString& programPath);
    static QString WiringTestName(const std::string& widthText);

    // `window` parents the dialogs and this object; null in a test. Without
    // `recent` (not owned) the folder last used is kept for this object's
    // life only.
    FirmwareFiles(const MessageEditor& editor, QWidget* window, RecentFiles* recent = nullptr);
    ~FirmwareFiles() override;

    // The program the window holds, whose name the firmware takes.
    void setProgramPath(const QString& path) { m_programPath = path; }

    // Null restores the standard ones. Not owned.
    void setDialogs(FileDialogs* dialogs);
    void setFlashPrompts(FlashPrompts* prompts);

    QAction* buildFirmwareAction() const { return m_buildFirmwareAction; }
    QAction* buildWiringTestAction() const { return m_buildWiringTestAction; }
    QAction* flashAction() const { return m_flashAction; }
    // Brightness 1 to 8 of the firmware built and flashed, one checkable
    // action each, the choice kept in the settings; the program is not dimmed.
    const QList<QAction*>& brightnessActions() const { return m_brightnessActions; }
    std::uint8_t brightness() const { return m_brightness; }
    void setBrightness(std::uint8_t brightness);

    // Each returns whether it wrote the file, or started flashing.
    bool buildFirmware();
    bool buildWiringTest();
    bool flashToBoard();

    BoardFlasher& flasher() { return *m_flasher; }

signals:
    // A line for the status bar: the file built, with its size.
    void noted(const QString& note);

private:
    // Asks for a name with `setup` and writes the file there; a refusal or a
    // failed write is told and keeps any old file.
    bool writeFile(const FileDialogSetup& setup,
                   const std::function<SignFile(const QString& path)>& contents);
    // `name` in the folder last used.
    QString startPath(const QString& name) const;

    QList<QAction*> m_brightnessActions;
    std::uint8_t m_brightness = 8;
    const MessageEditor& m_editor;
    QWidget* m_window = nullptr;
    std::unique_ptr<FileDialogs> m_standardDialogs;
    FileDialogs* m_dialogs = nullptr;
    std::unique_ptr<StandardFlashPrompts> m_standardPrompts;
    std::unique_ptr<BoardFlasher> m_flasher;
    std::unique_ptr<RecentFiles> m_ownRecent;
    RecentFiles* m_recent = nullptr;
    QString m_programPath;
    QAction* m_buildFirmwareAction = nullptr;
    QAction* m_buildWiringTestAction = nullptr;
    QAction* m_flashAction = nullptr;
};

} // namespace corvane
