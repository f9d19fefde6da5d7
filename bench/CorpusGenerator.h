#pragma once
// A deterministic mixed-text corpus for the engine benchmark: Russian prose in Windows-1251,
// English prose, HTML markup, lines of numbers and dates, contact lines with e-mail addresses,
// every line ended by CR LF. The same seed and size give the same bytes on every machine (the
// random source and the draws are our own, not the standard library's distributions), so match
// counts can be compared between runs and between machines.
// Checked by the benchmark itself: it prints the corpus size and a checksum at start.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane::bench {

class CorpusGenerator {
public:
    // `seed` fixes the whole text; the result is at least `size` bytes and ends with CR LF.
    explicit CorpusGenerator(std::uint64_t seed = kDefaultSeed);

    std::string Generate(std::size_t size);

    static constexpr std::uint64_t kDefaultSeed = 0x4d6f7276616e65ULL;

private:
    std::uint64_t Next();
    // Uniform in [0, n); n > 0.
    std::size_t Below(std::size_t n);
    bool Chance(unsigned percent);
    const std::string& Pick(const std::vector<std::string>& words);

    void AppendRussianParagraph(std::string& out);
    void AppendEnglishParagraph(std::string& out);
    void AppendHtmlBlock(std::string& out);
    void AppendNumberLines(std::string& out);
    void AppendContactLines(std::string& out);

    // Words joined into sentences, wrapped into CR LF lines of at most about 80 characters.
    void AppendProse(std::string& out, const std::vector<std::string>& words, bool russian,
        std::size_t sentences, const std::string& indent);
    std::string Sentence(const std::vector<std::string>& words, bool russian);
    std::string EmailAddress();
    std::string Number(std::size_t minDigits, std::size_t maxDigits);

    std::uint64_t m_state;
    std::vector<std::string> m_russian; // Windows-1251
    std::vector<std::string> m_english;
};

} // namespace morvane::bench
