// Replace everywhere over one file's text: in place, multipass (each rule on the text the
// earlier rules produced; the unchanged source in the output modes), the collecting file,
// split files, counters, abort and failed output writes.

#include "search/ReplaceStreamed.h"
#include "PassFixture.h"
#include "TempTree.h"
#include "codepage/CodePage.h"
#include "regex/TRegex.h"
#include "rules/RuleCompiler.h"
#include "search/MultipassRules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace morvane::search;
using morvane::rules::Rule;
using morvane::test::TempTree;

namespace {

std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct StreamFixture : morvane::test::PassFixture {
    morvane::regex::TRegex engine;
    morvane::rules::RuleCompiler compiler { engine };
    ReplaceCounters counters;
    OutputSplitSettings split;
    OutputCollectingFile collecting;
    int fileCount = 1;

    OutputTarget inPlace() const { return {}; }
    OutputTarget oneFile() { return { OutputMode::OneFile, &collecting, nullptr, 0 }; }
    OutputTarget fileSplit(int codePage = 0) { return { OutputMode::FileSplit, nullptr, &split, codePage }; }

    // One file of a run: the first match found as the run finds it, then the streamed copy.
    ReplaceFileResult replaceFile(MultipassRules& rules, const std::string& text, const OutputTarget& target,
        const std::filesystem::path& file = "/w/page.htm", NewTextSink* sink = nullptr)
    {
        ++counters.FilesProcessed;
        counters.MatchesInFile = 0;
        counters.ReplacementsInFile = 0;
        engine.SetInputString(text);
        if (!rules.findFirst(compiler))
            return {};
        ++counters.FilesFound;
        ++counters.MatchesInFile;
        ++counters.MatchesTotal;
        ReplaceStreamed streamed(control, compiler, rules, counters, target, fileCount);
        std::string work = text;
        return streamed.ReplaceEverywhereStreamed(work, file, sink);
    }
};

// Keeps the pieces of a streamed new text, or refuses to take any.
struct PieceSink : NewTextSink {
    bool accept = true;
    int opened = 0;
    std::vector<std::string> pieces;
    bool open() override
    {
        ++opened;
        return accept;
    }
    void write(std::string& piece) override { pieces.push_back(piece); }
};

MultipassRules Single(const std::string& find, const std::string& replace, const std::string& remark)
{
    return MultipassRules(Rule { find, replace, remark });
}

MultipassRules Table(std::vector<Rule> rows)
{
    return MultipassRules(rows.empty() ? Rule {} : rows.front(), std::move(rows));
}

} // namespace

TEST(ReplaceStreamed, InPlaceEveryMatchByTheRulesMode)
{
    const struct {
        std::string find, replace, remark, text, expected;
        int matches;
    } cases[] = {
        { "X", "--", "${Q}", "aXbXc", "a--b--c", 2 },
        // Empty matches: each is replaced once and the run ends.
        { "a??", "-", "${Q}", "aa", "-a-a", 2 },
        { "(\\w)(\\d)", "$2$1", "${S}", "a1 b2", "1a 2b", 2 },
        { "b+", "\\U$&!", "${E}", "abba\r\nb", "aBB!a\r\nB!", 2 },
        // Simple mode inserts escapes as written.
        { "b", "\\n", "${Q}", "ab", "a\\n", 1 },
        // A match at the very start and the very end; the text between is copied as it is.
        { "^.|.$", "#", "(?-m)${Q}", "hello", "#ell#", 2 },
        // Replacements that leave the text as it was still count: the file is rewritten.
        { "b", "b", "${Q}", "abc", "abc", 1 },
    };
    for (const auto& c : cases) {
        StreamFixture f;
        auto rules = Single(c.find, c.replace, c.remark);
        rules.startRun(f.compiler);
        const auto result = f.replaceFile(rules, c.text, f.inPlace());
        EXPECT_TRUE(result.ran);
        EXPECT_FALSE(result.error);
        EXPECT_EQ(result.newText, c.expected) << c.find;
        EXPECT_EQ(f.counters.MatchesInFile, c.matches) << c.find;
        EXPECT_EQ(f.counters.ReplacementsInFile, c.matches) << c.find;
        EXPECT_EQ(f.counters.ReplacementsTotal, c.matches) << c.find;
        EXPECT_EQ(f.counters.FilesChanged, 1) << c.find;
    }
}

TEST(ReplaceStreamed, MultipassInPlaceEachRuleSeesTheEarlierRulesText)
{
    StreamFixture f;
    auto rules
        = Table({ { "a", "b", "${Q}" }, { "", "ignored", "" }, { "b", "c", "${Q}" }, { "z", "y", "${Q}" } });
    std::vector<int> madeCurrent;
    rules.setRowMadeCurrent([&](int row) { madeCurrent.push_back(row); });
    rules.startRun(f.compiler);
    const auto result = f.replaceFile(rules, "ab", f.inPlace());
    EXPECT_EQ(result.newText, "cc");
    EXPECT_EQ(f.counters.MatchesInFile, 3);
    EXPECT_EQ(f.counters.ReplacementsInFile, 3);
    EXPECT_EQ(f.counters.FilesChanged, 1);
    EXPECT_EQ(madeCurrent, (std::vector<int> { 0, 1, 2, 3 }));

    // The next file starts again at the first row.
    madeCurrent.clear();
    const auto second = f.replaceFile(rules, "xbx", f.inPlace());
    EXPECT_EQ(second.newText, "xcx");
    EXPECT_EQ(madeCurrent, (std::vector<int> { 0, 1, 2, 3 }));
    EXPECT_EQ(f.counters.FilesChanged, 2);
    EXPECT_EQ(f.counters.ReplacementsTotal, 4);
}

