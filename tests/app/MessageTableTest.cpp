// The message table: the built-in texts, Msg, and the language file (loading, refusal, export).

#include "app/MessageTable.h"
#include "app/MessageBuiltIn.h"
#include "app/ProgramDir.h"
#include "codepage/CodePage.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvane::app {
namespace {

namespace fs = std::filesystem;
using codepage::Utf8ToWin1251;

class TempDir : public morvane::test::ScopedTempDir {
public:
    TempDir()
        : ScopedTempDir("morvane-msg")
    {
    }
};

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good());
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// `count` distinct lines "L0", "L1", ... each ended by `ending`.
std::string NumberedLines(int count, const std::string& ending = "\r\n")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "L" + std::to_string(i) + ending;
    return text;
}

// A table whose entries differ from the built-in ones everywhere, to see what a load changed.
MessageTable DistinctTable()
{
    MessageTable table;
    std::vector<std::string> lines;
    for (int i = 0; i < kMessageCount; ++i)
        lines.push_back("x" + std::to_string(i));
    EXPECT_TRUE(table.replaceEntries(lines));
    return table;
}

// ---- The built-in table -------------------------------------------------------------------

TEST(MessageBuiltInTest, HasTheDesignedEntriesAndTheExtension)
{
    EXPECT_EQ(kCoreMessageCount, 365);
    EXPECT_EQ(BuiltInMessagesUtf8().size(), size_t(kMessageCount));
    EXPECT_EQ(BuiltInMessages().size(), size_t(kMessageCount));
    EXPECT_EQ(ExtendedMessagesUtf8().size(), size_t(kMessageCount - kCoreMessageCount));
    EXPECT_EQ(MessageTable().count(), kMessageCount);
}

TEST(MessageBuiltInTest, EntriesAreTheDesignTextsCharacterForCharacter)
{
    struct Case {
        int index;
        const char* utf8;
    };
    // Copied from the design: leading and trailing blanks, double blanks, "|" frames,
    // misspellings and placeholders are all part of the text.
    const Case cases[] = {
        { 0, "(?)-модификаторы поиска ${}-режим замены" },
        { 1, " искать" },
        { 2, " заменять на" },
        { 3, " комментарий" },
        { 4, "%.0n из %0.n Kb свободно" },
        { 6, "Обработано каталогов - %d  Найдено файлов - %d" },
        { 7, "не найдено" },
        { 12, "" },
        { 14, "Обработано файлов - %d из %d  Найдено файлов(в файле) - %d(%d)  Всего найдено - %d" },
        { 17, "hh час  mm мин  ss.zzz сек" },
        { 27, "Выберите файл  для сохранения таблицы регулярных выражений" },
        { 29, "Выберите файл  для сохранения замен" },
        { 31, "Сохранить как" },
        { 43,
            "Обработано файлов - %d из %d  Файлов - %d / %d  В файле - %d / %d  Всего - %d / %d "
            "(найдено/изменено)" },
        { 52, "" },
        { 62, "Перекодировать файлов - %.0n шт." },
        { 64, "Перекодировка %s - %.0n из %.0n" },
        { 66,
            "Обработано файлов - %d из %d  Файлов - %d / %d  В файле - %d / %d  Всего - %d / %d "
            "(найдено/сохранено)" },
        { 75, "найдено - %d  заменено - %d" },
        { 80, "Сохранить изменения в таблице раскраски:" },
        { 81, "" },
        { 99, "" },
        { 101, "ВНИМАНИЕ!" },
        { 103, "&Перезаписать" },
        { 109, "Укажите шаблон(ы) файлов (например: s*.htm;*.tx?)" },
        { 111, " нумеровать файлы соответственно " },
        { 117, "количесву найденного" },
        { 152, "| найти: |" },
        { 175, "F2   Заменить" },
        { 187, "F3  Просмотр" },
        { 204, " Перечень \"пробельных\" символов (\\s) " },
        { 210,
            "игнорировать пробелы, табуляции, разделители строк и включать коментарии (# до конца "
            "строки)" },
        { 251, "«Жадный» режим" },
        { 269, "Изменить время отклика - &0.500 sec" },
        { 285, "Любой знак в диапозоне  [ - ]" },
        { 290, "Любой \"пробельный\" знак  \\s" },
        { 293, "Перевод строки  \\r\\n" },
        { 302, "Метасимволы-повторители" },
        { 319, "Или  |" },
        { 327, "\"Не жадный\" режим  (?-g)" },
        { 357, "Подставить значение счетчика  \\#{,,s,z,f}" },
        { 358, "Путь к обрабатываемому файлу \\P{F,/}" },
        { 360, "регулярные выражения Замены..." },
        { 361, "" },
        { 362, "ВНИМАНИЕ !!!" },
        { 363, "Пустые строки не удалять." },
        { 364, "" },
    };
    const MessageTable table;
    for (const Case& c : cases)
        EXPECT_EQ(table.text(c.index), Utf8ToWin1251(c.utf8)) << "entry " << c.index;
}

