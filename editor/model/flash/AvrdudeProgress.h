#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Follows what avrdude writes to its error output while it flashes: its
// progress bars ("Writing | ####… | 100% 0.52s", one "#" per 2 %) and its
// own words on failure.
class AvrdudeProgress final
{
public:
    enum class Stage
    {
        Starting,  // connecting and reading the device signature
        Writing,   // writing the flash
        Verifying, // reading the flash back
    };

    // The output as it arrives, in pieces of any size.
    void feed(std::string_view output);

    Stage stage() const { return m_stage; }
    // Progress of the whole run, 0 to 100: writing the first half, verifying the second.
    int percent() const;
    // "Writing the flash…", for the progress dialog.
    std::string stageText() const;

    // avrdude's own error lines ("avrdude error: cannot find USB device…"),
    // or its last lines when it named none.
    std::string failureText() const;
    const std::string& transcript() const { return m_transcript; }

private:
    void startBar(std::string_view label);

    std::string m_transcript;
    std::size_t m_scanned = 0; // transcript bytes already looked at
    Stage m_stage = Stage::Starting;
    bool m_inBar = false;
    int m_marks = 0; // "#" of the current bar
};

} // namespace corvane
