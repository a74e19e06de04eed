#pragma once

#include "editor/model/flash/Avrdude.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>

namespace corvane {

class ProgrammerList;

// What flashing asks and tells the user; the standard one uses dialogs, the
// command line its error output, the tests a fake.
class FlashPrompts
{
public:
    enum class Outcome
    {
        Flashed,
        Failed,
        Cancelled,
    };

    virtual ~FlashPrompts() = default;

    // What to put on the chip and with which programmer.
    struct Request
    {
        ProgrammerChoice programmer{};
        std::size_t image = 0; // index into the images offered
    };

    // The image (from `images`, the first preselected) and the programmer,
    // port, baud rate and bit clock to use, starting from `last`; nothing
    // when the user cancels. `programmers` may still be reading avrdude's
    // list: its changed() tells when it is there.
    virtual std::optional<Request> chooseProgrammer(ProgrammerList& programmers,
                                                    const ProgrammerChoice& last,
                                                    const QStringList& images) = 0;
    // The chip does not run on the factory's 1 MHz clock (`problem`): whether
    // to make `change` to its low fuse before flashing. No ends the run with
    // nothing written.
    virtual bool askToFixClock(const QString& problem, const QString& change) = 0;
    // Shows (the first time) or updates the progress while avrdude runs. Its
    // Cancel calls BoardFlasher::cancel().
    virtual void showProgress(int percent, const QString& stage) = 0;
    virtual void closeProgress() = 0;
    // `details`: avrdude's own output, for those who want it; may be empty.
    virtual void tell(Outcome outcome, const QString& text, const QString& details) = 0;
};

} // namespace corvane
