#include "editor/dialogs/StandardFileDialogs.h"

#include "editor/dialogs/NameOnlyIconProvider.h"
#include "editor/files/ProgramFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(corvane::FileDialogSpec)

namespace corvane {

class StandardFileDialogsTest final : public QObject
{
    Q_OBJECT

private slots:
    // One file dialog for every file: the spec's title, filters and suffix,
    // and the mode its purpose asks for.
    void fileDialogIsSetUpAsTheSpecSays_data()
    {
        QTest::addColumn<FileDialogSpec>("spec");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("saving");
        QTest::addColumn<bool>("asksBeforeReplacing");
        const QString program = QStringLiteral("(BASCOM AVR File) (*.bas)");
        const QString all = QStringLiteral("All Files (*)");
        QTest::newRow("open a program") << ProgramFiles::OpenProgramSpec() << "Open a Program"
                                        << QStringList{program, all} << "" << false << false;
        // A name typed without ".bas" stays as typed.
        QTest::newRow("save a program")
            << ProgramFiles::SaveProgramSpec() << "Select a Name for Program"
            << QStringList{program} << "" << true << false;
        const QStringList hex{QStringLiteral("Intel HEX (*.hex)"), FileDialogSpec::AllFiles()};
        QTest::newRow("save the firmware")
            << FileDialogSpec{FileDialogSpec::Purpose::Save, QStringLiteral("Save the Firmware"),
                              hex, QStringLiteral("hex"), true}
            << "Save the Firmware" << QStringList{"Intel HEX (*.hex)", all} << "hex" << true
            << true;
    }
    void fileDialogIsSetUpAsTheSpecSays()
    {
        QFETCH(FileDialogSpec, spec);
        QFETCH(QString, title);
        QFETCH(QStringList, filters);
        QFETCH(QString, suffix);
        QFETCH(bool, saving);
        QFETCH(bool, asksBeforeReplacing);
        StandardFileDialogs dialogs;
        QFileDialog dialog;
        dialogs.configureFileDialog(dialog, spec);
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(dialog.nameFilters(), filters);
        QCOMPARE(dialog.selectedNameFilter(), filters.front());
        QCOMPARE(dialog.defaultSuffix(), suffix);
        QCOMPARE(dialog.acceptMode(), saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(dialog.fileMode(), saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        QCOMPARE(dialog.testOption(QFileDialog::DontConfirmOverwrite),
                 saving && !asksBeforeReplacing);
        QVERIFY(dynamic_cast<const NameOnlyIconProvider*>(dialog.iconProvider()) != nullptr);
    }

    void saveQuestionOffersSaveDiscardAndCancel()
    {
        QMessageBox box;
        StandardFileDialogs::setUpSaveQuestion(box,
                                               QStringLiteral("Save the messages before closing?"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Corvane"));
        QCOMPARE(box.text(), QStringLiteral("Save the messages before closing?"));
        QCOMPARE(box.standardButtons(),
                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(box.defaultButton(), box.button(QMessageBox::Save));
        QCOMPARE(box.escapeButton(),
                 static_cast<QAbstractButton*>(box.button(QMessageBox::Cancel)));
    }

    // Warnings carry the program's name as their title.
    void warningsAreTitledCorvane()
    {
        QWidget window;
        StandardFileDialogs dialogs;
        QStringList seen;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, [&seen] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() << box->text();
                box->close();
            }
        });
        answer.start();
        dialogs.warn(&window, QStringLiteral("not saved\nreason"));
        dialogs.warn(&window, QStringLiteral("too large"));
        QCOMPARE(seen, QStringList({"Corvane", "not saved\nreason", "Corvane", "too large"}));
    }
};

} // namespace corvane

QTEST_MAIN(corvane::StandardFileDialogsTest)
#include "StandardFileDialogsTest.moc"
