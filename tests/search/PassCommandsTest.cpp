// Enabled states of the pass commands.

#include "search/PassCommands.h"

#include <gtest/gtest.h>

using morvane::search::PassCommandInputs;
using morvane::search::PassCommandStates;
using morvane::search::UpdatePassCommands;

TEST(PassCommands, ReadyNeedsWorkPageSelectionAndARealRoot)
{
    struct Case {
        const char* what;
        PassCommandInputs in;
        PassCommandStates expected; // passes, find, replacePassim
    } cases[] = {
        { "file selected", { true, true, "a.txt", 0, false }, { true, true, true } },
        { "parent selected, nothing marked", { true, true, "..", 0, false }, { false, false, false } },
        { "parent selected, one marked", { true, true, "..", 1, false }, { true, true, true } },
        { "another page", { false, true, "a.txt", 3, false }, { false, false, false } },
        { "nothing selected", { true, false, "", 2, false }, { false, false, false } },
        { "colour set-up, ready", { true, true, "a.txt", 0, true }, { true, true, false } },
        { "colour set-up, not ready", { false, false, "", 0, true }, { false, true, false } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpdatePassCommands(c.in), c.expected) << c.what;
}
