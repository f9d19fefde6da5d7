#pragma once
// Colouring a text by a colouring table. Each line of the table is an expression, TAB, an
// attribute text (TAB and a remark that colouring ignores); every match of the expression gives
// the text of its group 1 the line's attributes. The run works through the lines in table order
// over one subject held by the colouring engine, and flattens what they paint into spans that do
// not overlap, a later line winning over an earlier one character by character. The window then
// only has to apply the spans, which it can do without selecting anything.
//
// A line with an empty expression (or without any TAB) colours nothing and is no error. A line
// whose expression does not compile, whose colour cannot be read or whose size is no number is
// reported once and skipped. An expression without group 1 colours nothing: there is no part
// of the match the table asked for.
// Covered by tests/editor/ColourRunTest.cpp and ColourBuiltInTableTest.cpp.

#include "editor/ColourAttributes.h"
#include "rules/TableFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace morvane::regex {
class TRegex;
}

namespace morvane::editor {

class ColourRunControl;

// A coloured stretch of the text: 0-based position and length in bytes, and its attributes.
struct ColourSpan {
    int position = 0;
    int length = 0;
    ColourAttributes attributes;

    bool operator==(const ColourSpan&) const = default;
};

// A table line that was skipped, with its 1-based number in the table and the reason (English,
// like the engine's own messages).
struct ColourRuleProblem {
    int line = 0;
    std::string reason;

    bool operator==(const ColourRuleProblem&) const = default;
};

struct ColourRunResult {
    std::vector<ColourSpan> spans; // by position, never overlapping, none empty
    std::vector<ColourRuleProblem> problems; // in table order, at most one per line
    bool aborted = false; // stopped on request; the spans hold what was coloured until then
};

// The two columns of a table line that colouring reads: the expression before the first TAB
// (empty when there is no TAB) and the attribute text between the first and the second TAB
// (empty when there is no second TAB: a table written through the grid always has both).
struct ColourLine {
    std::string expression;
    std::string attributeText;
};
ColourLine SplitColourLine(std::string_view line);

// Gives the colouring engine its start-up modifiers: i, r, s and m on, g and x off.
void SetColourEngineModifiers(regex::TRegex& colourEngine);

// `over` painted on top of `under`: where they overlap, `over` wins. Both must be sorted by
// position and free of overlaps; so is the result.
std::vector<ColourSpan> OverlaySpans(
    const std::vector<ColourSpan>& under, const std::vector<ColourSpan>& over);

// Colours `text` by `table` with `colourEngine` (which keeps its modifiers; a rule changes them
// for itself with a leading "(?" group). The engine's subject stops at the first NUL byte, so
// nothing after one is coloured. `control` is pumped once per match after each rule's first and
// asked before every rule and after every pump whether to stop.
ColourRunResult ColourText(regex::TRegex& colourEngine, std::string_view text, const rules::LineList& table,
    ColourRunControl& control);

} // namespace morvane::editor
