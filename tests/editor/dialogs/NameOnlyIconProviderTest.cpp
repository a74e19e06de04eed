#include "editor/dialogs/NameOnlyIconProvider.h"

#include "editor/dialogs/StandardFileDialogs.h"
#include "editor/files/ProgramFiles.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace corvane {

class NameOnlyIconProviderTest final : public QObject
{
    Q_OBJECT

private slots:
    // Files whose contents say "PNG image": their type and icon follow the name.
    void typeAndIconFollowTheNameNotTheContents_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("program") << "program.bas";
        QTest::newRow("no extension") << "picture";
    }
    void typeAndIconFollowTheNameNotTheContents()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"));
        file.close();
        const QMimeDatabase mimeTypes;
        const QMimeType byName = mimeTypes.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        QCOMPARE(mimeTypes.mimeTypeForFile(file.fileName()).name(), QStringLiteral("image/png"));

        const NameOnlyIconProvider provider;
        const QFileInfo info(file.fileName());
        QCOMPARE(provider.type(info), byName.comment());
        QVERIFY(!provider.icon(info).isNull());
        // Folders keep Qt's own type and icon.
        const QFileInfo folderInfo(folder.path());
        QCOMPARE(provider.type(folderInfo), QFileIconProvider().type(folderInfo));
        QVERIFY(!provider.icon(folderInfo).isNull());
    }

    // A file's type comes from its name even where the working folder holds
    // it, so that a provider reading it by a name relative to that folder
    // would find it; a folder gets the standard folder icon either way.
    void namesAloneDecideWhateverTheWorkingFolder_data()
    {
        QTest::addColumn<bool>("inWorkingFolder");
        QTest::newRow("working folder elsewhere") << false;
        QTest::newRow("working folder holds the files") << true;
    }
    void namesAloneDecideWhateverTheWorkingFolder()
    {
        QFETCH(bool, inWorkingFolder);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
        const QStringList names{QStringLiteral("program.bas"), QStringLiteral("picture")};
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"));
        }
        const QString workingFolder = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(workingFolder); });
        if (inWorkingFolder) {
            QVERIFY(QDir::setCurrent(folder.path()));
        }

        const NameOnlyIconProvider provider;
        const QMimeDatabase mimeTypes;
        for (const QString& name : names) {
            const QString byName =
                mimeTypes.mimeTypeForFile(name, QMimeDatabase::MatchExtension).comment();
            QCOMPARE(provider.type(QFileInfo(folder.filePath(name))), byName);
        }
        const QFileIconProvider qt;
        const QFileInfo sub(folder.filePath(QStringLiteral("sub")));
        QCOMPARE(provider.type(sub), qt.type(sub));
        const QImage folderIcon = provider.icon(sub).pixmap(16).toImage();
        QCOMPARE(folderIcon, qt.icon(QFileIconProvider::Folder).pixmap(16).toImage());
        QVERIFY(folderIcon != qt.icon(QFileIconProvider::File).pixmap(16).toImage());
    }

    // /proc/kmsg, read to guess its type, blocks until the kernel logs
    // something: the dialog showing /proc in detail must still answer. The test
    // has a time limit: a regression fails it rather than hanging the suite.
    void standardDialogAtProcAnswersAKeyWithinASecond()
    {
        if (::geteuid() != 0 || !QFileInfo(QStringLiteral("/proc/kmsg")).isReadable()) {
            QSKIP("/proc/kmsg cannot be read by this user, so it cannot hang the dialog.");
        }
        StandardFileDialogs dialogs;
        QFileDialog dialog;
        dialogs.configureFileDialog(dialog, ProgramFiles::SaveProgramDialog());
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY2(name != nullptr, "not the widget-based dialog");
        name->setFocus();
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model != nullptr);
        QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
        QTest::keyClicks(name, QStringLiteral("/proc/"));

        // The dialog reads the folder and works through what it found, kmsg too.
        QTRY_VERIFY(loaded.contains(QVariantList{QStringLiteral("/proc")}));
        // A key press goes through the event queue, behind the dialog's work.
        QCoreApplication::postEvent(name, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        QCoreApplication::postEvent(name, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, {}));
        QTRY_VERIFY_WITH_TIMEOUT(dialog.isHidden(), 1000);
    }
};

} // namespace corvane

QTEST_MAIN(corvane::NameOnlyIconProviderTest)
#include "NameOnlyIconProviderTest.moc"
