#pragma once

#include <QPixmap>
#include <QString>

namespace corvane {

// Registers the compiled-in artwork (":/corvane/..."); safe to call repeatedly.
void InitResources();

// Reads a picture of the named format ("png", "gif") without probing the
// other image plugins: with format detection on, Qt loads every installed
// image plugin for a built-in format such as PNG, a large part of start-up.
QPixmap LoadPicture(const QString& path, const char* format);

} // namespace corvane
