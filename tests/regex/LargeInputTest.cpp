// Long subjects and deep repetitions: the matcher must not use the call stack in proportion to
// the subject or the repetition count, must end on pathological backtracking, and must keep every
// position inside the subject.

#include "RegexTestSupport.h"

#include <gtest/gtest.h>

namespace morvane::regex::test {
namespace {

constexpr size_t kFourMiB = size_t(4) << 20;

std::string repeated(std::string_view unit, size_t total)
{
    std::string text;
    text.reserve(total);
    while (text.size() < total)
        text.append(unit);
    text.resize(total);
    return text;
}

void expectWholeMatch(const std::string& pattern, const char* modifiers, const std::string& subject)
{
    TRegex engine;
    if (*modifiers)
        engine.SetModifierText(modifiers);
    engine.SetExpression(pattern);
    ASSERT_TRUE(engine.Exec(subject)) << pattern;
    EXPECT_EQ(engine.GroupStart(0), 1) << pattern;
    EXPECT_EQ(size_t(engine.GroupLength(0)), subject.size()) << pattern;
}

TEST(LargeInput, GroupLoopToTheEnd)
{
    expectWholeMatch("(ab)*$", "", repeated("ab", kFourMiB));
}

TEST(LargeInput, GroupOfAnyCharacter)
{
    const std::string subject = repeated("line of text\r\n", kFourMiB);
    TRegex engine;
    engine.SetExpression("(.)*");
    ASSERT_TRUE(engine.Exec(subject));
    EXPECT_EQ(size_t(engine.GroupLength(0)), subject.size());
    EXPECT_EQ(engine.GroupStart(1), int(subject.size()));
    EXPECT_EQ(engine.GroupText(1), subject.substr(subject.size() - 1));
}

TEST(LargeInput, AlternationLoopAcrossLines)
{
    expectWholeMatch("(.|\\n)*", "-s", repeated("some text\nmore\n", kFourMiB));
}

TEST(LargeInput, CountedAndLazyLoops)
{
    const std::string subject = repeated("ab", size_t(1) << 20);
    expectWholeMatch("(ab){1,}", "", subject);
    expectWholeMatch("(ab)*?$", "", subject);
    expectWholeMatch("(a|b)+", "", subject);
}

TEST(LargeInput, InLineDotUnderStar)
{
    const std::string line = repeated("x", kFourMiB);
    expectWholeMatch(".*", "-s", line);
    expectWholeMatch(".+x", "-s", line);
    TRegex engine;
    engine.SetModifierText("-s");
    engine.SetExpression(".*y");
    EXPECT_FALSE(engine.Exec(repeated("x", 20000)));
}

TEST(LargeInput, ExponentialBacktrackingEndsWithAnError)
{
    TRegex engine;
    engine.SetExpression("(a+)+b");
    try {
        // The required "b" is there, so every way of splitting the a's is tried.
        engine.Exec(std::string(30, 'a') + "cb");
        ADD_FAILURE() << "no error";
    } catch (const ERegex& error) {
        EXPECT_EQ(error.ErrorCode(), 1016);
        EXPECT_STREQ(error.what(), "Backtracking Limit Exceeded");
    }
    // The same pattern on an input it can match stays ordinary.
    EXPECT_TRUE(engine.Exec(std::string(40, 'a') + "b"));
}

TEST(LargeInput, BacktrackingBudgetCoversTheWholeSearch)
{
    // No single start position exceeds the budget here, but all of them together do.
    std::string subject;
    for (int i = 0; i < 8; ++i)
        subject += std::string(30, 'a') + "b";
    TRegex engine;
    engine.SetExpression("(a|aa)+$");
    try {
        engine.Exec(subject);
        ADD_FAILURE() << "no error";
    } catch (const ERegex& error) {
        EXPECT_EQ(error.ErrorCode(), 1016);
    }
}

// What one Exec gives: "START LENGTH", "none", or "E", the error code and its message.
std::string execOutcome(TRegex& engine, const std::string& subject)
{
    try {
        if (!engine.Exec(subject))
            return "none";
        return std::to_string(engine.GroupStart(0)) + " " + std::to_string(engine.GroupLength(0));
    } catch (const ERegex& error) {
        return "E" + std::to_string(error.ErrorCode()) + " " + error.what();
    }
}

// The abort check is polled inside one search, whatever keeps it busy: backtracking, many start
// positions, or a long forward walk through a loop. A check that answers yes on its N-th call
// stops the search right there with 1018; a check that never does leaves the result alone, and
// an empty one is never called (calling it would throw).
TEST(LargeInput, AbortCheckStopsALongSearch)
{
    struct Case {
        const char* what;
        std::string pattern;
        std::string subject;
        int stopAtCall;
        std::string uninterrupted;
    };
    const Case cases[] = {
        { "exponential backtracking", "(a|aa)*\\d", std::string(26, 'a'), 5, "none" },
        { "many start positions", "a\\d", std::string(1000000, 'a'), 3, "none" },
        { "forward walk through a loop", "(ab)*\\Z", repeated("ab", 1 << 18), 2, "1 262144" },
    };
    for (const Case& c : cases) {
        TRegex engine;
        engine.SetExpression(c.pattern);
        int calls = 0;
        engine.SetAbortCheck([&calls, &c] { return ++calls >= c.stopAtCall; });
        EXPECT_EQ(execOutcome(engine, c.subject), "E1018 Search Aborted") << c.what;
        EXPECT_EQ(calls, c.stopAtCall) << c.what;
        EXPECT_EQ(engine.LastErrorCode(), 1018) << c.what;
        EXPECT_EQ(engine.GroupStart(0), -1) << c.what;

        calls = 0;
        engine.SetAbortCheck([&calls] { return ++calls < 0; });
        EXPECT_EQ(execOutcome(engine, c.subject), c.uninterrupted) << c.what;
        EXPECT_GT(calls, 0) << c.what;
        engine.SetAbortCheck({});
        EXPECT_EQ(execOutcome(engine, c.subject), c.uninterrupted) << c.what;
    }
}

// Some single steps scan far: a repetition counts its run and then looks back for a place where
// the continuation can start. Such a search takes few steps but long scans (each of the 3,000
// attempts walks to the end), so the check must be polled by the characters scanned too.
TEST(LargeInput, AbortCheckSeesLongScansWithinFewSteps)
{
    const std::string subject(3000, 'a');
    for (const char* pattern : { "(?s).*[xy]", "(?-s).*[xy]", "(?s).*?[xy]", "(a)\\1*[xy]" }) {
        TRegex plain;
        plain.SetExpression(pattern);
        EXPECT_EQ(execOutcome(plain, subject), "none") << pattern;
        TRegex stopped;
        stopped.SetExpression(pattern);
        stopped.SetAbortCheck([] { return true; });
        EXPECT_EQ(execOutcome(stopped, subject), "E1018 Search Aborted") << pattern;
    }
}

TEST(LargeInput, EmptyBackreferenceRepetitionStaysInsideTheSubject)
{
    TRegex engine;
    engine.SetExpression("()\\1*x");
    EXPECT_EQ(Describe(engine, "aax"), "3:x 1=3:");
    engine.SetExpression("()\\1{5,}?y");
    EXPECT_EQ(Describe(engine, "y"), "1:y 1=1:");
    engine.SetExpression("(a)\\1*");
    EXPECT_EQ(Describe(engine, std::string(100000, 'a')), "1:" + std::string(100000, 'a') + " 1=1:a");
}

TEST(LargeInput, LongPatternOfOptionalPieces)
{
    // Analysis and compilation walk such a pattern without recursion per piece.
    std::string pattern;
    for (int i = 0; i < 200000; ++i)
        pattern += "a?";
    pattern += "b";
    TRegex engine;
    engine.SetExpression(pattern);
    EXPECT_TRUE(engine.Exec("aaab"));
    EXPECT_EQ(engine.GroupLength(0), 4);
    std::string alternatives = "x";
    for (int i = 0; i < 100000; ++i)
        alternatives += "|y";
    engine.SetExpression(alternatives);
    EXPECT_TRUE(engine.Exec("zy"));
}

} // namespace
} // namespace morvane::regex::test
