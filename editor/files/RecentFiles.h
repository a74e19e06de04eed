#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSettings;

namespace corvane {

// What the file dialogs remember across runs: the folder of the file last
// opened, saved or built, and the programs last saved or opened, the most
// recent first. Without a settings store they last for this run only.
class RecentFiles final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecentFiles)

public:
    static constexpr qsizetype kMaxPrograms = 8;

    // `store` is not owned and must outlive this object; null keeps nothing.
    explicit RecentFiles(QSettings* store = nullptr, QObject* parent = nullptr);
    ~RecentFiles() override = default;

    // Where the choices are kept; null keeps nothing.
    QSettings* settings() const { return m_store; }

    // Empty before the first file.
    const QString& folder() const { return m_folder; }
    const QStringList& programs() const { return m_programs; }

    // A file opened, saved or built at `path`: its folder is the next start.
    void noteFile(const QString& path);
    // A program saved or opened: first in the list, and its folder the next start.
    void noteProgram(const QString& path);
    // A program that is gone leaves the list.
    void forgetProgram(const QString& path);

signals:
    void programsChanged();

private:
    void store();

    QSettings* m_store = nullptr;
    QString m_folder;
    QStringList m_programs;
};

} // namespace corvane
