#pragma once

#include <charconv>
#include <string>
#include <string_view>

// Building the generated file's lines: 8-bit text, every line ending in CR LF.
namespace corvane::text {

inline constexpr std::string_view kLineEnd = "\r\n";

inline void AppendNumber(std::string& out, long long value)
{
    char digits[24];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, static_cast<std::size_t>(result.ptr - digits));
}

inline void AppendLine(std::string& out, std::string_view line = {})
{
    out += line;
    out += kLineEnd;
}

inline void AppendLine(std::string& out, std::string_view prefix, long long value,
                       std::string_view suffix = {})
{
    out += prefix;
    AppendNumber(out, value);
    out += suffix;
    out += kLineEnd;
}

} // namespace corvane::text
