#pragma once

#include "sign/Board.h"
#include "sign/Font.h"
#include "sign/Message.h"

#include <cstddef>
#include <optional>
#include <string>

namespace corvane {

class MessageEditor;

// What the preview shows: one message with the settings being edited, on the
// board of the selected width, in the program's font.
struct PreviewInput
{
    std::size_t index = 0;
    Message entry{};
    Board board{};
    Font font{};

    friend bool operator==(const PreviewInput&, const PreviewInput&) = default;
};

// The edited entry on the selected board; nothing while either is missing.
std::optional<PreviewInput> PreviewInputOf(const MessageEditor& editor);

// The message's table label, direction and speed, as UTF-8:
// "Text03 · Left · speed 5".
std::string DescriptionOf(const PreviewInput& input);

} // namespace corvane
