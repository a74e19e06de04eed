#include "editor/files/FirmwareFiles.h"

#include "editor/dialogs/StandardFileDialogs.h"
#include "editor/files/RecentFiles.h"
#include "editor/files/WrittenNote.h"
#include "editor/flash/BoardFlasher.h"
#include "editor/flash/StandardFlashPrompts.h"
#include "editor/model/FlashUse.h"
#include "editor/model/MessageEditor.h"
#include "flashimage/Firmware.h"
#include "flashimage/WiringTestFirmware.h"
#include "programfile/ProgramFile.h"
#include "programfile/SignFile.h"
#include "sign/WiringTest.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

namespace corvane {

namespace {

const QString kHexFilter = QStringLiteral("Intel HEX (*.hex)");
const QString kBrightnessKey = QStringLiteral("firmware/brightness");

// The flash image, or the refusal told to the user.
std::optional<std::vector<std::uint8_t>> Fitting(const FirmwareResult& firmware,
                                                 FileDialogs& dialogs, QWidget* window)
{
    if (const auto* tooLarge = std::get_if<FirmwareTooLarge>(&firmware)) {
        dialogs.warn(window, QString::fromStdString(tooLarge->reason()));
        return std::nullopt;
    }
    return std::get<std::vector<std::uint8_t>>(firmware);
}

} // namespace

FileDialogSetup FirmwareFiles::SaveFirmwareDialog(const QString& startPath)
{
    return {FileDialogSetup::Purpose::Save,
            tr("Save the Firmware"),
            QStringList{kHexFilter, FileDialogSetup::AllFiles()},
            QStringLiteral("hex"),
            true,
            startPath};
}

FileDialogSetup FirmwareFiles::SaveWiringTestDialog(const QString& startPath)
{
    return {FileDialogSetup::Purpose::Save,
            tr("Save the Wiring Test"),
            QStringList{kHexFilter, QStringLiteral("(BASCOM AVR File) (*.bas)")},
            QStringLiteral("hex"),
            true,
            startPath};
}

QString FirmwareFiles::FirmwareName(const QString& programPath)
{
    const QString base = QFileInfo(programPath).completeBaseName();
    return (base.isEmpty() ? QStringLiteral("sign") : base) + QStringLiteral(".hex");
}

QString FirmwareFiles::WiringTestName(const std::string& widthText)
{
    return QStringLiteral("wiring-test-%1.hex").arg(QString::fromStdString(widthText));
}

FirmwareFiles::FirmwareFiles(const MessageEditor& editor, QWidget* window, RecentFiles* recent)
    : QObject(window), m_editor(editor), m_window(window),
      m_standardDialogs(std::make_unique<StandardFileDialogs>()),
      m_dialogs(m_standardDialogs.get()),
      m_standardPrompts(std::make_unique<StandardFlashPrompts>(window)),
      m_ownRecent(recent == nullptr ? std::make_unique<RecentFiles>() : nullptr),
      m_recent(recent == nullptr ? m_ownRecent.get() : recent),
      m_buildFirmwareAction(new QAction(tr("Build &Firmware\u2026"), this)),
      m_buildWiringTestAction(new QAction(tr("Build &Wiring Test\u2026"), this)),
      m_flashAction(new QAction(tr("F&lash to the Board\u2026"), this))
{
    setFlashPrompts(nullptr);
    m_buildFirmwareAction->setObjectName(QStringLiteral("buildFirmwareAction"));
    m_buildFirmwareAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    m_buildWiringTestAction->setObjectName(QStringLiteral("buildWiringTestAction"));
    m_buildWiringTestAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_flashAction->setObjectName(QStringLiteral("flashAction"));
    m_flashAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    for (QAction* action : {m_buildFirmwareAction, m_buildWiringTestAction, m_flashAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
    }
    connect(m_buildFirmwareAction, &QAction::triggered, this, &FirmwareFiles::buildFirmware);
    connect(m_buildWiringTestAction, &QAction::triggered, this, &FirmwareFiles::buildWiringTest);
    connect(m_flashAction, &QAction::triggered, this, &FirmwareFiles::flashToBoard);

    auto* brightnessGroup = new QActionGroup(this);
    for (std::uint8_t level = 1; level <= kFullBrightness; ++level) {
        QAction* action = brightnessGroup->addAction(
            level == kFullBrightness ? tr("&%1 (full)").arg(level) : tr("&%1").arg(level));
        action->setObjectName(QStringLiteral("brightness%1").arg(level));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, level] { setBrightness(level); });
        m_brightnessActions.append(action);
    }
    const QSettings* settings = m_recent->settings();
    const int kept = settings != nullptr ? settings->value(kBrightnessKey, kFullBrightness).toInt()
                                         : kFullBrightness;
    m_brightness =
        kept >= 1 && kept <= kFullBrightness ? static_cast<std::uint8_t>(kept) : kFullBrightness;
    m_brightnessActions.at(m_brightness - 1)->setChecked(true);
}

