#pragma once

#include <QString>

class QCommandLineParser;
class QTextStream;

namespace corvane {

// Corvane's options, for the window and for the work done without one.
void AddOptions(QCommandLineParser& parser);

// Whether the arguments ask for work without a window (--firmware, --flash,
// --wiring-test, --width, --help, --version), which then needs no display.
bool RunsWithoutWindow(int argc, char** argv);

// Runs the windowless work the parsed arguments ask for; returns the exit
// status: 0 on success, 1 with the reason on `errors`.
int RunCommandLine(const QCommandLineParser& parser, QTextStream& errors);

// --firmware: the firmware of the program at `programPath`, written to
// `hexPath` as Intel HEX. Nothing is written when the program cannot be read
// or its firmware does not fit the chip.
int BuildFirmwareFile(const QString& hexPath, const QString& programPath, QTextStream& errors);

// --wiring-test with --width: the wiring test for a board `width` columns
// wide, written to `outPath` as firmware (Intel HEX) when it ends in .hex or
// as a BASCOM-AVR program when it ends in .bas. Nothing is written for a
// width the width list does not offer or another ending.
int BuildWiringTestFile(const QString& outPath, const QString& width, QTextStream& errors);

} // namespace corvane