TEST(MessageBuiltInTest, EveryTextSurvivesTheCodePageConversion)
{
    // A character the code page lacks would turn into "?" and change the text shown.
    const auto utf8 = BuiltInMessagesUtf8();
    const auto& program = BuiltInMessages();
    for (size_t i = 0; i < utf8.size(); ++i)
        EXPECT_EQ(codepage::Win1251ToUtf8(program[i]), utf8[i]) << "entry " << i;
}

TEST(MessageBuiltInTest, NoEntryHoldsALineEnd)
{
    // The language file has one entry per line; a CR or LF would shift every later entry.
    for (size_t i = 0; i < BuiltInMessages().size(); ++i)
        EXPECT_EQ(BuiltInMessages()[i].find_first_of("\r\n"), std::string::npos) << "entry " << i;
}

TEST(MessageBuiltInTest, ResponseIntervalCaptionEndsWithTheIntervalField)
{
    // The interval is kept in the last 9 characters of this caption.
    const std::string caption = MessageTable().text(269);
    ASSERT_GE(caption.size(), 9u);
    EXPECT_EQ(caption.substr(caption.size() - 9), "0.500 sec");
}

// ---- Msg and indexing ---------------------------------------------------------------------

TEST(MessageTableTest, IndexOutsideTheTableGivesEmptyText)
{
    const MessageTable table;
    for (int index : { -1, kMessageCount, kMessageCount + 1, 100000, INT_MAX, INT_MIN })
        EXPECT_EQ(table.text(index), "") << index;
    EXPECT_EQ(Msg(-1), "");
    EXPECT_EQ(Msg(kMessageCount), "");
    EXPECT_EQ(Msg(INT_MAX), "");
}

TEST(MessageTableTest, MsgReadsTheProgramTable)
{
    CurrentMessageTable().reset();
    EXPECT_EQ(Msg(79), Utf8ToWin1251("Сохранить таблицу регулярных выражений?"));
    EXPECT_EQ(Msg(363), Utf8ToWin1251("Пустые строки не удалять."));
}

TEST(MessageTableTest, ReplaceEntriesRefusesShortListsAndFitsLongOnes)
{
    struct Case {
        int lines;
        bool accepted;
    };
    const Case cases[] = { { 0, false }, { 1, false }, { 360, false }, { 361, true }, { 364, true },
        { 365, true }, { 366, true }, { kMessageCount, true }, { 1000, true } };
    for (const Case& c : cases) {
        MessageTable table;
        std::vector<std::string> lines;
        for (int i = 0; i < c.lines; ++i)
            lines.push_back("n" + std::to_string(i));
        EXPECT_EQ(table.replaceEntries(lines), c.accepted) << c.lines;
        EXPECT_EQ(table.count(), kMessageCount) << c.lines;
        if (!c.accepted) {
            EXPECT_EQ(table.entries(), BuiltInMessages()) << c.lines;
            continue;
        }
        EXPECT_EQ(table.text(0), "n0");
        EXPECT_EQ(table.text(360), "n360");
        // Designed entries the list does not reach are empty, extension entries keep their
        // built-in texts; lines past the last entry are dropped.
        EXPECT_EQ(table.text(364), c.lines > 364 ? "n364" : "") << c.lines;
        for (int i : { kCoreMessageCount, kMessageCount - 1 })
            EXPECT_EQ(table.text(i), c.lines > i ? "n" + std::to_string(i) : BuiltInMessages()[size_t(i)])
                << c.lines << " " << i;
        EXPECT_EQ(table.text(kMessageCount), "");
    }
}

// ---- Loading a language file --------------------------------------------------------------

TEST(MessageLanguageFileTest, ShortFileIsRefusedAsAWhole)
{
    TempDir dir;
    const MessageTable before = DistinctTable();
    for (int lines : { 0, 1, 100, 360 }) {
        const fs::path file = dir.path() / "language.dat";
        WriteBytes(file, NumberedLines(lines));
        MessageTable table = before;
        const LanguageFileResult result = table.loadLanguageFile(file);
        EXPECT_EQ(result.status, LanguageFileStatus::TooShort) << lines;
        EXPECT_EQ(result.lineCount, lines);
        EXPECT_EQ(table.entries(), before.entries()) << lines;
    }
}

