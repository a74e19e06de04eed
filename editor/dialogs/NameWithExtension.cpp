#include "editor/dialogs/NameWithExtension.h"

#include <QRegularExpression>

namespace corvane {

QStringList FilterExtensions(const QString& filter)
{
    // The patterns stand in the filter's last parentheses, apart by spaces.
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) {
        return {};
    }
    static const QRegularExpression kSimple(QStringLiteral("^\\*\\.([^*?\\[\\]]+)$"));
    QStringList extensions;
    for (const QString& pattern :
         filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (const QRegularExpressionMatch match = kSimple.match(pattern); match.hasMatch()) {
            extensions << match.captured(1);
        }
    }
    return extensions;
}

QString NameWithExtension(const QString& name, const QStringList& filters,
                          const QString& selectedFilter)
{
    const QStringList added = FilterExtensions(selectedFilter);
    if (added.isEmpty()) {
        return name;
    }
    for (const QString& filter : filters) {
        for (const QString& extension : FilterExtensions(filter)) {
            if (name.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive)) {
                return name;
            }
        }
    }
    // "big." has an empty extension; it takes the filter's.
    return (name.endsWith(QLatin1Char('.')) ? name : name + QLatin1Char('.')) + added.front();
}

} // namespace corvane
