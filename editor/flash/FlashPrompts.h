#pragma once

#include "editor/model/flash/Avrdude.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>
#include <vector>

namespace corvane {

// What flashing asks and tells the user; the standard one uses dialogs, the
// tests a fake.
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
    // port and baud rate to use, starting from `last`; nothing when the user
    // cancels.
    virtual std::optional<Request> chooseProgrammer(const std::vector<Programmer>& programmers,
                                                    const ProgrammerChoice& last,
                                                    const QStringList& images) = 0;
    // Shows (the first time) or updates the progress while avrdude runs. Its
    // Cancel calls BoardFlasher::cancel().
    virtual void showProgress(int percent, const QString& stage) = 0;
    virtual void closeProgress() = 0;
    virtual void tell(Outcome outcome, const QString& text) = 0;
};

} // namespace corvane
