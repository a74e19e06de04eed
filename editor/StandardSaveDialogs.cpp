#include "editor/StandardSaveDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

QString StandardSaveDialogs::askProgramPath(QWidget* parent)
{
    // No default suffix and no overwrite question: the name is used as given.
    return QFileDialog::getSaveFileName(parent, QString::fromLatin1(kTitle), QString(),
                                        QString::fromLatin1(kFilter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void StandardSaveDialogs::reportWriteFailure(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, QString::fromLatin1(kTitle), message);
}

} // namespace corvane