// A sink gets, piece by piece, exactly the new text that is otherwise kept whole; the counts do
// not change; a sink that refuses leaves the text whole.
TEST(ReplaceStreamed, ASinkGetsTheSameNewTextInPieces)
{
    std::string large;
    while (large.size() < 2 * ReplaceStreamed::kPieceSize)
        large += "abc\r\n" + std::string(90, '.') + std::to_string(large.size());
    const struct {
        std::vector<Rule> rows;
        std::string text;
    } cases[] = {
        { { { "a", "xyz", "${Q}" } }, large }, // grows
        { { { "b\r?", "", "${Q}" } }, large }, // shrinks
        { { { "a", "b", "${Q}" }, { "bb", "c", "${Q}" } }, large }, // only the last rule streams
        { { { "a", "b", "${Q}" }, { "zzz", "y", "${Q}" } }, large }, // the last rule finds nothing
        { { { "c", "C", "${Q}" } }, "abc" }, // one piece
    };
    for (const auto& c : cases) {
        StreamFixture whole;
        auto rules = Table(c.rows);
        rules.startRun(whole.compiler);
        const auto expected = whole.replaceFile(rules, c.text, whole.inPlace());
        ASSERT_FALSE(expected.streamed);

        StreamFixture streamed;
        PieceSink sink;
        rules.startRun(streamed.compiler);
        const auto result = streamed.replaceFile(rules, c.text, streamed.inPlace(), "/w/page.htm", &sink);
        EXPECT_TRUE(result.streamed) << c.rows[0].Find;
        EXPECT_EQ(result.newText, "");
        EXPECT_EQ(sink.opened, 1);
        std::string joined;
        for (const std::string& piece : sink.pieces) {
            EXPECT_LE(piece.size(), ReplaceStreamed::kPieceSize + 128) << c.rows[0].Find;
            joined += piece;
        }
        EXPECT_TRUE(joined == expected.newText) << c.rows[0].Find;
        EXPECT_EQ(streamed.counters.ReplacementsInFile, whole.counters.ReplacementsInFile);
        EXPECT_EQ(streamed.counters.MatchesInFile, whole.counters.MatchesInFile);
        EXPECT_EQ(streamed.counters.FilesChanged, 1);

        StreamFixture refused;
        PieceSink refusing;
        refusing.accept = false;
        rules.startRun(refused.compiler);
        const auto kept = refused.replaceFile(rules, c.text, refused.inPlace(), "/w/page.htm", &refusing);
        EXPECT_FALSE(kept.streamed);
        EXPECT_EQ(refusing.opened, 1);
        EXPECT_TRUE(refusing.pieces.empty());
        EXPECT_TRUE(kept.newText == expected.newText) << c.rows[0].Find;
    }
}

TEST(ReplaceStreamed, MultipassToTheCollectingFileSeesTheUnchangedSource)
{
    TempTree tree;
    StreamFixture f;
    ASSERT_FALSE(f.collecting.open(tree / "collect.txt", false));
    auto rules = Table({ { "a", "b", "${Q}" }, { "b", "c", "${Q}" } });
    rules.startRun(f.compiler);
    const auto result = f.replaceFile(rules, "ab", f.oneFile());
    EXPECT_TRUE(result.ran);
    EXPECT_TRUE(result.newText.empty()) << "the source is not rewritten";
    EXPECT_EQ(Read(tree / "collect.txt"), "bc");
    EXPECT_EQ(f.counters.MatchesInFile, 2);
    EXPECT_EQ(f.counters.FilesChanged, 1);

    // A second file appends directly; the saved-files count stays 1.
    f.replaceFile(rules, "aa", f.oneFile());
    EXPECT_EQ(Read(tree / "collect.txt"), "bcbb");
    EXPECT_EQ(f.counters.FilesChanged, 1);
}

