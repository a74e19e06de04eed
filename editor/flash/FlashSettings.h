#pragma once

#include "editor/model/flash/Avrdude.h"

#include <QString>

namespace corvane {

// The flash settings remembered between runs, in the application's own
// settings file. What is read is checked like the dialog's fields, and
// reading never blocks: a settings path that is not a regular file (a named
// pipe, a folder) is neither read nor written.
class FlashSettings final
{
public:
    // The last choice: a bad field gives the programmer's default, a bad
    // programmer USBasp's. A programmer avrdude may list (not one of the
    // known ones) is kept for the dialog to confirm against avrdude's list.
    static ProgrammerChoice read();
    static void write(const ProgrammerChoice& choice);
    // ~/.config/ORGANIZATION/APPLICATION.conf
    static QString filePath();
};

} // namespace corvane
