#include "editor/dialogs/NameOnlyIconProvider.h"

#include <QApplication>
#include <QStyle>

namespace corvane {

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const
{
    // Folders, drives and special files: Qt decides those without reading them.
    if (!info.isFile()) {
        return QFileIconProvider::icon(info);
    }
    const QMimeType mimeType = mimeTypeByName(info);
    for (const QString& name : {mimeType.iconName(), mimeType.genericIconName()}) {
        if (QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name);
        }
    }
    if (info.isSymLink()) {
        return QApplication::style()->standardIcon(QStyle::SP_FileLinkIcon);
    }
    return QFileIconProvider::icon(File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const
{
    if (!info.isFile()) {
        return QFileIconProvider::type(info);
    }
    const QMimeType mimeType = mimeTypeByName(info);
    return mimeType.comment().isEmpty() ? mimeType.name() : mimeType.comment();
}

QMimeType NameOnlyIconProvider::mimeTypeByName(const QFileInfo& info) const
{
    return m_mimeTypes.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}

} // namespace corvane
