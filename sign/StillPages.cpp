#include "sign/StillPages.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr int kColumnsPerCharacter = 6; // five glyph columns and a gap

} // namespace

int CharactersPerPage(int boardColumns)
{
    return std::max(1, (boardColumns + 1) / kColumnsPerCharacter);
}

std::vector<StillPage> StillPagesOf(std::string_view text, int boardColumns)
{
    const auto fit = static_cast<std::size_t>(CharactersPerPage(boardColumns));
    std::vector<StillPage> pages;
    std::size_t first = 0;
    while (first < text.size() || pages.empty()) {
        const std::size_t left = text.size() - first;
        if (left <= fit) {
            pages.push_back({first, left, false});
            break;
        }
        // The last space at which a page of whole words ends; one right after
        // a full page ends it too.
        const std::size_t space = text.substr(first, fit + 1).rfind(' ');
        if (space != std::string_view::npos && space > 0) {
            pages.push_back({first, space, true});
            first += space + 1;
        } else {
            pages.push_back({first, fit, false});
            first += fit;
        }
    }
    return pages;
}

} // namespace corvane
