// Numbers with thousands separators, message placeholders and the elapsed-time display.

#include "app/Format.h"

#include "codepage/CodePage.h"

#include <gtest/gtest.h>

#include <limits>

using namespace morvane::app;
using morvane::codepage::Utf8ToWin1251;

TEST(Format, Thousands)
{
    const struct {
        std::int64_t value;
        const char* comma;
    } cases[] = {
        { 0, "0" },
        { 7, "7" },
        { 999, "999" },
        { 1000, "1,000" },
        { 1001, "1,001" },
        { 99999, "99,999" },
        { 100000, "100,000" },
        { 999999, "999,999" },
        { 1000000, "1,000,000" },
        { 1234567890, "1,234,567,890" },
        { -1, "-1" },
        { -999, "-999" },
        { -1000, "-1,000" },
        { -123456, "-123,456" },
        { std::numeric_limits<std::int64_t>::max(), "9,223,372,036,854,775,807" },
        { std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatThousands(c.value, ","), c.comma) << c.value;
    EXPECT_EQ(FormatThousands(1234567, "\xA0"),
        "1\xA0"
        "234\xA0"
        "567");
    EXPECT_EQ(FormatThousands(1234567, ""), "1234567");
    EXPECT_EQ(FormatThousands(-1234, " "), "-1 234");
}

TEST(Format, DefaultSeparatorFollowsTheLocale)
{
    const std::string_view sep = ThousandsSeparator();
    EXPECT_TRUE(sep == "\xA0" || sep == ",");
    EXPECT_EQ(FormatThousands(1000), std::string("1") + std::string(sep) + "000");
}

TEST(Format, FillMessagePlaceholders)
{
    const struct {
        std::string format;
        std::string expected;
    } cases[] = {
        { "no placeholders", "no placeholders" }, { "", "" }, { "%d", "42" }, { "[%d][%s]", "[42][name]" },
        { "100%%", "100%" }, { "%%d", "%d" }, { "%x %5d %", "%x %5d %" }, // not ours: copied
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillMessage(c.format, { 42, "name" }, ","), c.expected) << c.format;
}

TEST(Format, FillMessagesOfTheTable)
{
    const std::string msg4 = Utf8ToWin1251("%.0n из %0.n Kb свободно");
    EXPECT_EQ(FillMessage(msg4, { std::uint64_t(1234567), std::int64_t(98765432) }, "\xA0"),
        Utf8ToWin1251("1\u00A0234\u00A0567 из 98\u00A0765\u00A0432 Kb свободно"));

    const std::string msg14
        = Utf8ToWin1251("Обработано файлов - %d из %d  Найдено файлов(в файле) - %d(%d)  Всего найдено - %d");
    EXPECT_EQ(FillMessage(msg14, { 3, 10, 2, 5, 12345 }, ","),
        Utf8ToWin1251("Обработано файлов - 3 из 10  Найдено файлов(в файле) - 2(5)  Всего найдено - 12345"));

    const std::string msg64 = Utf8ToWin1251("Перекодировка %s - %.0n из %.0n");
    const std::string path = Utf8ToWin1251("/дом/файл.txt");
    EXPECT_EQ(FillMessage(msg64, { path, 1500, 2000 }, ","),
        Utf8ToWin1251("Перекодировка /дом/файл.txt - 1,500 из 2,000"));

    EXPECT_EQ(FillMessage("Cannot open file \"%s\". %s", { "/a b", "No such file or directory" }, ","),
        "Cannot open file \"/a b\". No such file or directory");
    EXPECT_EQ(FillMessage("%d", { -2147483648LL }, ","), "-2147483648");
}

TEST(Format, FillMessageArgumentMismatches)
{
    EXPECT_EQ(FillMessage("%d and %d", { 1 }, ","), "1 and %d"); // too few: placeholder shown
    EXPECT_EQ(FillMessage("%d", { 1, 2, 3 }, ","), "1"); // too many: ignored
    EXPECT_EQ(FillMessage("%s", { 12345 }, ","), "12345"); // number as text
    EXPECT_EQ(FillMessage("%d|%.0n", { "x", "y" }, ","), "x|y"); // text stays text
    EXPECT_EQ(FillMessage("%s", { std::string("a%db") }, ","), "a%db"); // arguments are not re-scanned
    EXPECT_EQ(FillMessage("%.0", { 1 }, ","), "%.0");
    EXPECT_EQ(FillMessage("%0.", { 1 }, ","), "%0.");
}

TEST(Format, ElapsedTimeOfMessage17)
{
    const std::string pattern = Utf8ToWin1251("hh час  mm мин  ss.zzz сек");
    const auto expected = [](const char* numbers) {
        // numbers: "HH MM SS ZZZ"
        const std::string n(numbers);
        return Utf8ToWin1251(n.substr(0, 2) + " час  " + n.substr(3, 2) + " мин  " + n.substr(6, 2) + "."
            + n.substr(9, 3) + " сек");
    };
    const struct {
        std::int64_t ms;
        const char* numbers;
    } cases[] = {
        { 0, "00 00 00 000" },
        { 1, "00 00 00 001" },
        { 999, "00 00 00 999" },
        { 1000, "00 00 01 000" },
        { 59'999, "00 00 59 999" },
        { 60'000, "00 01 00 000" },
        { 3'599'999, "00 59 59 999" },
        { 3'600'000, "01 00 00 000" },
        { 45'296'789, "12 34 56 789" },
        { 86'399'999, "23 59 59 999" },
        { -5, "00 00 00 000" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatElapsed(pattern, c.ms), expected(c.numbers)) << c.ms;
    // Hours are the total and do not wrap after a day.
    EXPECT_EQ(FormatElapsed(pattern, 100 * 3'600'000LL + 1), Utf8ToWin1251("100 час  00 мин  00.001 сек"));
}

TEST(Format, ElapsedTimePatterns)
{
    const std::int64_t t = 1 * 3'600'000 + 2 * 60'000 + 3 * 1000 + 4; // 01:02:03.004
    const struct {
        const char* pattern;
        const char* expected;
    } cases[] = {
        { "hh:mm:ss.zzz", "01:02:03.004" }, { "h:m:s.z", "1:2:3.4" },
        { "hhh", "011" }, // a field then a single one
        { "zzzz", "0044" }, { "HH MM SS ZZZ", "HH MM SS ZZZ" }, // upper case is text
        { "\"hours\" h", "hours 1" }, // quoted words are literal
        { "'mm' mm", "mm 02" }, { "\"unclosed h", "unclosed h" }, { "", "" },
        { "elapsed", "elap3ed" }, // bare letters are fields
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatElapsed(c.pattern, t), c.expected) << c.pattern;
}
