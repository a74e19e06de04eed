#pragma once

#include "editor/model/flash/Avrdude.h"

#include <QString>
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

    // The programmer, port and baud rate to use, starting from `last`;
    // nothing when the user cancels.
    virtual std::optional<ProgrammerChoice>
    chooseProgrammer(const std::vector<Programmer>& programmers, const ProgrammerChoice& last) = 0;
    // Shows (the first time) or updates the progress while avrdude runs. Its
    // Cancel calls BoardFlasher::cancel().
    virtual void showProgress(int percent, const QString& stage) = 0;
    virtual void closeProgress() = 0;
    virtual void tell(Outcome outcome, const QString& text) = 0;
};

} // namespace corvane
