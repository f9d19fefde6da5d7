#pragma once
// Whole files as raw bytes, for tests that check exactly what was written.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace morvane::test {

inline std::string ReadFileBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileBytes(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

} // namespace morvane::test
