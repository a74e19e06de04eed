#include "editor/StandardSaveDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

namespace {

void ShowWarning(QWidget* parent, const QString& message)
{
    QMessageBox box(parent);
    StandardSaveDialogs::ConfigureWarningBox(box, message);
    box.exec();
}

} // namespace

void StandardSaveDialogs::ConfigureProgramDialog(QFileDialog& dialog)
{
    dialog.setWindowTitle(QString::fromLatin1(kTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromLatin1(kFilter));
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
}

QString StandardSaveDialogs::askProgramPath(QWidget* parent)
{
    QFileDialog dialog(parent);
    ConfigureProgramDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

void StandardSaveDialogs::ConfigureWarningBox(QMessageBox& box, const QString& message)
{
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QString::fromLatin1(kMessageTitle));
    box.setText(message);
    box.setStandardButtons(QMessageBox::Ok);
}

void StandardSaveDialogs::reportWriteFailure(QWidget* parent, const QString& message)
{
    ShowWarning(parent, message);
}

void StandardSaveDialogs::warnFlashExceeded(QWidget* parent, const QString& message)
{
    ShowWarning(parent, message);
}

} // namespace corvane
