#include "editor/files/ProgramFiles.h"

#include "editor/dialogs/StandardFileDialogs.h"
#include "editor/files/RecentFiles.h"
#include "editor/files/WrittenNote.h"
#include "editor/model/FlashUse.h"
#include "editor/model/MessageEditor.h"
#include "programfile/ProgramFile.h"
#include "programfile/ProgramLoading.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <exception>
#include <optional>

namespace corvane {

namespace {

constexpr const char* kProgramFilter = "(BASCOM AVR File) (*.bas)";

} // namespace

FileDialogSetup ProgramFiles::OpenProgramDialog(const QString& startPath)
{
    return {FileDialogSetup::Purpose::Open,
            QStringLiteral("Open a Program"),
            {QString::fromLatin1(kProgramFilter), FileDialogSetup::AllFiles()},
            {},
            false,
            startPath};
}

FileDialogSetup ProgramFiles::SaveProgramDialog(const QString& startPath)
{
    // Every BASCOM program ends in ".bas": one wrong click must not replace
    // one unasked, and a bare name must show under the dialog's filter.
    return {FileDialogSetup::Purpose::Save,
            QStringLiteral("Select a Name for Program"),
            {QString::fromLatin1(kProgramFilter)},
            QStringLiteral("bas"),
            true,
            startPath};
}

ProgramFiles::ProgramFiles(MessageEditor& editor, QWidget* window, RecentFiles* recent)
    : QObject(window), m_editor(editor), m_window(window),
      m_standardDialogs(std::make_unique<StandardFileDialogs>()),
      m_dialogs(m_standardDialogs.get()),
      m_ownRecent(recent == nullptr ? std::make_unique<RecentFiles>() : nullptr),
      m_recent(recent == nullptr ? m_ownRecent.get() : recent),
      m_openAction(new QAction(tr("&Open Program\u2026"), this))
{
    m_openAction->setObjectName(QStringLiteral("openAction"));
    m_openAction->setShortcut(QKeySequence::Open);
    m_openAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_openAction, &QAction::triggered, this, &ProgramFiles::open);
}

ProgramFiles::~ProgramFiles() = default;

void ProgramFiles::setDialogs(FileDialogs* dialogs)
{
    m_dialogs = dialogs != nullptr ? dialogs : m_standardDialogs.get();
}

void ProgramFiles::fillGlyphTable()
{
    FillGlyphTable(m_glyphTable);
}

void ProgramFiles::open()
{
    if (!confirmLosingChanges(QString::fromLatin1(kOpenQuestion))) {
        return;
    }
    if (const QString path = m_dialogs->chooseFile(m_window, OpenProgramDialog(startPath()));
        !path.isEmpty()) {
        load(path);
    }
}

bool ProgramFiles::openFile(const QString& path)
{
    return confirmLosingChanges(QString::fromLatin1(kOpenQuestion)) && load(path);
}

bool ProgramFiles::openRecent(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        m_recent->forgetProgram(path);
        emit noted(tr("%1 no longer exists; removed from Recent Programs.")
                       .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return openFile(path);
}

QString ProgramFiles::startPath() const
{
    if (!m_lastPath.isEmpty()) {
        return m_lastPath;
    }
    const QString& folder = m_recent->folder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/');
}

void ProgramFiles::setLastPath(const QString& path)
{
    m_recent->noteProgram(path);
    if (m_lastPath != path) {
        m_lastPath = path;
        emit pathChanged(m_lastPath);
    }
}

bool ProgramFiles::load(const QString& path)
{
    auto loaded = LoadProgram(path, m_glyphTable);
    if (const auto* failure = std::get_if<LoadFailure>(&loaded)) {
        m_dialogs->warnWithDetails(m_window, failure->message, failure->details);
        return false;
    }
    const ProgramRead& read = std::get<ProgramRead>(loaded);
    const bool opened = m_editor.openProgram(read.document, read.asWritten);
    emit editorChanged();
    if (opened) {
        setLastPath(path);
    } else {
        m_dialogs->warn(
            m_window,
            tr("The program \"%1\" could not be opened.\nIt holds more than the window takes.")
                .arg(QDir::toNativeSeparators(path)));
    }
    return opened;
}

bool ProgramFiles::save()
{
    m_editor.userClickSave();
    emit editorChanged();
    const QString path = m_dialogs->chooseFile(m_window, SaveProgramDialog(startPath()));
    if (path.isEmpty()) {
        return false;
    }
    const ProgramDocument program = m_editor.prepareProgram();
    std::optional<WriteFailure> failure;
    try {
        failure = WriteProgram(path.toStdString(), program.entries, program.board, m_glyphTable,
                               program.font());
    } catch (const std::exception& error) {
        failure = WriteFailure{path.toStdString(), error.what()};
    }
    emit editorChanged();
    if (failure) {
        m_dialogs->warn(m_window,
                        tr("The program could not be saved as \"%1\".\n%2")
                            .arg(QDir::toNativeSeparators(QString::fromStdString(failure->path)),
                                 QString::fromStdString(failure->reason)));
        return false;
    }
    m_editor.markSaved();
    setLastPath(path);
    // The title's changed mark goes with the save.
    emit editorChanged();
    emit noted(WrittenNote(tr("Saved"), path));
    warnIfTablesExceedFlash(program);
    return true;
}

void ProgramFiles::warnIfTablesExceedFlash(const ProgramDocument& program)
{
    const FlashUse use = FlashUseOf(program.entries, program.board);
    if (use.exceedsFlash()) {
        m_dialogs->warn(m_window, QString::fromStdString(use.overflowWarning()));
    }
}

bool ProgramFiles::confirmClose()
{
    return confirmLosingChanges(QString::fromLatin1(kCloseQuestion));
}

bool ProgramFiles::confirmLosingChanges(const QString& question)
{
    if (!m_editor.isChanged()) {
        return true;
    }
    switch (m_dialogs->askSaveBeforeLosing(m_window, question)) {
    case FileDialogs::Answer::Save:
        return save();
    case FileDialogs::Answer::Discard:
        return true;
    case FileDialogs::Answer::Cancel:
        break;
    }
    return false;
}

QString ProgramFiles::DraggedProgram(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().front();
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    return path.endsWith(QStringLiteral(".bas"), Qt::CaseInsensitive) ? path : QString();
}

bool ProgramFiles::openDropped(const QMimeData* data)
{
    const QString path = DraggedProgram(data);
    if (path.isEmpty()) {
        return false;
    }
    QMetaObject::invokeMethod(
        this, [this, path] { openFile(path); }, Qt::QueuedConnection);
    return true;
}

} // namespace corvane
