#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

// The extensions a name filter shows: "hex" for "Intel HEX (*.hex)", none
// for "All Files (*)".
QStringList FilterExtensions(const QString& filter);

// A name chosen in a save dialog, with the extension it lacks: one that ends
// in an extension of none of `filters` (in any case) gets the first of
// `selectedFilter`'s, so "big.v2" saves as "big.v2.bas" and "Sign.BAS" as
// typed. A filter that shows every file adds nothing.
QString NameWithExtension(const QString& name, const QStringList& filters,
                          const QString& selectedFilter);

} // namespace corvane
