#include "editor/dialogs/StandardFileDialogs.h"

#include "editor/dialogs/ExtendingFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace corvane {

void StandardFileDialogs::configureFileDialog(QFileDialog& dialog, const FileDialogSetup& setup)
{
    dialog.setWindowTitle(setup.title);
    if (setup.purpose == FileDialogSetup::Purpose::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmReplace);
    }
    dialog.setNameFilters(setup.filters);
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.startPath.isEmpty()) {
        const QFileInfo start(setup.startPath);
        dialog.setDirectory(start.absolutePath());
        if (setup.purpose == FileDialogSetup::Purpose::Save) {
            dialog.selectFile(start.fileName());
        }
    }
    dialog.setIconProvider(&m_icons);
}

QString StandardFileDialogs::chooseFile(QWidget* parent, const FileDialogSetup& setup)
{
    ExtendingFileDialog dialog(parent);
    configureFileDialog(dialog, setup);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

void StandardFileDialogs::configureWarningBox(QMessageBox& box, const QString& message,
                                              const QString& details)
{
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QString::fromLatin1(kMessageTitle));
    // The message names files and quotes programs: "<h1>" in a name stays text.
    box.setTextFormat(Qt::PlainText);
    box.setText(message);
    box.setDetailedText(details);
    box.setStandardButtons(QMessageBox::Ok);
}

void StandardFileDialogs::warn(QWidget* parent, const QString& message)
{
    warnWithDetails(parent, message, {});
}

void StandardFileDialogs::warnWithDetails(QWidget* parent, const QString& message,
                                          const QString& details)
{
    QMessageBox box(parent);
    configureWarningBox(box, message, details);
    box.exec();
}

void StandardFileDialogs::setUpSaveQuestion(QMessageBox& box, const QString& question)
{
    box.setWindowTitle(QString::fromLatin1(kMessageTitle));
    box.setIcon(QMessageBox::Question);
    box.setTextFormat(Qt::PlainText);
    box.setText(question);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
}

FileDialogs::Answer StandardFileDialogs::askSaveBeforeLosing(QWidget* parent,
                                                             const QString& question)
{
    QMessageBox box(parent);
    setUpSaveQuestion(box, question);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

} // namespace corvane
