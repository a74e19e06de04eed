#include "flashimage/IntelHexImage.h"

#include <algorithm>
#include <optional>

namespace corvane {

namespace {

std::optional<int> HexDigit(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    return std::nullopt;
}

} // namespace

std::variant<std::vector<std::uint8_t>, std::string> ReadIntelHex(std::string_view text,
                                                                  std::size_t capacity)
{
    std::vector<std::uint8_t> image;
    std::size_t base = 0;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        const std::string where = "line " + std::to_string(lineNumber);
        if (line.front() != ':' || line.size() < 11 || line.size() % 2 == 0) {
            return where + " is no Intel HEX record";
        }
        std::vector<std::uint8_t> bytes;
        for (std::size_t at = 1; at < line.size(); at += 2) {
            const auto high = HexDigit(line[at]);
            const auto low = HexDigit(line[at + 1]);
            if (!high || !low) {
                return where + " is no Intel HEX record";
            }
            bytes.push_back(static_cast<std::uint8_t>(*high * 16 + *low));
        }
        std::uint8_t sum = 0;
        for (const std::uint8_t byte : bytes) {
            sum = static_cast<std::uint8_t>(sum + byte);
        }
        const std::size_t count = bytes[0];
        if (sum != 0 || bytes.size() != count + 5) {
            return where + " has a wrong length or checksum";
        }
        const std::size_t address = bytes[1] * 256u + bytes[2];
        const std::uint8_t* data = bytes.data() + 4;
        switch (bytes[3]) {
        case 0x00: {
            const std::size_t start = base + address;
            if (start + count > capacity) {
                return where + " puts data beyond the chip's " + std::to_string(capacity) +
                       " bytes of flash";
            }
            if (image.size() < start + count) {
                image.resize(start + count, 0xFF);
            }
            std::copy(data, data + count, image.begin() + static_cast<std::ptrdiff_t>(start));
            break;
        }
        case 0x01:
            return image;
        case 0x02:
        case 0x04:
            if (count != 2) {
                return where + " has a wrong address record";
            }
            base = (data[0] * 256u + data[1]) * (bytes[3] == 0x02 ? 16u : 65536u);
            break;
        case 0x03:
        case 0x05:
            break;
        default:
            return where + " has an unknown record type";
        }
    }
    return std::string("the file has no end-of-file record");
}

} // namespace corvane
