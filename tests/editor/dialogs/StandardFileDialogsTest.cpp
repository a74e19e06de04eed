#include "editor/dialogs/StandardFileDialogs.h"

#include "editor/dialogs/NameOnlyIconProvider.h"
#include "editor/dialogs/NameWithExtension.h"
#include "editor/files/FirmwareFiles.h"
#include "editor/files/ProgramFiles.h"
#include "tests/editor/FindControl.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(corvane::FileDialogSetup)

namespace corvane {

class StandardFileDialogsTest final : public QObject
{
    Q_OBJECT

private slots:
    // One file dialog for every file: the setup's title, filters and suffix,
    // and the mode its purpose asks for.
    void fileDialogFollowsItsSetup_data()
    {
        QTest::addColumn<FileDialogSetup>("setup");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("saving");
        QTest::addColumn<bool>("asksBeforeReplacing");
        const QString program = QStringLiteral("(BASCOM AVR File) (*.bas)");
        const QString all = QStringLiteral("All Files (*)");
        QTest::newRow("open a program") << ProgramFiles::OpenProgramDialog() << "Open a Program"
                                        << QStringList{program, all} << "" << false << false;
        // A bare name gets ".bas"; replacing a file asks first.
        QTest::newRow("save a program")
            << ProgramFiles::SaveProgramDialog() << "Select a Name for Program"
            << QStringList{program} << "bas" << true << true;
        const QStringList hex{QStringLiteral("Intel HEX (*.hex)"), FileDialogSetup::AllFiles()};
        QTest::newRow("save the firmware")
            << FileDialogSetup{FileDialogSetup::Purpose::Save, QStringLiteral("Save the Firmware"),
                               hex, QStringLiteral("hex"), true}
            << "Save the Firmware" << QStringList{"Intel HEX (*.hex)", all} << "hex" << true
            << true;
    }
    void fileDialogFollowsItsSetup()
    {
        QFETCH(FileDialogSetup, setup);
        QFETCH(QString, title);
        QFETCH(QStringList, filters);
        QFETCH(QString, suffix);
        QFETCH(bool, saving);
        QFETCH(bool, asksBeforeReplacing);
        StandardFileDialogs dialogs;
        QFileDialog dialog;
        dialogs.configureFileDialog(dialog, setup);
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

    // The dialog starts in the folder of the start path; Save fills in its name.
    void fileDialogStartsAtTheStartPath_data()
    {
        QTest::addColumn<bool>("saving");
        QTest::newRow("open") << false;
        QTest::newRow("save") << true;
    }
    void fileDialogStartsAtTheStartPath()
    {
        QFETCH(bool, saving);
        QTemporaryDir folder;
        const QString start = folder.filePath(QStringLiteral("shop.bas"));
        StandardFileDialogs dialogs;
        QFileDialog dialog;
        dialogs.configureFileDialog(dialog, saving ? ProgramFiles::SaveProgramDialog(start)
                                                   : ProgramFiles::OpenProgramDialog(start));
        QCOMPARE(dialog.directory().absolutePath(), QDir(folder.path()).absolutePath());
        QCOMPARE(test::FindControl<QLineEdit>(dialog, "fileNameEdit")->text(),
                 saving ? QStringLiteral("shop.bas") : QString());
    }

    // The program's real Save dialog: a bare name gets ".bas", and the name
    // of an existing file brings the dialog's own question first; No keeps
    // the dialog open, and with it the file.
    void programSaveDialogAddsBasAndAsksBeforeReplacing()
    {
        QTemporaryDir folder;
        QFile old(folder.filePath(QStringLiteral("old.bas")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QStringList names{QStringLiteral("sign"), QStringLiteral("old"), QStringLiteral("old")};
        QList<QMessageBox::StandardButton> answers{QMessageBox::No, QMessageBox::Yes};
        QStringList questions;
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && !answers.isEmpty()) {
                questions << box->text();
                box->button(answers.takeFirst())->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
                       dialog && dialog->isVisible() && !names.isEmpty() &&
                       !dialog->property("accepting").toBool()) {
                // Types the name into the box as a user does: selectFile()
                // leaves the box alone while it has the focus.
                test::FindControl<QLineEdit>(*dialog, "fileNameEdit")->setText(names.takeFirst());
                // Accepting asks its question in a loop of its own.
                dialog->setProperty("accepting", true);
                QTimer::singleShot(0, dialog, [dialog] {
                    QMetaObject::invokeMethod(dialog, "accept");
                    dialog->setProperty("accepting", false);
                });
            }
        });
        user.start();
        StandardFileDialogs dialogs;
        QWidget window;
        const FileDialogSetup setup =
            ProgramFiles::SaveProgramDialog(folder.filePath(QStringLiteral("start.bas")));

        QCOMPARE(dialogs.chooseFile(&window, setup), folder.filePath(QStringLiteral("sign.bas")));
        QVERIFY(questions.isEmpty());
        QCOMPARE(dialogs.chooseFile(&window, setup), folder.filePath(QStringLiteral("old.bas")));
        QCOMPARE(questions.size(), 2);
        QVERIFY2(questions.front().contains(QStringLiteral("old.bas already exists")),
                 qPrintable(questions.front()));
        QVERIFY(names.isEmpty());
    }

