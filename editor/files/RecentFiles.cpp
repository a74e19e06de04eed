#include "editor/files/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace corvane {

namespace {

const QString kFolderKey = QStringLiteral("files/lastFolder");
const QString kProgramsKey = QStringLiteral("files/recentPrograms");

QString Absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

RecentFiles::RecentFiles(QSettings* store, QObject* parent) : QObject(parent), m_store(store)
{
    if (m_store == nullptr) {
        return;
    }
    m_folder = m_store->value(kFolderKey).toString();
    // A hand-edited store may hold anything; only absolute paths are kept.
    for (const QString& path : m_store->value(kProgramsKey).toStringList()) {
        if (QFileInfo(path).isAbsolute() && !m_programs.contains(path) &&
            m_programs.size() < kMaxPrograms) {
            m_programs << path;
        }
    }
}

void RecentFiles::noteFile(const QString& path)
{
    m_folder = QFileInfo(Absolute(path)).path();
    store();
}

void RecentFiles::noteProgram(const QString& path)
{
    const QString program = Absolute(path);
    m_programs.removeAll(program);
    m_programs.prepend(program);
    if (m_programs.size() > kMaxPrograms) {
        m_programs.resize(kMaxPrograms);
    }
    noteFile(program);
    emit programsChanged();
}

void RecentFiles::forgetProgram(const QString& path)
{
    if (m_programs.removeAll(Absolute(path)) > 0) {
        store();
        emit programsChanged();
    }
}

void RecentFiles::store()
{
    if (m_store == nullptr) {
        return;
    }
    m_store->setValue(kFolderKey, m_folder);
    m_store->setValue(kProgramsKey, m_programs);
    m_store->sync();
}

} // namespace corvane
