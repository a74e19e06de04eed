#include "editor/StandardSaveDialogs.h"

#include "editor/NameOnlyIconProvider.h"

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

void StandardSaveDialogs::reportWriteFailure(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, QString::fromLatin1(kTitle), message);
}

void StandardSaveDialogs::setUpSaveQuestion(QMessageBox& box, const QString& question)
{
    box.setWindowTitle(QStringLiteral("Corvane"));
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
