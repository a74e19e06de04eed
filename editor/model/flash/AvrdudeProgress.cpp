#include "editor/model/flash/AvrdudeProgress.h"

#include "editor/model/flash/LoweredText.h"

#include <algorithm>
#include <cctype>

namespace corvane {

namespace {

constexpr int kMarksPerBar = 50;
constexpr std::string_view kWritingLabel = "Writing | ";
constexpr std::string_view kReadingLabel = "Reading | ";
static_assert(kWritingLabel.size() == kReadingLabel.size());

std::string Shortened(std::string_view line)
{
    if (line.size() <= AvrdudeProgress::kShownLineLength) {
        return std::string(line);
    }
    return std::string(line.substr(0, AvrdudeProgress::kShownLineLength)) + "\u2026";
}

// avrdude's last lines, when it named no error.
constexpr std::size_t kFallbackLines = 3;

void KeepLast(std::deque<std::string>& lines, std::string line,
              std::size_t limit = AvrdudeProgress::kShownLines)
{
    lines.push_back(std::move(line));
    if (lines.size() > limit) {
        lines.pop_front();
    }
}

std::string Joined(const std::deque<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += text.empty() ? "" : "\n";
        text += line;
    }
    return text;
}

} // namespace

void AvrdudeProgress::feed(std::string_view output)
{
    while (!output.empty()) {
        const auto end = output.find_first_of("\r\n");
        take(output.substr(0, end));
        if (end == std::string_view::npos) {
            return;
        }
        // "\r\n" ends one line.
        if (!(output[end] == '\n' && m_afterReturn && m_lineLength == 0)) {
            endLine();
        }
        m_afterReturn = output[end] == '\r';
        output.remove_prefix(end + 1);
    }
}

void AvrdudeProgress::take(std::string_view part)
{
    if (part.empty()) {
        return;
    }
    m_afterReturn = false;
    for (std::size_t at = 0; at < part.size(); ++at) {
        // Past the kept length only a bar's marks still count.
        if (m_lineLength >= kLineLimit && !m_inBar) {
            m_lineLength += part.size() - at;
            return;
        }
        const char character = part[at];
        if (m_lineLength < kLineLimit) {
            const auto byte = static_cast<unsigned char>(character);
            m_line.push_back(byte < 0x20 || byte == 0x7F ? ' ' : character);
        }
        ++m_lineLength;
        if (!m_labelChecked) {
            if (m_lineLength == kWritingLabel.size()) {
                m_labelChecked = true;
                if (m_line == kWritingLabel || m_line == kReadingLabel) {
                    startBar(m_line);
                }
            }
        } else if (m_inBar) {
            if (character == '#') {
                m_marks = std::min(m_marks + 1, kMarksPerBar);
            } else if (character == '|') {
                m_inBar = false;
            }
        }
    }
}

void AvrdudeProgress::endLine()
{
    std::string line = std::move(m_line);
    if (m_lineLength > kLineLimit) {
        line += "\u2026 (" + std::to_string(m_lineLength - kLineLimit) + " more characters)";
    }
    m_line.clear();
    m_lineLength = 0;
    m_labelChecked = false;
    m_inBar = false;

    const std::string lowered = Lowered(line);
    if (lowered.find("device initialized") != std::string::npos ||
        lowered.find("erasing") != std::string::npos ||
        lowered.find("writing") != std::string::npos) {
        m_reachedChip = true;
    }
    const AvrdudeFailure failure = ClassifyAvrdudeLine(line);
    if (failure.kind >= m_failure.kind && failure.kind != AvrdudeFailure::Kind::None) {
        m_failure = failure;
    }
    const bool blank = line.find_first_not_of(' ') == std::string::npos;
    if (lowered.starts_with("avrdude error") || lowered.starts_with("avrdude os error") ||
        lowered.starts_with("avrdude: error") || failure.kind != AvrdudeFailure::Kind::None) {
        KeepLast(m_errorLines, Shortened(line));
    } else if (!blank && !lowered.ends_with("done.  thank you.")) {
        KeepLast(m_lastLines, Shortened(line), kFallbackLines);
    }

    m_kept += line;
    m_kept += '\n';
    // Dropped in large steps, at a line's end, so each byte moves a bounded
    // number of times.
    if (m_kept.size() > kTranscriptLimit + kTranscriptLimit / 4) {
        const auto cut = m_kept.find('\n', m_kept.size() - kTranscriptLimit);
        m_kept.erase(0, cut == std::string::npos ? m_kept.size() : cut + 1);
        m_dropped = true;
    }
}

void AvrdudeProgress::startBar(std::string_view label)
{
    if (label == kWritingLabel) {
        m_stage = Stage::Writing;
    } else if (m_stage != Stage::Starting) {
        m_stage = Stage::Verifying; // a read after the write checks it
    }
    m_reachedChip = true;
    m_inBar = true;
    m_marks = 0;
}

int AvrdudeProgress::percent() const
{
    const int ofBar = m_marks * 100 / kMarksPerBar;
    switch (m_stage) {
    case Stage::Writing:
        return ofBar / 2;
    case Stage::Verifying:
        return 50 + ofBar / 2;
    case Stage::Starting:
        break;
    }
    return 0;
}

std::string AvrdudeProgress::stageText() const
{
    switch (m_stage) {
    case Stage::Writing:
        return "Writing the flash…";
    case Stage::Verifying:
        return "Verifying the flash…";
    case Stage::Starting:
        break;
    }
    return "Connecting to the programmer…";
}

std::string AvrdudeProgress::failureText() const
{
    std::deque<std::string> errors = m_errorLines;
    std::deque<std::string> last = m_lastLines;
    // The line still being written counts too.
    if (!m_line.empty()) {
        const std::string lowered = Lowered(m_line);
        if (lowered.starts_with("avrdude error")) {
            KeepLast(errors, Shortened(m_line));
        } else {
            KeepLast(last, Shortened(m_line), kFallbackLines);
        }
    }
    return Joined(errors.empty() ? last : errors);
}

std::string AvrdudeProgress::transcript() const
{
    std::string text = m_dropped ? "[earlier output left out]\n" : "";
    text += m_kept;
    text += m_line;
    return text;
}

} // namespace corvane
