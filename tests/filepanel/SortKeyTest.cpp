// Sort keys and orders of the four sort modes, DOS dates, and the stored file size.

#include "filepanel/SortKey.h"
#include "filepanel/DosDateTime.h"
#include "filepanel/FileItem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane::filepanel;

namespace {

FileItem Dir(const std::string& name, std::uint32_t date = 0, std::int64_t size = 0)
{
    FileItem item;
    item.name = name;
    item.attributes = kAttrDirectory;
    item.date = date;
    item.size = size;
    return item;
}

FileItem File(const std::string& name, std::uint32_t date = 0, std::int64_t size = 0)
{
    FileItem item;
    item.name = name;
    item.attributes = kAttrArchive;
    item.date = date;
    item.size = size;
    return item;
}

std::vector<std::string> Sorted(const std::vector<FileItem>& items, SortMode mode)
{
    std::vector<std::string> names;
    for (int index : SortOrder(items, mode))
        names.push_back(items[static_cast<std::size_t>(index)].name);
    return names;
}

TEST(SortKeyTest, KeysOfEachMode)
{
    const std::uint32_t date = MakeDosDateTime(2021, 3, 4, 5, 6, 8);
    const struct {
        FileItem item;
        SortMode mode;
        std::string expected;
    } cases[] = {
        { Dir(".."), SortMode::Name, "" },
        { Dir(".."), SortMode::Type, "" },
        { Dir(".."), SortMode::Date, " " },
        { Dir(".."), SortMode::Size, "" },
        { Dir("Src"), SortMode::Name, "0src" },
        { File("Read.Me"), SortMode::Name, "1read.me" },
        { Dir("Src.d"), SortMode::Type, "0src.d" },
        { File("A.TXT"), SortMode::Type, "1.txta.txt" },
        { File("makefile"), SortMode::Type, "1makefile" },
        { File("x.tar.GZ"), SortMode::Type, "1.gzx.tar.gz" },
        { File("b.htm", date), SortMode::Date, "12021 03 04 05:06b.htm" },
        { Dir("d", date), SortMode::Date, "02021 03 04 05:06d" },
        { File("f", 0, 5), SortMode::Size, "           5f" },
        { Dir("d", 0, 123456789012345), SortMode::Size, "123456789012345d" },
        { File("big", 0, -1), SortMode::Size, "          -1big" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SortKey(c.item, c.mode), c.expected) << c.item.name << " mode " << static_cast<int>(c.mode);
}

TEST(SortKeyTest, TypeOrderPutsDirectoriesFirstAndNamesWithoutExtensionLast)
{
    const std::vector<FileItem> items { File("a.txt"), File("makefile"), Dir("src"), File("b.htm"),
        Dir("..") };
    EXPECT_EQ(Sorted(items, SortMode::Type),
        (std::vector<std::string> { "..", "src", "b.htm", "a.txt", "makefile" }));
}

TEST(SortKeyTest, NameOrderIgnoresLatinCase)
{
    const std::vector<FileItem> items { File("b"), File("C"), Dir("Z"), File("A"), Dir("y"), Dir("..") };
    EXPECT_EQ(Sorted(items, SortMode::Name), (std::vector<std::string> { "..", "y", "Z", "A", "b", "C" }));
}

TEST(SortKeyTest, NameOrderLowerCasesCyrillic)
{
    // "Б" lower-cased sorts with "б", not before every lower-case letter.
    const std::vector<FileItem> items { File("в"), File("Б"), File("а") };
    EXPECT_EQ(Sorted(items, SortMode::Name), (std::vector<std::string> { "а", "Б", "в" }));
}

TEST(SortKeyTest, DateOrderIsOldestFirstDirectoriesBeforeFiles)
{
    const std::uint32_t old = MakeDosDateTime(1999, 12, 31, 23, 59, 0);
    const std::uint32_t mid = MakeDosDateTime(2010, 1, 1, 0, 0, 0);
    const std::uint32_t late = MakeDosDateTime(2024, 6, 1, 9, 30, 0);
    const std::vector<FileItem> items { File("f-late", late), Dir("d-mid", mid), File("f-old", old),
        Dir("d-old", old), Dir("..", late) };
    EXPECT_EQ(Sorted(items, SortMode::Date),
        (std::vector<std::string> { "..", "d-old", "d-mid", "f-old", "f-late" }));
}

TEST(SortKeyTest, SizeOrderMixesDirectoriesAndFilesSmallestFirst)
{
    const std::vector<FileItem> items { Dir("counted", 0, 100), File("five", 0, 5), Dir("uncounted"),
        Dir(".."), File("large", 0, 1000) };
    EXPECT_EQ(Sorted(items, SortMode::Size),
        (std::vector<std::string> { "..", "uncounted", "five", "counted", "large" }));
}

TEST(SortKeyTest, SizeTiesGoByNameAndEqualKeysKeepTheListingOrder)
{
    const std::vector<FileItem> items { File("b", 0, 7), File("a", 0, 7) };
    // Same size, names differ: the name decides.
    EXPECT_EQ(Sorted(items, SortMode::Size), (std::vector<std::string> { "a", "b" }));
    const std::vector<FileItem> twins { File("X"), File("x") };
    EXPECT_EQ(Sorted(twins, SortMode::Name), (std::vector<std::string> { "X", "x" }));
}

TEST(StoredFileSizeTest, KeepsTheLowThirtyTwoBitsAsASignedNumber)
{
    constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
    EXPECT_EQ(StoredFileSize(0), 0);
    EXPECT_EQ(StoredFileSize(5), 5);
    EXPECT_EQ(StoredFileSize(2 * kGiB - 1), 2147483647);
    EXPECT_EQ(StoredFileSize(2 * kGiB), -2147483648LL);
    EXPECT_EQ(StoredFileSize(3 * kGiB), -1073741824LL);
    EXPECT_EQ(StoredFileSize(4 * kGiB), 0);
    EXPECT_EQ(StoredFileSize(5 * kGiB + 5), static_cast<std::int64_t>(kGiB + 5));
}

TEST(DosDateTimeTest, EncodesLocalDateAndTime)
{
    const std::uint32_t value = MakeDosDateTime(2021, 3, 4, 5, 6, 9);
    EXPECT_EQ(value >> 16, ((2021u - 1980) << 9) | (3u << 5) | 4u);
    EXPECT_EQ(value & 0xFFFF, (5u << 11) | (6u << 5) | 4u); // seconds in units of two
    EXPECT_EQ(DosDateSortText(value), "2021 03 04 05:06");
    EXPECT_EQ(DosDateDisplayText(value), "04.03.2021");
}

TEST(DosDateTimeTest, ClampsToTheRangeOfTheFormat)
{
    EXPECT_EQ(DosDateSortText(MakeDosDateTime(1970, 1, 1, 3, 0, 0)), "1980 01 01 00:00");
    EXPECT_EQ(DosDateSortText(MakeDosDateTime(2200, 5, 5, 3, 0, 0)), "2107 12 31 23:59");
}

TEST(DosDateTimeTest, ConvertsThroughTheLocalTimeZone)
{
    std::tm local {};
    local.tm_year = 2015 - 1900;
    local.tm_mon = 6;
    local.tm_mday = 14;
    local.tm_hour = 22;
    local.tm_min = 45;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    EXPECT_EQ(DosDateSortText(DosDateTimeFromTime(when)), "2015 07 14 22:45");
}

} // namespace
