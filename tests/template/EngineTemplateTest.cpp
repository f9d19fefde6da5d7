// The evaluator reading its groups from the engine that found the match.

#include "codepage/CodePage.h"
#include "regex/TRegex.h"
#include "template/EvaluateTemplate.h"
#include "template/LetterCase.h"

#include <gtest/gtest.h>

namespace templ = morvane::templ;
using morvane::regex::TRegex;

TEST(EngineTemplate, GroupsOfTheLastMatch)
{
    TRegex engine;
    engine.SetExpression("(\\w+)=(x)?(\\d*)");
    ASSERT_TRUE(engine.Exec("key=17; name=x"));
    const templ::RunCounters counters { 1, 1, 0, 0 };
    // Group 2 took no part, group 3 is empty in the second match.
    EXPECT_EQ(templ::EvaluateTemplate("\\U$1\\E:[$2]:$3:$&:$14", engine, counters, {}), "KEY:[]:17:key=17:");
    ASSERT_TRUE(engine.ExecNext());
    EXPECT_EQ(templ::EvaluateTemplate("\\u$3$1-{L,6,,.}", engine, counters, {}), "Name..");
}

TEST(EngineTemplate, LetterCaseAgreesWithTheEnginesCaseMapping)
{
    // The i modifier and the template's case commands must agree on which bytes are letters.
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        EXPECT_EQ(templ::InvertCase1251(c), TRegex::DefaultInvertCase(c)) << b;
    }
}
