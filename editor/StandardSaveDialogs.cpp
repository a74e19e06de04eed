#include "editor/StandardSaveDialogs.h"

#include "editor/NameOnlyIconProvider.h"

#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

void StandardSaveDialogs::ConfigureProgramDialog(QFileDialog& dialog)
{
    dialog.setWindowTitle(QString::fromLatin1(kTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromLatin1(kFilter));
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setIconProvider(&NameOnlyIconProvider::Shared());
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

void StandardSaveDialogs::reportWriteFailure(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, QString::fromLatin1(kTitle), message);
}

} // namespace corvane
