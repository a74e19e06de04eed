#pragma once

class QCommandLineParser;
class QTextStream;

namespace corvane {

// "corvane --flash IN.bas|IN.hex [--programmer ID] [--port PORT] [--baud N]
// [--bitclock US] [--fix-clock]": Flash to the Board without a window.

void AddFlashOptions(QCommandLineParser& parser);
// Whether any of the flash options was given.
bool FlashRequested(const QCommandLineParser& parser);
// Flashes the program's firmware (or the HEX file) with the programmer
// given; progress and outcome go to `errors`. Returns 0 once the firmware is
// on the chip, 1 otherwise (also for a chip off its factory clock without
// --fix-clock, and for Ctrl+C, which ends avrdude first).
int RunFlashCommand(const QCommandLineParser& parser, QTextStream& errors);

} // namespace corvane
