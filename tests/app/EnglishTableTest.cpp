// The English message table shipped with the program: a language file of exactly the table's
// shape (one CR LF line per entry, ASCII so that it is valid Windows-1251), positional against
// the built-in Russian table (an empty entry stays empty, every other one is translated), and
// with each entry's accelerators and placeholders as the program fills them.

#include "app/MessageBuiltIn.h"
#include "app/MessageTable.h"
#include "app/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

using namespace morvane::app;

namespace {

std::string EnglishFileBytes()
{
    std::ifstream in(std::string(MORVANE_SOURCE_DIR) + "/lang/english.dat", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The placeholders of an entry in order, and its accelerator marks.
std::vector<std::string> Placeholders(const std::string& text)
{
    static const std::regex placeholder(R"(%(\.0n|0\.n|d|s))");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator();
         ++it)
        found.push_back(it->str());
    found.push_back(std::string(static_cast<size_t>(std::count(text.begin(), text.end(), '&')), '&'));
    return found;
}

} // namespace

TEST(EnglishTable, HasTheShapeOfTheTable)
{
    const std::string bytes = EnglishFileBytes();
    ASSERT_FALSE(bytes.empty());
    for (unsigned char c : bytes)
        ASSERT_LT(c, 0x80) << "not ASCII";
    // Every line ends with CR LF, and there is no other CR or LF.
    size_t lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            ASSERT_EQ(bytes.substr(i, 2), "\r\n") << "at byte " << i;
            ++lines;
            ++i;
        }
    }
    EXPECT_EQ(lines, static_cast<size_t>(kMessageCount));
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(EnglishTable, TranslatesEveryEntryKeepingPlacesPlaceholdersAndAccelerators)
{
    const std::vector<std::string> english = SplitLines(EnglishFileBytes());
    const std::vector<std::string>& russian = BuiltInMessages();
    ASSERT_EQ(english.size(), russian.size());
    for (size_t i = 0; i < english.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i) + ": " + english[i]);
        // A new Russian text needs its English line, and an empty place stays empty.
        EXPECT_EQ(english[i].empty(), russian[i].empty());
        EXPECT_EQ(Placeholders(english[i]), Placeholders(russian[i]));
    }
    MessageTable table;
    EXPECT_TRUE(table.replaceEntries(english));
    EXPECT_EQ(table.text(224), "Find");
    EXPECT_EQ(table.text(269), "Change response time - &0.500 sec");
}
