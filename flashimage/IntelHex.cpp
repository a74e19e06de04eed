#include "flashimage/IntelHex.h"

#include <algorithm>
#include <stdexcept>

namespace corvane {

namespace {

constexpr std::size_t kRecordBytes = 16;
constexpr std::size_t kMaxAddress = 0x10000;

void AppendHexByte(std::string& out, unsigned value, unsigned& checksum)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[(value >> 4) & 0xF];
    out += kDigits[value & 0xF];
    checksum += value;
}

} // namespace

std::string IntelHex(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kMaxAddress) {
        throw std::length_error("IntelHex: more than 64 KiB needs address records");
    }
    std::string out;
    out.reserve(bytes.size() / kRecordBytes * 44 + 16);
    for (std::size_t address = 0; address < bytes.size(); address += kRecordBytes) {
        const auto record = bytes.subspan(address, std::min(kRecordBytes, bytes.size() - address));
        unsigned checksum = 0;
        out += ':';
        AppendHexByte(out, static_cast<unsigned>(record.size()), checksum);
        AppendHexByte(out, static_cast<unsigned>(address >> 8), checksum);
        AppendHexByte(out, static_cast<unsigned>(address & 0xFF), checksum);
        AppendHexByte(out, 0x00, checksum); // data record
        for (const std::uint8_t byte : record) {
            AppendHexByte(out, byte, checksum);
        }
        unsigned ignored = 0;
        AppendHexByte(out, (0x100 - (checksum & 0xFF)) & 0xFF, ignored);
        out += '\n';
    }
    out += ":00000001FF\n";
    return out;
}

} // namespace corvane
