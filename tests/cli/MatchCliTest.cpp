// morvane-cli match: output lines, quoting, options and exit statuses of the pattern tester.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using morvane::test::RunCli;

namespace {

struct MatchCliCase {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
};

class MatchCli : public ::testing::TestWithParam<MatchCliCase> {};

TEST_P(MatchCli, PrintsExactly)
{
    const MatchCliCase& c = GetParam();
    std::vector<std::string> args { "match" };
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunCli(args, c.input);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, c.status) << r.err;
}

const MatchCliCase kCases[] = {
    { { "b" }, "abcb", 0, "match 2 1 \"b\"\nmatch 4 1 \"b\"\nmatches 2\n" },
    { { "z" }, "abc", 1, "matches 0\n" },
    { { "x*" }, "axb", 0, "match 2 1 \"x\"\nmatches 1\n" },
    { { "(a)|(b)" }, "b", 0, "match 1 1 \"b\"\ngroup 2 1 1 \"b\"\nmatches 1\n" },
    { { "(a*)b" }, "b", 0, "match 1 1 \"b\"\ngroup 1 1 0 \"\"\nmatches 1\n" },
    { { "--once", "b" }, "abcb", 0, "match 2 1 \"b\"\nmatches 1\n" },
    { { "--from", "3", "b" }, "abcb", 0, "match 4 1 \"b\"\nmatches 1\n" },
    { { "--from", "6", "b" }, "abcb", 1, "matches 0\n" },
    { { "--from", "0", "b" }, "abcb", 2, "error 1006 0 \"Offset Must Be Greater Then 0\"\n" },
    { { "--modifiers", "i", "AB" }, "xab", 0, "match 2 2 \"ab\"\nmatches 1\n" },
    { { "--modifiers", "q", "a" }, "a", 2, "error 1013 0 \"Unknown error\"\n" },
    { { "--modifiers", "-s", "a.b" }, "a\nb axb", 0, "match 5 3 \"axb\"\nmatches 1\n" },
    { { "--substitute", "<$1>", "(b)" }, "abc", 0, "match 2 1 \"b\"\ngroup 1 2 1 \"b\"\nsubstitute \"<b>\"\nmatches 1\n" },
    { { "(b)", "--substitute", "$0\\t" }, "b", 0, "match 1 1 \"b\"\ngroup 1 1 1 \"b\"\nsubstitute \"b\\t\"\nmatches 1\n" },
    // Quoting of the printed texts.
    { { "." }, std::string("\"\\\t\r\n\x01\xE6~", 8), 0,
      "match 1 1 \"\\\"\"\nmatch 2 1 \"\\\\\"\nmatch 3 1 \"\\t\"\nmatch 4 1 \"\\r\"\nmatch 5 1 \"\\n\"\n"
      "match 6 1 \"\\x01\"\nmatch 7 1 \"\\xe6\"\nmatch 8 1 \"~\"\nmatches 8\n" },
    // Compile errors carry the offset and the message with its position.
    { { "(" }, "", 2, "error 103 1 \"ParseReg Unmatched () (pos 1)\"\n" },
    { { "[abc" }, "", 2, "error 113 4 \"Unmatched [] (pos 4)\"\n" },
    // The subject ends at its first NUL; the pattern is taken as raw bytes.
    { { "c" }, std::string("ab\0c", 4), 1, "matches 0\n" },
    { { "\xE6+" }, "a\xE6\xE6", 0, "match 2 2 \"\\xe6\\xe6\"\nmatches 1\n" },
    // "--" ends the options, so that a pattern may begin with "--".
    { { "--", "--x" }, "a--x", 0, "match 2 3 \"--x\"\nmatches 1\n" },
    { { "a??" }, "aa", 0, "match 1 0 \"\"\nmatch 2 0 \"\"\nmatches 2\n" },
};
INSTANTIATE_TEST_SUITE_P(Cases, MatchCli, ::testing::ValuesIn(kCases));

TEST(MatchCliUsage, BadArgumentsExitWithTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>> {
             { "match" }, { "match", "--from" }, { "match", "--from", "x", "a" }, { "match", "--bogus", "a" },
             { "match", "a", "f1", "f2" } }) {
        const auto r = RunCli(args, "");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
}

TEST(MatchCliUsage, ReadsTheSubjectFromAFileOrStandardInput)
{
    const auto path = std::filesystem::temp_directory_path() / ("morvane-match-cli-subject-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream file(path, std::ios::binary);
        file << "one two\r\nthree";
    }
    const auto fromFile = RunCli({ "match", "^\\w+", path.string() }, "ignored");
    EXPECT_EQ(fromFile.out, "match 1 3 \"one\"\nmatch 10 5 \"three\"\nmatches 2\n");
    EXPECT_EQ(fromFile.status, 0);
    const auto fromDash = RunCli({ "match", "two", "-" }, "one two");
    EXPECT_EQ(fromDash.out, "match 5 3 \"two\"\nmatches 1\n");
    std::filesystem::remove(path);
    const auto missing = RunCli({ "match", "a", path.string() }, "");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
}

TEST(MatchCliUsage, ErrorAfterMatchesKeepsThePrintedMatches)
{
    // The loop stops at an engine error; matches printed before it stay.
    const auto r = RunCli({ "match", "--substitute", "$1", "(a+)+b" }, "ab " + std::string(30, 'a') + "cb");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "match 1 2 \"ab\"\ngroup 1 1 1 \"a\"\nsubstitute \"a\"\nerror 1016 0 \"Backtracking Limit Exceeded\"\n");
}

} // namespace