TEST(MessageLanguageFileTest, FileOf361LinesIsAcceptedAndTheNoteBecomesEmpty)
{
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, NumberedLines(361));
    MessageTable table;
    const LanguageFileResult result = table.loadLanguageFile(file);
    EXPECT_EQ(result.status, LanguageFileStatus::Loaded);
    EXPECT_EQ(result.lineCount, 361);
    EXPECT_EQ(table.count(), kMessageCount);
    EXPECT_EQ(table.text(0), "L0");
    EXPECT_EQ(table.text(360), "L360");
    EXPECT_EQ(table.text(362), "");
}

TEST(MessageLanguageFileTest, LinesAfterTheLastEntryAreIgnored)
{
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, NumberedLines(kMessageCount + 35));
    MessageTable table;
    const LanguageFileResult result = table.loadLanguageFile(file);
    EXPECT_EQ(result.status, LanguageFileStatus::Loaded);
    EXPECT_EQ(result.lineCount, kMessageCount + 35);
    EXPECT_EQ(table.count(), kMessageCount);
    EXPECT_EQ(table.text(kMessageCount - 1), "L" + std::to_string(kMessageCount - 1));
}

TEST(MessageLanguageFileTest, EveryLineEndEndsALine)
{
    // CR LF, a lone CR and a lone LF each end a line; LF CR is two ends with an empty line
    // between; the last line needs no ending.
    TempDir dir;
    const std::string endings[] = { "\r\n", "\r", "\n" };
    std::string text = "first\n\rthird\r\r\nfifth";
    std::vector<std::string> expected = { "first", "", "third", "", "fifth" };
    for (int i = 5; i < 370; ++i) {
        text += endings[i % 3] + "E" + std::to_string(i);
        expected.push_back("E" + std::to_string(i));
    }
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, text);
    MessageTable table;
    const LanguageFileResult result = table.loadLanguageFile(file);
    ASSERT_EQ(result.status, LanguageFileStatus::Loaded);
    EXPECT_EQ(result.lineCount, 370);
    for (size_t i = expected.size(); i < size_t(kMessageCount); ++i)
        expected.push_back(BuiltInMessages()[i]);
    EXPECT_EQ(table.entries(), expected);
}

TEST(MessageLanguageFileTest, FinalLineEndAddsNoEntry)
{
    // 360 lines and a trailing CR LF are still 360 lines: refused.
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, NumberedLines(359) + "last\r\n");
    MessageTable table;
    EXPECT_EQ(table.loadLanguageFile(file).status, LanguageFileStatus::TooShort);
    // The same without the final ending plus one more line: 361 lines, accepted.
    WriteBytes(file, NumberedLines(360) + "last");
    EXPECT_EQ(table.loadLanguageFile(file).status, LanguageFileStatus::Loaded);
    EXPECT_EQ(table.text(360), "last");
}

TEST(MessageLanguageFileTest, SwappedLinesSwapExactlyTheirTwoTexts)
{
    TempDir dir;
    std::vector<std::string> lines = BuiltInMessages();
    std::swap(lines[5], lines[175]);
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, text);
    MessageTable table;
    ASSERT_EQ(table.loadLanguageFile(file).status, LanguageFileStatus::Loaded);
    for (int i = 0; i < kMessageCount; ++i) {
        const int from = i == 5 ? 175 : i == 175 ? 5 : i;
        EXPECT_EQ(table.text(i), BuiltInMessages()[static_cast<size_t>(from)]) << i;
    }
}

TEST(MessageLanguageFileTest, BytesAreTakenUnchecked)
{
    // Any byte but CR and LF is text: NUL, TAB and the whole upper half included.
    TempDir dir;
    std::string odd;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            odd += static_cast<char>(b);
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, odd + "\r\n" + NumberedLines(364));
    MessageTable table;
    ASSERT_EQ(table.loadLanguageFile(file).status, LanguageFileStatus::Loaded);
    EXPECT_EQ(table.text(0), odd);
    EXPECT_EQ(table.text(1), "L0");
}

TEST(MessageLanguageFileTest, MissingFileLeavesTheTable)
{
    TempDir dir;
    const MessageTable before = DistinctTable();
    MessageTable table = before;
    const LanguageFileResult result = table.loadLanguageFile(dir.path() / "language.dat");
    EXPECT_EQ(result.status, LanguageFileStatus::Missing);
    EXPECT_FALSE(result.error);
    EXPECT_EQ(table.entries(), before.entries());
}

