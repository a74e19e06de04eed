#include "editor/dialogs/ExtendingFileDialog.h"

#include "editor/dialogs/NameWithExtension.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace corvane {

ExtendingFileDialog::ExtendingFileDialog(QWidget* parent) : QFileDialog(parent) {}

void ExtendingFileDialog::accept()
{
    const QStringList chosen = selectedFiles();
    if (acceptMode() == AcceptSave && chosen.size() == 1 && !QFileInfo(chosen.front()).isDir()) {
        const QString named =
            NameWithExtension(chosen.front(), nameFilters(), selectedNameFilter());
        if (named != chosen.front()) {
            // The dialog reads the name from its line; selectFile would leave
            // the line alone while it has the focus.
            auto* line = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            const QFileInfo file(named);
            const bool here = file.absolutePath() == directory().absolutePath();
            if (line != nullptr) {
                line->setText(here ? file.fileName() : named);
            } else {
                selectFile(named);
            }
        }
    }
    QFileDialog::accept();
}

} // namespace corvane
