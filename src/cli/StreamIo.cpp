#include "cli/StreamIo.h"

namespace morvane::cli {

bool ReadAll(std::FILE* in, std::string& out)
{
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        out.append(buffer, n);
    return !std::ferror(in);
}

bool ReadInput(const std::string& name, std::string& out)
{
    if (name == "-")
        return ReadAll(stdin, out);
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f)
        return false;
    const bool ok = ReadAll(f, out);
    std::fclose(f);
    return ok;
}

bool WriteAll(std::FILE* out, std::string_view bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        return false;
    return std::fflush(out) == 0;
}

} // namespace morvane::cli
