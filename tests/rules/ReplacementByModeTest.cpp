// The replacement of a match by the replace mode in force.

#include "rules/ReplacementByMode.h"
#include "regex/TRegex.h"
#include "template/EvaluateTemplate.h"

#include <gtest/gtest.h>

using namespace morvane::rules;
using morvane::regex::TRegex;

TEST(ReplacementByMode, EachModeReadsTheReplacementItsOwnWay)
{
    TRegex engine;
    engine.SetExpression("(b+)(c)");
    ASSERT_TRUE(engine.Exec("abbcd"));

    std::vector<std::string> evaluated;
    const TemplateEvaluator evaluate = [&](std::string_view text) {
        evaluated.emplace_back(text);
        return "<" + engine.GroupText(1) + ">";
    };

    const struct {
        ReplaceMode mode;
        std::string replace;
        std::string expected;
    } cases[] = {
        // Simple: as it stands, escape sequences and group references included.
        { ReplaceMode::Simple, "$2$1\\n", "$2$1\\n" },
        { ReplaceMode::Simple, "", "" },
        // Substitution: the engine's groups and its "\n" escape.
        { ReplaceMode::Substitution, "$2$1\\n", "cbb\n" },
        { ReplaceMode::Substitution, "${1}x$&", "bbxbbc" },
        // Extended: whatever the evaluator makes of it.
        { ReplaceMode::Extended, "\\U$1", "<bb>" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplacementByMode(c.mode, c.replace, engine, evaluate), c.expected) << c.replace;
    // Only the extended mode calls the evaluator, with the replacement unchanged.
    EXPECT_EQ(evaluated, std::vector<std::string> { "\\U$1" });
}

TEST(ReplacementByMode, ExtendedModeWithTheTemplateEvaluator)
{
    TRegex engine;
    engine.SetExpression("(\\w+)@(\\w+)");
    ASSERT_TRUE(engine.Exec("mail joe@host now"));
    const morvane::templ::RunCounters counters { 1, 1, 0, 0 };
    const TemplateEvaluator evaluate = [&](std::string_view text) {
        return morvane::templ::EvaluateTemplate(text, engine, counters, "/tmp/a.txt");
    };
    const struct {
        ReplaceMode mode;
        std::string replace;
        std::string expected;
    } cases[] = {
        { ReplaceMode::Simple, "\\U$1\\E at $2", "\\U$1\\E at $2" },
        { ReplaceMode::Substitution, "\\U$1\\E at $2",
            "U"
            "joe"
            "E at host" },
        { ReplaceMode::Extended, "\\U$1\\E at $2", "JOE at host" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplacementByMode(c.mode, c.replace, engine, evaluate), c.expected) << int(c.mode);
}
