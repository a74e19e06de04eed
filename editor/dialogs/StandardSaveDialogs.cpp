#include "editor/dialogs/StandardSaveDialogs.h"

#include "editor/dialogs/NameOnlyIconProvider.h"

#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

void StandardSaveDialogs::configureProgramDialog(QFileDialog& dialog)
{
    dialog.setWindowTitle(QString::fromLatin1(kTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromLatin1(kFilter));
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setIconProvider(&m_icons);
}

QString StandardSaveDialogs::askProgramPath(QWidget* parent)
{
    QFileDialog dialog(parent);
    configureProgramDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

void StandardSaveDialogs::configureWarningBox(QMessageBox& box, const QString& message)
{
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QString::fromLatin1(kMessageTitle));
    box.setText(message);
    box.setStandardButtons(QMessageBox::Ok);
}

void StandardSaveDialogs::showWarning(QWidget* parent, const QString& message)
{
    QMessageBox box(parent);
    configureWarningBox(box, message);
    box.exec();
}

void StandardSaveDialogs::reportWriteFailure(QWidget* parent, const QString& message)
{
    showWarning(parent, message);
}

void StandardSaveDialogs::warnFlashExceeded(QWidget* parent, const QString& message)
{
    showWarning(parent, message);
}

void StandardSaveDialogs::setUpSaveQuestion(QMessageBox& box, const QString& question)
{
    box.setWindowTitle(QString::fromLatin1(kMessageTitle));
    box.setIcon(QMessageBox::Question);
    box.setText(question);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
}

SaveDialogs::Answer StandardSaveDialogs::askSaveBeforeLosing(QWidget* parent,
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
