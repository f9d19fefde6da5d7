// The colouring run: one pass of the colouring engine per table line over the same subject, each
// line's group-1 stretches laid over what the earlier lines produced. Laying a sorted list over
// another is a linear merge, so a table of n lines costs n passes of the engine plus n merges,
// and memory stays proportional to the number of coloured stretches, not to the text.
// Covered by tests/editor/ColourRunTest.cpp and ColourBuiltInTableTest.cpp.

#include "editor/ColourRun.h"

#include "editor/ColourRunControl.h"
#include "regex/ERegex.h"
#include "regex/TRegex.h"

#include <algorithm>
#include <iterator>

namespace morvane::editor {

namespace {

// The stretches of `under` that no span of `over` covers, keeping their attributes.
std::vector<ColourSpan> Uncovered(const std::vector<ColourSpan>& under, const std::vector<ColourSpan>& over)
{
    std::vector<ColourSpan> pieces;
    pieces.reserve(under.size());
    std::size_t first = 0;
    for (const ColourSpan& span : under) {
        const int end = span.position + span.length;
        while (first < over.size() && over[first].position + over[first].length <= span.position)
            ++first;
        int cursor = span.position;
        for (std::size_t k = first; k < over.size() && over[k].position < end; ++k) {
            if (over[k].position > cursor)
                pieces.push_back({ cursor, over[k].position - cursor, span.attributes });
            cursor = std::max(cursor, over[k].position + over[k].length);
        }
        if (cursor < end)
            pieces.push_back({ cursor, end - cursor, span.attributes });
    }
    return pieces;
}

// The group-1 stretches of every match of one rule, in text order. Stops early, with what it
// found so far, when the control asks.
std::vector<ColourSpan> RuleSpans(
    regex::TRegex& engine, const ColourAttributes& attributes, ColourRunControl& control, bool& aborted)
{
    std::vector<ColourSpan> spans;
    const auto take = [&] {
        const int length = engine.GroupLength(1);
        // A match in which group 1 did not take part, or matched nothing, colours nothing.
        if (length > 0)
            spans.push_back({ engine.GroupStart(1) - 1, length, attributes });
    };
    if (!engine.ExecPos(1))
        return spans;
    take();
    while (engine.ExecNext()) {
        control.PumpMessages();
        if (control.AbortRequested()) {
            aborted = true;
            break;
        }
        take();
    }
    return spans;
}

} // namespace

ColourLine SplitColourLine(std::string_view line)
{
    ColourLine result;
    const std::size_t firstTab = line.find('\t');
    if (firstTab == std::string_view::npos)
        return result;
    result.expression = line.substr(0, firstTab);
    const std::size_t secondTab = line.find('\t', firstTab + 1);
    if (secondTab != std::string_view::npos)
        result.attributeText = line.substr(firstTab + 1, secondTab - firstTab - 1);
    return result;
}

void SetColourEngineModifiers(regex::TRegex& colourEngine)
{
    using regex::TRegex;
    colourEngine.SetModifier(TRegex::kModI, true);
    colourEngine.SetModifier(TRegex::kModR, true);
    colourEngine.SetModifier(TRegex::kModS, true);
    colourEngine.SetModifier(TRegex::kModG, false);
    colourEngine.SetModifier(TRegex::kModM, true);
    colourEngine.SetModifier(TRegex::kModX, false);
}

std::vector<ColourSpan> OverlaySpans(
    const std::vector<ColourSpan>& under, const std::vector<ColourSpan>& over)
{
    if (over.empty())
        return under;
    const std::vector<ColourSpan> pieces = Uncovered(under, over);
    std::vector<ColourSpan> result;
    result.reserve(pieces.size() + over.size());
    std::merge(pieces.begin(), pieces.end(), over.begin(), over.end(), std::back_inserter(result),
        [](const ColourSpan& a, const ColourSpan& b) { return a.position < b.position; });
    return result;
}

ColourRunResult ColourText(regex::TRegex& colourEngine, std::string_view text, const rules::LineList& table,
    ColourRunControl& control)
{
    ColourRunResult result;
    colourEngine.SetInputString(text);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (control.AbortRequested()) {
            result.aborted = true;
            break;
        }
        const ColourLine line = SplitColourLine(table[i]);
        if (line.expression.empty())
            continue;
        const int lineNumber = static_cast<int>(i) + 1;
        const AttributeParse parsed = ParseAttributeText(line.attributeText);
        if (!parsed.attributes) {
            result.problems.push_back({ lineNumber, parsed.error });
            continue;
        }
        std::vector<ColourSpan> spans;
        try {
            colourEngine.SetExpression(line.expression);
            spans = RuleSpans(colourEngine, *parsed.attributes, control, result.aborted);
        } catch (const regex::ERegex& error) {
            result.problems.push_back({ lineNumber, error.what() });
            continue;
        }
        result.spans = OverlaySpans(result.spans, spans);
        if (result.aborted)
            break;
    }
    return result;
}

} // namespace morvane::editor
