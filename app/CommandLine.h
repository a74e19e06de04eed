#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;
class QTextStream;

namespace corvane {

// Corvane's options, for the window and for the work done without one, and
// Qt's own window options (-platform, -style, …), hidden, so that they are
// taken wherever they stand. A single-dash word is one option: "-width".
void AddOptions(QCommandLineParser& parser);

// Whether the arguments (the program's name first) start the window: nothing
// but Qt's options and at most one program to open. Anything else is work
// without a window or a refusal, neither of which needs a display.
bool OpensWindow(const QStringList& arguments);

// The program the window opens once it is shown; empty for none.
QString ProgramToOpen(const QStringList& arguments);

// Runs the windowless work the arguments (the program's name first) ask for
// and returns the exit status: 0 when it is done (help and version on `out`),
// 1 when the input is refused and 2 for arguments that do not go together,
// both with the reason on `errors`, the usage too for 2. A refusal writes
// nothing and keeps an existing output file.
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& errors);

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
