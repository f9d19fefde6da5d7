// The per-file steps on backup copies: naming, the run up to the first gap, restore-previous,
// restore-first, delete, and the ".hidden" bookkeeping that goes with each.

#include "search/Backups.h"
#include "TempTree.h"
#include "app/FileIo.h"
#include "search/HiddenList.h"

#include <gtest/gtest.h>

namespace morvane::search {
namespace {

namespace fs = std::filesystem;
using test::TempTree;

std::string Read(const fs::path& path)
{
    std::string bytes;
    EXPECT_FALSE(app::ReadWholeFile(path, bytes)) << path;
    return bytes;
}

// a.htm with copies a.htm0, a.htm1 and a.htm3 (a.htm2 missing), all listed as hidden.
void MakeGapTree(const TempTree& tree)
{
    tree.file("a.htm", "now");
    for (const char* n : { "0", "1", "3" }) {
        tree.file(std::string("a.htm") + n, std::string("c") + n);
        AddToHiddenList(tree / (std::string("a.htm") + n));
    }
}

TEST(BackupNames, NumberFollowsThePathDirectly)
{
    EXPECT_EQ(Backups::BackupName("/d/a.htm", 0), fs::path("/d/a.htm0"));
    EXPECT_EQ(Backups::BackupName("/d/a.htm", 12), fs::path("/d/a.htm12"));
    EXPECT_EQ(Backups::BackupName("/d/a.htm0", 0), fs::path("/d/a.htm00"));
}

TEST(BackupSteps, ThreeRewritesThenStepBackTwice)
{
    TempTree tree;
    tree.file("a.htm", "v0");
    Backups backups;
    for (const char* content : { "v1", "v2", "v3" })
        ASSERT_FALSE(backups.RewriteFile(tree / "a.htm", content));
    for (const char* n : { "0", "1", "2" })
        EXPECT_TRUE(IsInHiddenList(tree / (std::string("a.htm") + n))) << n;

    EXPECT_TRUE(backups.RestorePrevious(tree / "a.htm"));
    EXPECT_EQ(Read(tree / "a.htm"), "v2");
    EXPECT_FALSE(fs::exists(tree / "a.htm2"));
    EXPECT_FALSE(IsInHiddenList(tree / "a.htm2"));
    EXPECT_FALSE(IsInHiddenList(tree / "a.htm"));
    EXPECT_TRUE(backups.RestorePrevious(tree / "a.htm"));
    EXPECT_EQ(Read(tree / "a.htm"), "v1");
    EXPECT_EQ(backups.FilesProcessed(), 2);
    EXPECT_EQ(backups.FilesRestored(), 2);
}

TEST(BackupSteps, GapEndsTheRun)
{
    {
        TempTree tree;
        MakeGapTree(tree);
        Backups backups;
        backups.MakeBackup(tree / "a.htm");
        EXPECT_EQ(Read(tree / "a.htm2"), "now") << "the next copy fills the gap";
        EXPECT_FALSE(fs::exists(tree / "a.htm"));
        EXPECT_TRUE(IsInHiddenList(tree / "a.htm2"));
    }
    {
        TempTree tree;
        MakeGapTree(tree);
        Backups backups;
        EXPECT_TRUE(backups.RestorePrevious(tree / "a.htm"));
        EXPECT_EQ(Read(tree / "a.htm"), "c1");
        EXPECT_EQ(Read(tree / "a.htm3"), "c3");
    }
    {
        TempTree tree;
        MakeGapTree(tree);
        Backups backups;
        EXPECT_TRUE(backups.RestoreFirst(tree / "a.htm"));
        EXPECT_EQ(Read(tree / "a.htm"), "c0");
        EXPECT_FALSE(fs::exists(tree / "a.htm0"));
        EXPECT_FALSE(fs::exists(tree / "a.htm1"));
        EXPECT_EQ(Read(tree / "a.htm3"), "c3") << "beyond the gap: not part of the run";
        EXPECT_EQ(Read(tree / ".hidden"), "a.htm3\n");
    }
    {
        TempTree tree;
        MakeGapTree(tree);
        Backups backups;
        backups.DeleteBackups(tree / "a.htm");
        EXPECT_EQ(backups.BackupsDeleted(), 2);
        EXPECT_EQ(Read(tree / "a.htm"), "now");
        EXPECT_FALSE(fs::exists(tree / "a.htm0"));
        EXPECT_FALSE(fs::exists(tree / "a.htm1"));
        EXPECT_TRUE(fs::exists(tree / "a.htm3"));
        EXPECT_EQ(Read(tree / ".hidden"), "a.htm3\n");
    }
}

TEST(BackupSteps, FileWithoutCopiesIsOnlyCounted)
{
    TempTree tree;
    tree.file("plain.txt", "p");
    Backups backups;
    EXPECT_FALSE(backups.RestorePrevious(tree / "plain.txt"));
    EXPECT_FALSE(backups.RestoreFirst(tree / "plain.txt"));
    EXPECT_EQ(backups.FilesProcessed(), 2);
    EXPECT_EQ(backups.FilesRestored(), 0);
    EXPECT_EQ(Read(tree / "plain.txt"), "p");
}

TEST(BackupSteps, OptionOffMakesNoCopyButRestoreStillWorks)
{
    TempTree tree;
    tree.file("a.txt", "old");
    Backups backups;
    backups.setSaveBackup(false);
    backups.MakeBackup(tree / "a.txt");
    backups.MakeBackupCopy(tree / "a.txt");
    ASSERT_FALSE(backups.RewriteFile(tree / "a.txt", "new"));
    EXPECT_FALSE(fs::exists(tree / "a.txt0"));
    tree.file("a.txt0", "earlier");
    EXPECT_TRUE(backups.RestorePrevious(tree / "a.txt"));
    EXPECT_EQ(Read(tree / "a.txt"), "earlier");
}

TEST(BackupSteps, CopyKeepsTheOriginalAndNeverOverwrites)
{
    TempTree tree;
    tree.file("c.txt", "content");
    Backups backups;
    backups.MakeBackupCopy(tree / "c.txt");
    backups.MakeBackupCopy(tree / "c.txt");
    EXPECT_EQ(Read(tree / "c.txt"), "content");
    EXPECT_EQ(Read(tree / "c.txt0"), "content");
    EXPECT_EQ(Read(tree / "c.txt1"), "content");
    EXPECT_EQ(Read(tree / ".hidden"), "c.txt0\nc.txt1\n");
    backups.MakeBackupCopy(tree / "missing.txt");
    EXPECT_FALSE(fs::exists(tree / "missing.txt0"));
}

} // namespace
} // namespace morvane::search
