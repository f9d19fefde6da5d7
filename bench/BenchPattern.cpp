// The benchmark's patterns; see BenchPattern.h.

#include "BenchPattern.h"

#include "codepage/CodePage.h"

namespace morvane::bench {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

std::string Cp(const char* utf8)
{
    return codepage::Utf8ToWin1251(utf8);
}

// A pattern that every engine spells the same way.
BenchPattern Same(const char* pattern, std::size_t stdSlice = 0)
{
    BenchPattern p;
    p.title = pattern;
    p.morvane = p.pcre2 = p.stdRegex = p.re2 = Cp(pattern);
    p.stdSliceBytes = stdSlice;
    return p;
}

} // namespace

std::vector<BenchPattern> BenchPatterns()
{
    std::vector<BenchPattern> list;

    list.push_back(Same("href"));

    {
        BenchPattern p = Same("(?i)script");
        p.stdRegex = "script";
        p.stdIcase = true;
        list.push_back(p);
    }

    list.push_back(Same("[0-9]+"));
    list.push_back(Same("<[^>]*>"));

    {
        BenchPattern p = Same("(?s)<a .*?href=.*?>(.*?)</a", 2 * kMiB);
        // ECMAScript has no single-line mode: "[\s\S]" is its "any character".
        p.stdRegex = "<a [\\s\\S]*?href=[\\s\\S]*?>([\\s\\S]*?)</a";
        p.note = "std::regex: '.' spelled [\\s\\S] (no dot-all mode)";
        list.push_back(p);
    }

    list.push_back(Same("время|человек|сказал|работа|город"));

    {
        BenchPattern p = Same("(?i)[а-яё]+");
        p.pcre2Cp1251Case = true;
        p.pcre2Fallback = Cp("[а-яёА-ЯЁ]+");
        // Neither std::regex in the "C" locale nor RE2 (Latin-1 case folding) knows the
        // Windows-1251 letter case, so they get the case-expanded class.
        p.stdRegex = p.re2 = Cp("[а-яёА-ЯЁ]+");
        p.note = "PCRE2: Windows-1251 tables from the ru_RU.CP1251 locale (else [а-яёА-ЯЁ]+); "
                 "std::regex, RE2: spelled [а-яёА-ЯЁ]+ (no Windows-1251 case folding)";
        list.push_back(p);
    }

    list.push_back(Same("\\bthe\\b"));

    {
        BenchPattern p = Same("(\\w+)\\s\\1", 2 * kMiB);
        p.re2.clear();
        p.note = "RE2: no backreferences";
        list.push_back(p);
    }

    {
        BenchPattern p = Same("^\\s*<");
        p.title = "^\\s*< (multi-line)";
        // RE2 knows only LF as a line break; the corpus has CR LF only, so "^" agrees.
        p.re2 = "(?m)^\\s*<";
        p.note = "RE2: (?m) prefix";
        list.push_back(p);
    }

    list.push_back(Same("[\\w.+-]+@[\\w-]+\\.[\\w.-]+"));

    {
        BenchPattern p = Same("(?i)<(div|/div|p|/p|a|/a|span|/span|script|/script)[ >]");
        p.stdRegex = "<(div|/div|p|/p|a|/a|span|/span|script|/script)[ >]";
        p.stdIcase = true;
        list.push_back(p);
    }

    {
        BenchPattern p = Same("(?-s).*");
        // ECMAScript's "." already stops at CR and LF; RE2's stops at LF only.
        p.stdRegex = ".*";
        p.re2 = "[^\\r\\n]*";
        p.note = "std::regex: .*; RE2: [^\\r\\n]*. Counts differ by design: after an empty "
                 "match ExecNext steps one character, so the engine finds an empty match at both "
                 "the CR and the LF of a line break and none at the end of the subject; PCRE2's "
                 "usual loop steps over CR LF as one line break and takes the empty match at the "
                 "end; std::regex and RE2 step one character and take the end too";
        list.push_back(p);
    }

    list.push_back(Same("\\d{2,4}-\\d{2}"));
    return list;
}

} // namespace morvane::bench