void FirmwareFiles::setBrightness(std::uint8_t brightness)
{
    if (brightness < 1 || brightness > kFullBrightness) {
        return;
    }
    m_brightness = brightness;
    m_brightnessActions.at(brightness - 1)->setChecked(true);
    if (QSettings* settings = m_recent->settings()) {
        settings->setValue(kBrightnessKey, brightness);
    }
}

FirmwareFiles::~FirmwareFiles() = default;

void FirmwareFiles::setDialogs(FileDialogs* dialogs)
{
    m_dialogs = dialogs != nullptr ? dialogs : m_standardDialogs.get();
}

void FirmwareFiles::setFlashPrompts(FlashPrompts* prompts)
{
    m_flasher = std::make_unique<BoardFlasher>(prompts != nullptr ? *prompts : *m_standardPrompts);
    m_standardPrompts->setFlasher(m_flasher.get());
    // One avrdude at a time.
    connect(m_flasher.get(), &BoardFlasher::finished, this,
            [this] { m_flashAction->setEnabled(true); });
}

bool FirmwareFiles::buildFirmware()
{
    const ProgramDocument program = DocumentOf(m_editor);
    // Refused before a name is asked for: nothing is written.
    const SignFile hex =
        FirmwareHexFile(program.entries, program.board, program.font(), m_brightness);
    if (!hex.isWritable()) {
        m_dialogs->warn(m_window, QString::fromStdString(hex.refusal));
        return false;
    }
    return writeFile(SaveFirmwareDialog(startPath(FirmwareName(m_programPath))),
                     [&hex](const QString&) { return hex; });
}

bool FirmwareFiles::buildWiringTest()
{
    const Board board = DocumentOf(m_editor).board;
    if (!Board::isListedWidth(board.columns())) {
        return false;
    }
    return writeFile(
        SaveWiringTestDialog(startPath(WiringTestName(board.widthText))),
        [&board](const QString& path) { return WiringTestFile(path.toStdString(), board); });
}

bool FirmwareFiles::writeFile(const FileDialogSetup& setup,
                              const std::function<SignFile(const QString& path)>& contents)
{
    const QString path = m_dialogs->chooseFile(m_window, setup);
    if (path.isEmpty()) {
        return false;
    }
    const SignFile file = contents(path);
    if (!file.isWritable()) {
        m_dialogs->warn(m_window, QString::fromStdString(file.refusal));
        return false;
    }
    if (const auto failure = WriteProgramFile(path.toStdString(), file.bytes)) {
        m_dialogs->warn(m_window,
                        tr("\"%1\" could not be written.\n%2")
                            .arg(QDir::toNativeSeparators(QString::fromStdString(failure->path)),
                                 QString::fromStdString(failure->reason)));
        return false;
    }
    m_recent->noteFile(path);
    emit noted(WrittenNote(tr("Built"), path));
    return true;
}

QString FirmwareFiles::startPath(const QString& name) const
{
    const QString& folder = m_recent->folder();
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

bool FirmwareFiles::flashToBoard()
{
    const ProgramDocument program = DocumentOf(m_editor);
    const auto messages =
        Fitting(BuildFirmware(program.entries, program.board, program.font(), m_brightness),
                *m_dialogs, m_window);
    if (!messages) {
        return false;
    }
    std::vector<FlashImage> images{{tr("The messages"), *messages}};
    if (Board::isListedWidth(program.board.columns())) {
        if (const auto wiring = Fitting(WiringTestFirmware(program.board), *m_dialogs, m_window)) {
            images.push_back({tr("The wiring test for width %1")
                                  .arg(QString::fromStdString(program.board.widthText)),
                              *wiring});
        }
    }
    if (!m_flasher->flash(images)) {
        return false;
    }
    m_flashAction->setEnabled(false);
    return true;
}

} // namespace corvane
