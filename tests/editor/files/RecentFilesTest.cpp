#include "editor/files/RecentFiles.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace corvane {

// What the file dialogs remember, kept in a settings file of the test's own.
class RecentFilesTest final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QSettings> store() const
    {
        return std::make_unique<QSettings>(m_folder.filePath(QStringLiteral("settings.ini")),
                                           QSettings::IniFormat);
    }
    QString path(int number) const
    {
        return m_folder.filePath(QStringLiteral("sign%1.bas").arg(number));
    }

    QTemporaryDir m_folder;

private slots:
    // The last eight programs, the most recent first and each once, and the
    // folder of the last file: so they come back in the next run.
    void lastEightProgramsAndTheLastFolderLastAcrossRuns()
    {
        {
            const auto settings = store();
            RecentFiles recent(settings.get());
            QSignalSpy changes(&recent, &RecentFiles::programsChanged);
            for (int number = 1; number <= 10; ++number) {
                recent.noteProgram(path(number));
            }
            recent.noteProgram(path(7));
            recent.forgetProgram(path(9));
            recent.noteFile(m_folder.filePath(QStringLiteral("hex/sign.hex")));
            QCOMPARE(changes.size(), 12);
        }
        const auto settings = store();
        const RecentFiles next(settings.get());
        QCOMPARE(next.programs(),
                 QStringList({path(7), path(10), path(8), path(6), path(5), path(4), path(3)}));
        QCOMPARE(next.folder(), m_folder.filePath(QStringLiteral("hex")));
    }
};

} // namespace corvane

QTEST_MAIN(corvane::RecentFilesTest)
#include "RecentFilesTest.moc"
