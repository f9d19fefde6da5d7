// Every example on the manual's pattern and template pages, run through the engine and the
// template evaluator: the manual may only promise what the program does. An example is a table
// row of class "example" whose data attributes hold the input and the expected result; the
// text the reader sees in its first cell must be the pattern (or template) that is tested.

#include "codepage/CodePage.h"
#include "regex/ERegex.h"
#include "regex/TRegex.h"
#include "template/EvaluateTemplate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using morvane::codepage::Utf8ToWin1251;
using morvane::regex::TRegex;

struct Example {
    std::string page;
    std::map<std::string, std::string> data; // attribute name without "data-", decoded UTF-8
    std::string shown; // the decoded text of the first cell's <code>
};

std::string ReadPage(const std::string& name)
{
    std::ifstream in(std::string(MORVANE_SOURCE_DIR) + "/help/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Decodes the character references the pages use: the named ones and the numeric ones of
// control and other ASCII characters (every other character is written as it is).
std::string DecodeEntities(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t end = text.find(';', i);
        if (text[i] != '&' || end == std::string::npos) {
            out += text[i];
            continue;
        }
        const std::string name = text.substr(i + 1, end - i - 1);
        static const std::map<std::string, char> named
            = { { "amp", '&' }, { "lt", '<' }, { "gt", '>' }, { "quot", '"' }, { "#x27", '\'' } };
        if (const auto it = named.find(name); it != named.end())
            out += it->second;
        else if (name.size() > 1 && name[0] == '#' && std::stoul(name.substr(1)) < 0x80)
            out += static_cast<char>(std::stoul(name.substr(1)));
        else
            ADD_FAILURE() << "unknown character reference &" << name << ";";
        i = end;
    }
    return out;
}

std::vector<Example> ReadExamples(const std::string& pageName)
{
    const std::string page = ReadPage(pageName);
    std::vector<Example> examples;
    const std::string marker = "<tr class=\"example\"";
    for (size_t at = page.find(marker); at != std::string::npos; at = page.find(marker, at + 1)) {
        Example example;
        example.page = pageName;
        const size_t tagEnd = page.find('>', at);
        const std::string tag = page.substr(at, tagEnd - at);
        for (size_t a = tag.find(" data-"); a != std::string::npos; a = tag.find(" data-", a + 1)) {
            const size_t eq = tag.find("=\"", a);
            const size_t close = tag.find('"', eq + 2);
            example.data[tag.substr(a + 6, eq - a - 6)] = DecodeEntities(tag.substr(eq + 2, close - eq - 2));
        }
        const size_t code = page.find("<code>", tagEnd);
        const size_t codeEnd = page.find("</code>", code);
        example.shown = DecodeEntities(page.substr(code + 6, codeEnd - code - 6));
        examples.push_back(std::move(example));
    }
    return examples;
}

// Program text of an attribute (the pages are UTF-8, the engine works on Windows-1251).
std::string Text(const Example& e, const std::string& name)
{
    const auto it = e.data.find(name);
    return it == e.data.end() ? std::string() : Utf8ToWin1251(it->second);
}

TEST(ManualExamples, PatternPageMatchesTheEngine)
{
    const std::vector<Example> examples = ReadExamples("patterns.html");
    EXPECT_GE(examples.size(), 60u);
    for (const Example& e : examples) {
        SCOPED_TRACE(e.data.at("pattern") + " on \"" + e.data.at("subject") + "\"");
        EXPECT_EQ(e.shown, e.data.at("pattern"));
        TRegex engine;
        if (e.data.count("modifiers"))
            engine.SetModifierText(Text(e, "modifiers"));
        engine.SetExpression(Text(e, "pattern"));
        bool found = false;
        try {
            found = engine.Exec(Text(e, "subject"));
        } catch (const morvane::regex::ERegex& error) {
            ADD_FAILURE() << error.what();
            continue;
        }
        if (e.data.count("nomatch")) {
            EXPECT_FALSE(found) << "found " << engine.GroupText(0);
            continue;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(engine.GroupText(0), Text(e, "match"));
        if (e.data.count("at")) {
            EXPECT_EQ(engine.GroupStart(0), std::stoi(e.data.at("at")));
        }
    }
}

TEST(ManualExamples, TemplatePageMatchesTheEvaluator)
{
    const std::vector<Example> examples = ReadExamples("templates.html");
    EXPECT_GE(examples.size(), 40u);
    for (const Example& e : examples) {
        SCOPED_TRACE(e.data.at("template") + " with " + e.data.at("pattern"));
        EXPECT_EQ(e.shown, e.data.at("template"));
        TRegex engine;
        engine.SetExpression(Text(e, "pattern"));
        ASSERT_TRUE(engine.Exec(Text(e, "subject")));
        const int nth = e.data.count("nth") ? std::stoi(e.data.at("nth")) : 1;
        // The k-th replacement of a run in one file: the match counters already count it.
        const morvane::templ::RunCounters counters { nth, nth, nth - 1, nth - 1 };
        const std::string path = e.data.count("path") ? e.data.at("path") : "/tmp/example.txt";
        const std::string result = e.data.count("mode") && e.data.at("mode") == "substitute"
            ? engine.Substitute(Text(e, "template"))
            : morvane::templ::EvaluateTemplate(Text(e, "template"), engine, counters, path);
        EXPECT_EQ(result, Text(e, "result"));
    }
}

} // namespace
