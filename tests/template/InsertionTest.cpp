// Fragment insertion into a field with a selection.

#include "template/Insertion.h"

#include <gtest/gtest.h>

using morvane::templ::EditorText;
using morvane::templ::InsertFragment;
using morvane::templ::Insertion;

namespace {

struct InsertionCase {
    const char* text;
    int selStart;
    int selLength;
    const char* fragment;
    int caretBack;
    const char* expectedText;
    int expectedCaret;
};

const InsertionCase kCases[] = {
    // Bare caret at the start, inside and at the end.
    { "", 0, 0, "${1}", 0, "${1}", 4 },
    { "ab", 1, 0, "[]", 1, "a[]b", 2 },
    { "ab", 2, 0, "{n,m}", 3, "ab{n,m}", 4 },
    // The fragment replaces the selection.
    { "abcdef", 1, 3, "\\U", 0, "a\\Uef", 3 },
    { "abcdef", 0, 6, "[-]", 2, "[-]", 1 },
    // A selection made backwards (negative length) is replaced the same way.
    { "abcdef", 4, -3, "X", 0, "aXef", 2 },
    // Out-of-range selections are clamped to the text.
    { "abc", 7, 2, "X", 0, "abcX", 4 },
    { "abc", -2, 1, "X", 0, "Xbc", 1 },
    { "abc", 1, 100, "X", 0, "aX", 2 },
    // The caret never leaves the inserted text.
    { "abc", 1, 0, "()", 5, "a()bc", 1 },
    { "abc", 1, 0, "()", -1, "a()bc", 3 },
    // An empty fragment just deletes the selection.
    { "abc", 0, 2, "", 0, "c", 0 },
};

} // namespace

TEST(Insertion, ReplacesSelectionAndPlacesCaret)
{
    for (const auto& c : kCases) {
        EditorText target { c.text, c.selStart, c.selLength };
        InsertFragment(target, Insertion { c.fragment, c.caretBack });
        EXPECT_EQ(target.text, c.expectedText) << c.text << " + " << c.fragment;
        EXPECT_EQ(target.selStart, c.expectedCaret) << c.text << " + " << c.fragment;
        EXPECT_EQ(target.selLength, 0) << c.text << " + " << c.fragment;
    }
}
