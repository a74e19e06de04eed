#include "editor/dialogs/StandardOpenDialogs.h"

#include "editor/dialogs/StandardSaveDialogs.h"

#include <QFileDialog>

namespace corvane {

void StandardOpenDialogs::configureOpenDialog(QFileDialog& dialog)
{
    dialog.setWindowTitle(QString::fromLatin1(kTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QString::fromLatin1(StandardSaveDialogs::kFilter), QFileDialog::tr("All Files (*)")});
    dialog.setIconProvider(&m_icons);
}

QString StandardOpenDialogs::askProgramToOpen(QWidget* parent)
{
    QFileDialog dialog(parent);
    configureOpenDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

void StandardOpenDialogs::reportOpenFailure(QWidget* parent, const QString& message)
{
    StandardSaveDialogs::showWarning(parent, message);
}

} // namespace corvane
