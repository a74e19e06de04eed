#include "sign/Board.h"

#include <charconv>

namespace corvane {

int WidthColumns(std::string_view widthText)
{
    const auto start = widthText.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return 0;
    }
    unsigned value = 0;
    const auto* first = widthText.data() + start;
    const auto [end, error] = std::from_chars(first, widthText.data() + widthText.size(), value);
    return error == std::errc{} && value <= 0xFFFF ? static_cast<int>(value) : 0;
}

Board Board::ofWidth(std::string_view widthText)
{
    return Board{std::string(widthText), latchCountFor(WidthColumns(widthText)), kRowCount};
}

int Board::columns() const
{
    return WidthColumns(widthText);
}

} // namespace corvane
