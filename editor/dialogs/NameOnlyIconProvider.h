#pragma once

#include <QFileIconProvider>
#include <QMimeDatabase>

namespace corvane {

// Icons and type names for the file dialogs, chosen from a file's name and
// kind alone. Qt's own provider reads a file whose name does not settle its
// type, and a read of a file such as /proc/kmsg never returns, which freezes
// the dialog for good.
class NameOnlyIconProvider final : public QFileIconProvider
{
public:
    NameOnlyIconProvider() = default;
    ~NameOnlyIconProvider() override = default;

    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    QMimeType mimeTypeByName(const QFileInfo& info) const;

    QMimeDatabase m_mimeTypes;
};

} // namespace corvane