    // A name that ends in none of the dialog's extensions, in any case,
    // gets the selected filter's; one that shows every file adds none.
    void nameGetsTheSelectedFiltersExtension_data()
    {
        QTest::addColumn<FileDialogSetup>("setup");
        QTest::addColumn<int>("selected"); // the filter chosen
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("saved");
        const FileDialogSetup program = ProgramFiles::SaveProgramDialog();
        const FileDialogSetup firmware = FirmwareFiles::SaveFirmwareDialog();
        const FileDialogSetup wiring = FirmwareFiles::SaveWiringTestDialog();
        QTest::newRow("a dot in the name") << program << 0 << "/s/big.v2"
                                           << "/s/big.v2.bas";
        QTest::newRow("upper case") << program << 0 << "/s/Sign.BAS"
                                    << "/s/Sign.BAS";
        QTest::newRow("bare") << program << 0 << "/s/sign"
                              << "/s/sign.bas";
        QTest::newRow("a dot at the end") << program << 0 << "/s/sign."
                                          << "/s/sign.bas";
        QTest::newRow("another filter's") << wiring << 0 << "/s/test.bas"
                                          << "/s/test.bas";
        QTest::newRow("the chosen filter's") << wiring << 1 << "/s/test"
                                             << "/s/test.bas";
        QTest::newRow("every file shown") << firmware << 1 << "/s/sign.bin"
                                          << "/s/sign.bin";
        QTest::newRow("Intel HEX") << firmware << 0 << "/s/sign.bin"
                                   << "/s/sign.bin.hex";
    }
    void nameGetsTheSelectedFiltersExtension()
    {
        QFETCH(FileDialogSetup, setup);
        QFETCH(int, selected);
        QFETCH(QString, name);
        QFETCH(QString, saved);
        QCOMPARE(NameWithExtension(name, setup.filters, setup.filters.at(selected)), saved);
    }

    // In the real dialog the extension comes first, so the question before
    // replacing names the file that would be replaced.
    void extensionIsAddedBeforeTheReplaceQuestion()
    {
        QTemporaryDir folder;
        QFile old(folder.filePath(QStringLiteral("old.v2.bas")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QStringList questions;
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                questions << box->text();
                box->button(QMessageBox::Yes)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
                       dialog && !dialog->property("typed").toBool()) {
                dialog->setProperty("typed", true);
                auto* line = test::FindControl<QLineEdit>(*dialog, "fileNameEdit");
                line->setFocus();
                line->setText(QStringLiteral("old.v2"));
                QTimer::singleShot(0, dialog,
                                   [dialog] { QMetaObject::invokeMethod(dialog, "accept"); });
            }
        });
        user.start();
        StandardFileDialogs dialogs;
        QWidget window;
        QCOMPARE(dialogs.chooseFile(&window, ProgramFiles::SaveProgramDialog(
                                                 folder.filePath(QStringLiteral("start.bas")))),
                 folder.filePath(QStringLiteral("old.v2.bas")));
        QCOMPARE(questions.size(), 1);
        QVERIFY2(questions.front().contains(QStringLiteral("old.v2.bas already exists")),
                 qPrintable(questions.front()));
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

    // A plain sentence first; where the file departs from a program behind
    // the box's details button. A file's name is text, whatever it holds.
    void warningDetailsStayBehindTheDetailsButton()
    {
        QMessageBox box;
        StandardFileDialogs::configureWarningBox(
            box, QStringLiteral("notes.bas is not a program Corvane wrote."),
            QStringLiteral("Line 1: expected the banner"));
        QCOMPARE(box.text(), QStringLiteral("notes.bas is not a program Corvane wrote."));
        QCOMPARE(box.textFormat(), Qt::PlainText);
        QCOMPARE(box.detailedText(), QStringLiteral("Line 1: expected the banner"));
        StandardFileDialogs::configureWarningBox(box, QStringLiteral("too large"));
        QCOMPARE(box.detailedText(), QString());
    }
};

} // namespace corvane

QTEST_MAIN(corvane::StandardFileDialogsTest)
#include "StandardFileDialogsTest.moc"
