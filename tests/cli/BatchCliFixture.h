#pragma once
// What the batch command tests share: a temporary tree of their own, the file helpers, and the
// expected lines of the report rows and of the program's messages as the CLI prints them.

#include "CliRunner.h"
#include "fakes/FileBytes.h"
#include "search/TempTree.h"

#include "app/Format.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace morvane::test {

class BatchCliTest : public ::testing::Test {
protected:
    // The absolute path of `relative` in the tree, as the CLI prints it.
    std::string path(const std::string& relative) const { return (tree / relative).native(); }
    void write(const std::string& relative, const std::string& bytes) const { tree.file(relative, bytes); }
    std::string read(const std::string& relative) const { return ReadFileBytes(tree / relative); }
    bool exists(const std::string& relative) const { return std::filesystem::exists(tree / relative); }

    // A report row: PATH TAB FOUND TAB REPLACED.
    std::string row(const std::string& relative, const std::string& found, const std::string& replaced) const
    {
        return path(relative) + "\t" + found + "\t" + replaced + "\n";
    }

    // Message `index` filled with `args`, as a terminal line: UTF-8, without the leading blank
    // of a status text.
    static std::string msgLine(int index, std::initializer_list<app::FormatArg> args)
    {
        std::string text = app::FillMessage(app::Msg(index), args);
        if (!text.empty() && text[0] == ' ')
            text.erase(0, 1);
        return codepage::Win1251ToUtf8(text) + "\n";
    }

    // The three summary lines of a replace run in place (messages 46, 47, 48) or to output
    // files (46, 67, 68).
    static std::string summary(
        int processed, int listed, int found, int changed, int matches, int replaced, bool toFiles = false)
    {
        return msgLine(46, { processed, listed }) + msgLine(toFiles ? 67 : 47, { found, changed })
            + msgLine(toFiles ? 68 : 48, { matches, replaced });
    }

    // The status line of a replace run in place (message 43) or to output files (66).
    static std::string replaceStatus(int processed, int listed, int found, int changed, int inFile,
        int replacedInFile, int matches, int replaced, bool toFiles = false)
    {
        return msgLine(toFiles ? 66 : 43,
            { processed, listed, found, changed, inFile, replacedInFile, matches, replaced });
    }

    // Text of the program (UTF-8 literal) in Windows-1251 and in KOI8-R.
    static std::string win(const std::string& utf8) { return codepage::Utf8ToWin1251(utf8); }
    static std::string koi(const std::string& utf8) { return codepage::ConvertText(win(utf8), 0, 1); }

    TempTree tree;
};

} // namespace morvane::test
