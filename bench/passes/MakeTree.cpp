// Writes the deterministic tree that scripts/bench-passes.sh measures the passes on: the engine
// benchmark's corpus (Windows-1251 and English prose, HTML, numbers, CR LF lines) cut at line
// ends into files of 2 to 120 KB, spread over two levels of directories. The same arguments give
// the same bytes on every machine. With --single, one file of the whole size instead.
//
// usage: morvane-make-tree [--mib N] DIR          (default 100 MiB)
//        morvane-make-tree [--mib N] --single FILE

#include "CorpusGenerator.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMiB = 1024 * 1024;

bool WriteFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// A small generator of our own for the file sizes, so they do not depend on the library.
std::uint64_t Next(std::uint64_t& state)
{
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t mib = 100;
    bool single = false;
    const char* target = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mib") == 0 && i + 1 < argc)
            mib = std::stoul(argv[++i]);
        else if (std::strcmp(argv[i], "--single") == 0)
            single = true;
        else
            target = argv[i];
    }
    if (!target || mib == 0) {
        std::fprintf(stderr, "usage: morvane-make-tree [--mib N] [--single] TARGET\n");
        return 2;
    }
    const std::string corpus = morvane::bench::CorpusGenerator().Generate(mib * kMiB);
    if (single) {
        if (!WriteFile(target, corpus))
            return 1;
        std::printf("1 file, %zu bytes\n", corpus.size());
        return 0;
    }

    const fs::path root(target);
    std::error_code ec;
    fs::create_directories(root, ec);
    std::uint64_t state = 0x7472656531ULL;
    std::size_t offset = 0, files = 0;
    while (offset < corpus.size()) {
        // Small files are the more common: the square of a uniform draw, 2 to 120 KB.
        const double u = static_cast<double>(Next(state) % 1000000) / 1e6;
        const std::size_t want = 2048 + static_cast<std::size_t>(u * u * (120 * 1024 - 2048));
        std::size_t end = offset + want;
        if (end >= corpus.size()) {
            end = corpus.size();
        } else {
            const std::size_t lineEnd = corpus.find("\r\n", end);
            end = lineEnd == std::string::npos ? corpus.size() : lineEnd + 2;
        }
        char dir[32], name[32];
        std::snprintf(dir, sizeof dir, "d%02zu/e%02zu", files % 10, (files / 10) % 12);
        std::snprintf(name, sizeof name, "f%05zu.%s", files, files % 3 == 0 ? "txt" : "htm");
        const fs::path folder = root / dir;
        fs::create_directories(folder, ec);
        if (!WriteFile(folder / name, std::string_view(corpus).substr(offset, end - offset)))
            return 1;
        offset = end;
        ++files;
    }
    std::printf("%zu files, %zu bytes\n", files, corpus.size());
    return 0;
}
