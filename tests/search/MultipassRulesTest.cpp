// The rule order of replace runs: the edit fields' rule, or every table row in turn with
// empty rows skipped, and the modifiers a later row inherits from an earlier one.

#include "search/MultipassRules.h"
#include "regex/TRegex.h"
#include "rules/RuleCompiler.h"

#include <gtest/gtest.h>

using morvane::rules::Rule;
using morvane::search::MultipassRules;

namespace {

MultipassRules Table(std::vector<Rule> rows)
{
    return MultipassRules(rows.empty() ? Rule {} : rows.front(), std::move(rows));
}

struct Engine {
    morvane::regex::TRegex engine;
    morvane::rules::RuleCompiler compiler { engine };
};

} // namespace

TEST(MultipassRules, FindFirstSkipsEmptyRowsAndReportsNoMatch)
{
    Engine e;
    MultipassRules single(Rule { "", "x", "" });
    e.engine.SetInputString("abc");
    EXPECT_FALSE(single.findFirst(e.compiler)) << "an empty expression never matches";
    EXPECT_FALSE(single.nextRule(e.compiler));

    auto table = Table({ { "", "", "" }, { "q", "", "" }, { "c", "C", "${Q}" } });
    std::vector<int> madeCurrent;
    table.setRowMadeCurrent([&](int row) { madeCurrent.push_back(row); });
    EXPECT_TRUE(table.findFirst(e.compiler));
    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(table.replaceText(), "C");
    EXPECT_EQ(table.fields(), (Rule { "c", "C", "${Q}" }));
    EXPECT_EQ(e.engine.GroupStart(0), 3);
    EXPECT_EQ(madeCurrent, (std::vector<int> { 0, 1, 2 }));
    EXPECT_FALSE(table.hasNextRow());
    EXPECT_FALSE(table.nextRule(e.compiler));

    e.engine.SetInputString("zzz");
    EXPECT_FALSE(table.findFirst(e.compiler));
}

TEST(MultipassRules, NextRuleTriesOnlyTheRowsAfterTheCurrentOne)
{
    Engine e;
    auto table = Table({ { "a", "1", "${Q}" }, { "b", "2", "${Q}" }, { "a", "3", "${Q}" } });
    e.engine.SetInputString("ab");
    ASSERT_TRUE(table.findFirst(e.compiler));
    ASSERT_EQ(table.currentRow(), 0);
    ASSERT_TRUE(table.nextRule(e.compiler));
    EXPECT_EQ(table.currentRow(), 1);
    EXPECT_EQ(e.engine.GroupStart(0), 2);
    ASSERT_TRUE(table.nextRule(e.compiler));
    EXPECT_EQ(table.currentRow(), 2);
    EXPECT_EQ(table.replaceText(), "3");
    EXPECT_FALSE(table.nextRule(e.compiler));
}
