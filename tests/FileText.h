#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace corvane::test {

// The bytes of a file, or nothing when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace corvane::test
