#pragma once

#include <QCoreApplication>
#include <QString>

namespace corvane {

// A text of the main window's translation context: the loading's and the
// file checks' messages are shown there.
inline QString FormText(const char* text)
{
    return QCoreApplication::translate("Form1", text);
}

} // namespace corvane