TEST(ReplaceStreamed, FileSplitNamesAndCodePage)
{
    TempTree tree;
    StreamFixture f;
    f.split.digits = 3;
    auto rules = Single("<([^>]+)>", "$1", "${S}");
    rules.startRun(f.compiler);
    const auto page = tree / "page.htm";
    const auto text = morvane::codepage::Utf8ToWin1251("<один> <два> <три>");
    const auto result = f.replaceFile(rules, text, f.fileSplit(morvane::codepage::kKoi8r), page);
    ASSERT_FALSE(result.error);
    EXPECT_TRUE(result.newText.empty());
    ASSERT_EQ(result.outputFiles,
        (std::vector<std::filesystem::path> {
            tree / "page_000.htm", tree / "page_001.htm", tree / "page_002.htm" }));
    EXPECT_EQ(Read(tree / "page_001.htm"),
        morvane::codepage::ConvertText(
            morvane::codepage::Utf8ToWin1251("два"), 0, morvane::codepage::kKoi8r));
    EXPECT_EQ(f.counters.FilesChanged, 0);
    EXPECT_EQ(f.counters.ReplacementsTotal, 3);

    // The next source starts again at 000.
    const auto other = f.replaceFile(rules, "<x>", f.fileSplit(), tree / "other.txt");
    EXPECT_EQ(other.outputFiles, (std::vector<std::filesystem::path> { tree / "other_000.txt" }));
    EXPECT_EQ(Read(tree / "other_000.txt"), "x");
}

TEST(ReplaceStreamed, AbortMidFileStillCopiesTheRest)
{
    StreamFixture f;
    // The user's break arrives with the second status update.
    f.pump.setOnPump([&](int call) {
        if (call == 2)
            f.control.setAbortRequested(true);
    });
    auto rules = Single("X", "--", "${Q}");
    rules.startRun(f.compiler);
    const auto result = f.replaceFile(rules, "aXbXcXd", f.inPlace());
    EXPECT_TRUE(result.ran);
    EXPECT_EQ(result.newText, "a--b--cXd");
    EXPECT_EQ(f.counters.ReplacementsInFile, 2);
    EXPECT_EQ(f.counters.MatchesInFile, 2);
    EXPECT_EQ(f.counters.FilesChanged, 1);
}

TEST(ReplaceStreamed, AbortInMultipassKeepsTheEarlierRulesWork)
{
    StreamFixture f;
    f.pump.setOnPump([&](int) { f.control.setAbortRequested(true); });
    auto rules = Table({ { "a", "b", "${Q}" }, { "b", "c", "${Q}" } });
    rules.startRun(f.compiler);
    const auto result = f.replaceFile(rules, "aab", f.inPlace());
    EXPECT_EQ(result.newText, "bab");
    EXPECT_EQ(rules.currentRow(), 0);
}

TEST(ReplaceStreamed, AbortBeforeTheFileLeavesItUntouched)
{
    TempTree tree;
    StreamFixture f;
    ASSERT_FALSE(f.collecting.open(tree / "collect.txt", false));
    auto rules = Single("X", "--", "${Q}");
    rules.startRun(f.compiler);
    f.engine.SetInputString("aXb");
    ASSERT_TRUE(rules.findFirst(f.compiler));
    f.control.setAbortRequested(true);
    for (const OutputTarget& target : { f.inPlace(), f.oneFile() }) {
        ReplaceStreamed streamed(f.control, f.compiler, rules, f.counters, target, 1);
        std::string work = "aXb";
        const auto result = streamed.ReplaceEverywhereStreamed(work, "/w/a.txt");
        EXPECT_FALSE(result.ran);
        EXPECT_TRUE(result.newText.empty());
    }
    EXPECT_EQ(f.counters.ReplacementsTotal, 0);
    EXPECT_EQ(f.counters.FilesChanged, 0);
    EXPECT_EQ(Read(tree / "collect.txt"), "");
}

TEST(ReplaceStreamed, AFailedOutputWriteStopsTheFile)
{
    TempTree tree;
    {
        StreamFixture f;
        f.split.nameFromSource = false;
        f.split.fixedName = tree / "missing" / "out.txt";
        auto rules = Single("X", "-", "${Q}");
        rules.startRun(f.compiler);
        const auto result = f.replaceFile(rules, "aXbX", f.fileSplit());
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->message.rfind("Cannot create file \"", 0), 0u) << result.error->message;
        EXPECT_TRUE(result.outputFiles.empty());
        EXPECT_EQ(f.counters.ReplacementsTotal, 0);
        EXPECT_EQ(f.counters.MatchesTotal, 1) << "no further match is looked for";
    }
    if (std::filesystem::exists("/dev/full")) {
        StreamFixture f;
        ASSERT_FALSE(f.collecting.open("/dev/full", true));
        auto rules = Single("X", std::string(70000, '-'), "${Q}");
        rules.startRun(f.compiler);
        const auto result = f.replaceFile(rules, "aXbX", f.oneFile());
        ASSERT_TRUE(result.error);
        EXPECT_EQ(f.counters.FilesChanged, 0);
        EXPECT_EQ(f.counters.ReplacementsTotal, 0);
    }
}

TEST(ReplaceStreamed, ALaterRuleKeepsModifiersItDoesNotName)
{
    StreamFixture f;
    auto table = Table({ { "A", "1", "(?i)${Q}" }, { "b", "2", "(?s)${Q}" } });
    table.startRun(f.compiler);
    const auto result = f.replaceFile(table, "aB", f.inPlace());
    // The second rule names only s and runs with the i the first one switched on.
    EXPECT_EQ(result.newText, "12");
}