TEST(MessageLanguageFileTest, UnreadableFileReportsTheStandardErrorAndLeavesTheTable)
{
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    fs::create_directory(file); // exists, but cannot be read as a file
    const MessageTable before = DistinctTable();
    MessageTable table = before;
    const LanguageFileResult result = table.loadLanguageFile(file);
    EXPECT_EQ(result.status, LanguageFileStatus::Unreadable);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->message.rfind("Cannot open file \"", 0), 0u) << result.error->message;
    EXPECT_EQ(table.entries(), before.entries());
}

// ---- Exporting ----------------------------------------------------------------------------

TEST(MessageLanguageFileTest, ExportWritesEveryEntryEndedByCrLf)
{
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    ASSERT_FALSE(MessageTable().exportLanguageFile(file));
    const std::string bytes = ReadBytes(file);
    std::string expected;
    for (const auto& entry : BuiltInMessages())
        expected += entry + "\r\n";
    EXPECT_EQ(bytes, expected);
    size_t crlf = 0;
    for (size_t pos = bytes.find("\r\n"); pos != std::string::npos; pos = bytes.find("\r\n", pos + 2))
        ++crlf;
    EXPECT_EQ(crlf, size_t(kMessageCount));
}

TEST(MessageLanguageFileTest, ExportThenLoadReproducesTheTable)
{
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    // The built-in table, and one with every byte value a line may hold and empty entries.
    MessageTable odd;
    std::vector<std::string> lines(kMessageCount);
    for (int i = 0; i < kMessageCount; ++i)
        for (int b = i % 7; b < 256; b += 3 + i % 5)
            if (b != '\r' && b != '\n')
                lines[static_cast<size_t>(i)] += static_cast<char>(b);
    lines[0].clear();
    lines[364].clear();
    ASSERT_TRUE(odd.replaceEntries(lines));

    for (const MessageTable& source : { MessageTable(), odd }) {
        ASSERT_FALSE(source.exportLanguageFile(file));
        const std::string firstExport = ReadBytes(file);
        MessageTable loaded = DistinctTable();
        ASSERT_EQ(loaded.loadLanguageFile(file).status, LanguageFileStatus::Loaded);
        EXPECT_EQ(loaded.entries(), source.entries());
        // Exporting the loaded table again gives the same bytes.
        ASSERT_FALSE(loaded.exportLanguageFile(file));
        EXPECT_EQ(ReadBytes(file), firstExport);
    }
}

TEST(MessageLanguageFileTest, ExportOverwritesWithoutAsking)
{
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, std::string(100000, 'z'));
    ASSERT_FALSE(DistinctTable().exportLanguageFile(file));
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.rfind("x0\r\nx1\r\n", 0), 0u);
    EXPECT_EQ(bytes.find('z'), std::string::npos);
}

TEST(MessageLanguageFileTest, ExportToAMissingDirectoryReportsTheStandardError)
{
    TempDir dir;
    const auto error = MessageTable().exportLanguageFile(dir.path() / "absent" / "language.dat");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message.rfind("Cannot create file \"", 0), 0u) << error->message;
}

// ---- The program's table and the program directory ----------------------------------------

TEST(MessageLanguageFileTest, ProgramTableLoadsFromAPathAndMsgFollows)
{
    TempDir dir;
    const fs::path file = dir.path() / "language.dat";
    WriteBytes(file, NumberedLines(365, "\n"));
    const LanguageFileResult result = LoadLanguageFile(file);
    EXPECT_EQ(result.status, LanguageFileStatus::Loaded);
    EXPECT_EQ(Msg(7), "L7");
    EXPECT_EQ(Msg(364), "L364");
    ASSERT_FALSE(ExportLanguageFile(file));
    std::string extension;
    for (size_t i = kCoreMessageCount; i < size_t(kMessageCount); ++i)
        extension += BuiltInMessages()[i] + "\r\n";
    EXPECT_EQ(ReadBytes(file), NumberedLines(365) + extension);
    CurrentMessageTable().reset();
    EXPECT_EQ(Msg(7), Utf8ToWin1251("не найдено"));
}

TEST(MessageLanguageFileTest, ProgramDirectoryFunctionsUseLanguageDat)
{
    const fs::path file = ProgramDir() / "language.dat";
    if (fs::exists(file))
        GTEST_SKIP() << "a language file already lies in " << ProgramDir();
    CurrentMessageTable().reset();
    ASSERT_FALSE(ExportLanguageFile());
    ASSERT_TRUE(fs::exists(file));
    CurrentMessageTable() = DistinctTable();
    EXPECT_EQ(LoadLanguageFile().status, LanguageFileStatus::Loaded);
    EXPECT_EQ(CurrentMessageTable().entries(), BuiltInMessages());
    fs::remove(file);
    EXPECT_EQ(LoadLanguageFile().status, LanguageFileStatus::Missing);
}

} // namespace
} // namespace morvane::app
