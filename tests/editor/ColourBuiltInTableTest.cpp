// The built-in colouring table: its rows read and compile, each rule colours the part it is
// meant to (the tag rule only the tag name), the rules combine in table order, and a large HTML
// file is coloured through to the end or stopped on request.

#include "editor/BuiltInColourTable.h"

#include "editor/ColourRun.h"
#include "editor/ColourRunControl.h"
#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane::editor {
namespace {

constexpr Rgb kPurple { 128, 0, 128 };
constexpr FontStyles kRegular {};
constexpr FontStyles kBold { true, false, false, false };
const ColourAttributes kAnyTag { kPurple, kRegular, 8 };
const ColourAttributes kTagName { kPurple, kBold, 8 };

class StopAfter : public ColourRunControl {
public:
    explicit StopAfter(long limit)
        : m_limit(limit)
    {
    }
    void PumpMessages() override { ++pumps; }
    bool AbortRequested() override { return m_limit >= 0 && pumps >= m_limit; }
    long pumps = 0;

private:
    long m_limit;
};

ColourRunResult ColourBy(const rules::LineList& table, const std::string& text, ColourRunControl& control)
{
    regex::TRegex engine;
    SetColourEngineModifiers(engine);
    return ColourText(engine, text, table, control);
}

ColourRunResult ColourBy(const rules::LineList& table, const std::string& text)
{
    StopAfter never(-1);
    return ColourBy(table, text, never);
}

// The table with only line `index` (0-based) of the built-in one.
rules::LineList OnlyLine(std::size_t index)
{
    return { BuiltInColourTable().at(index) };
}

TEST(ColourBuiltInTableTest, SixRowsThatReadAndCompile)
{
    const rules::LineList table = BuiltInColourTable();
    ASSERT_EQ(table.size(), 6u);
    regex::TRegex engine;
    for (const std::string& text : table) {
        SCOPED_TRACE(text);
        const ColourLine line = SplitColourLine(text);
        EXPECT_TRUE(ParseAttributeText(line.attributeText).attributes.has_value());
        EXPECT_NO_THROW({
            engine.SetExpression(line.expression);
            engine.CompileExpression();
        });
    }
}

struct RuleCase {
    std::size_t line;
    std::string text;
    std::vector<std::string> coloured; // the coloured stretches, in order
};

TEST(ColourBuiltInTableTest, EachRuleColoursItsGroup)
{
    const RuleCase cases[] = {
        // Any tag but comments and declarations.
        { 0, "a <b>c</b> <!-- x --> <!DOCTYPE html>", { "<b>", "</b>" } },
        { 0, "<a\nhref=x>", { "<a\nhref=x>" } },
        // Known tag names only, followed by a blank or ">"; the name alone is coloured.
        { 1, "<BODY>", { "BODY" } },
        { 1, "<body bgcolor=red></Body>", { "body", "/Body" } },
        { 1, "<BODYX> <bod> <b>", { "b" } },
        { 1, "<h1>x</H6>", { "h1", "/H6" } },
        { 1, "<custom > <!DOCTYPE html>", { "custom", "!DOCTYPE" } },
        { 1, "<br/>", {} },
        // Bodies of style and script elements, the text of links, comments.
        { 2, "<style type=\"text/css\">p { }</STYLE> rest", { "p { }" } },
        { 3, "<script>\nf();\n</script><script src=x></script>", { "\nf();\n" } },
        { 4, "<a name=x>no</a> <A class=c HREF=\"u\">link</a>", { "link" } },
        { 5, "x <!-- one --> y <!--\ntwo-->", { "<!-- one -->", "<!--\ntwo-->" } },
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line + 1) + " on \"" + c.text + "\"");
        const ColourRunResult result = ColourBy(OnlyLine(c.line), c.text);
        std::vector<std::string> coloured;
        for (const ColourSpan& span : result.spans)
            coloured.push_back(c.text.substr(
                static_cast<std::size_t>(span.position), static_cast<std::size_t>(span.length)));
        EXPECT_EQ(coloured, c.coloured);
        EXPECT_TRUE(result.problems.empty());
    }
}

TEST(ColourBuiltInTableTest, TagNameIsBoldInsideTheRegularTag)
{
    const ColourRunResult result = ColourBy(BuiltInColourTable(), "<p>Hi</p>");
    const std::vector<ColourSpan> expected { { 0, 1, kAnyTag }, { 1, 1, kTagName }, { 2, 1, kAnyTag },
        { 5, 1, kAnyTag }, { 6, 2, kTagName }, { 8, 1, kAnyTag } };
    EXPECT_EQ(result.spans, expected);
}

// About 5 MiB of HTML: tags, a style and a script block, links and comments in every chunk.
std::string LargeHtml()
{
    const std::string chunk = "<html><head><style>p { color: red }</style></head>\r\n"
                              "<body bgcolor=white><!-- a comment -->\r\n"
                              "<p>Some <b>text</b> and a <a href=\"x.htm\">link</a>.</p>\r\n"
                              "<script>var x = 1;</script></body></html>\r\n";
    std::string text;
    text.reserve(5 * 1024 * 1024 + chunk.size());
    while (text.size() < 5u * 1024 * 1024)
        text += chunk;
    return text;
}

TEST(ColourBuiltInTableTest, LargeFileIsColouredToTheEnd)
{
    const std::string text = LargeHtml();
    StopAfter never(-1);
    const ColourRunResult result = ColourBy(BuiltInColourTable(), text, never);
    EXPECT_FALSE(result.aborted);
    EXPECT_TRUE(result.problems.empty());
    ASSERT_FALSE(result.spans.empty());
    // The closing "</html>" of the last chunk: "/html" is a tag name, ">" part of the tag.
    const ColourSpan& last = result.spans.back();
    EXPECT_EQ(last.position + last.length, static_cast<int>(text.size()) - 2);
    EXPECT_EQ(last.attributes, kAnyTag);
    EXPECT_EQ(
        text.substr(static_cast<std::size_t>(result.spans[result.spans.size() - 2].position), 5), "/html");
    // Spans are ordered and never overlap.
    for (std::size_t i = 1; i < result.spans.size(); ++i)
        ASSERT_LE(result.spans[i - 1].position + result.spans[i - 1].length, result.spans[i].position) << i;
    EXPECT_GT(never.pumps, 100000);
}

TEST(ColourBuiltInTableTest, LargeFileStopsOnRequest)
{
    const std::string text = LargeHtml();
    StopAfter control(1000);
    const ColourRunResult result = ColourBy(BuiltInColourTable(), text, control);
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(control.pumps, 1000);
    // Only the start of the text was reached by the first rule: its first tag, then one per
    // pump until the pump that stopped it.
    ASSERT_EQ(result.spans.size(), 1000u);
    EXPECT_LT(result.spans.back().position, 100000);
}

} // namespace
} // namespace morvane::editor
