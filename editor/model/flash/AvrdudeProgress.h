#pragma once

#include "editor/model/flash/AvrdudeFailure.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace corvane {

// Follows what avrdude writes to its error output while it runs: its
// progress bars ("Writing | ####… | 100% 0.52s", one "#" per 2 %), whether
// it reached the chip, and its own words on failure. avrdude is another
// program: whatever it writes, the memory kept stays bounded (the transcript
// drops its oldest lines past kTranscriptLimit, a line is cut after
// kLineLimit characters) and each byte is looked at once.
class AvrdudeProgress final
{
public:
    enum class Stage
    {
        Starting,  // connecting and reading the device signature
        Writing,   // writing the flash
        Verifying, // reading the flash back
    };

    static constexpr std::size_t kTranscriptLimit = 256 * 1024;
    static constexpr std::size_t kLineLimit = 1000;
    // Lines shown in a message: each cut to kShownLineLength characters.
    static constexpr std::size_t kShownLines = 4;
    static constexpr std::size_t kShownLineLength = 160;

    // The output as it arrives, in pieces of any size.
    void feed(std::string_view output);

    Stage stage() const { return m_stage; }
    // Progress of the whole run, 0 to 100: writing the first half, verifying the second.
    int percent() const;
    // "Writing the flash…", for the progress dialog.
    std::string stageText() const;
    // Whether avrdude got as far as the chip (initialised it, read its
    // signature, erased or wrote it): a run that writes may have changed it.
    bool reachedChip() const { return m_reachedChip; }

    // The weightiest failure its lines named.
    const AvrdudeFailure& failure() const { return m_failure; }
    // The lines that matter, for a message: avrdude's last error lines, or
    // its last lines when it named none; at most kShownLines, each cut short.
    std::string failureText() const;
    // Everything kept, control characters blanked: the oldest lines go first
    // past kTranscriptLimit.
    std::string transcript() const;

private:
    void take(std::string_view part);
    void endLine();
    void startBar(std::string_view label);

    std::string m_kept;           // complete lines, bounded
    bool m_dropped = false;       // lines were dropped from the front
    std::string m_line;           // the current line, at most kLineLimit characters
    std::size_t m_lineLength = 0; // of the current line, cut characters included
    bool m_afterReturn = false;   // the last character was '\r'
    bool m_labelChecked = false;  // the line's start was matched against the labels
    std::deque<std::string> m_errorLines;
    std::deque<std::string> m_lastLines;
    AvrdudeFailure m_failure;
    Stage m_stage = Stage::Starting;
    bool m_inBar = false;
    bool m_reachedChip = false;
    int m_marks = 0; // "#" of the current bar
};

} // namespace corvane
