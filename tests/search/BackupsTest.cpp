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


TEST(BackupSteps, FailedRestoreIsNotCountedAndKeepsTheCopyListed)
{
    // A directory in the file's place: the copy cannot be renamed over it.
    TempTree tree;
    tree.file("a.htm/inside", "x");
    tree.file("a.htm0", "copy");
    AddToHiddenList(tree / "a.htm0");
    for (const bool toFirst : { false, true }) {
        Backups backups;
        std::optional<app::FileError> error;
        EXPECT_FALSE(toFirst ? backups.RestoreFirst(tree / "a.htm", &error)
                             : backups.RestorePrevious(tree / "a.htm", &error));
        ASSERT_TRUE(error) << toFirst;
        EXPECT_TRUE(error->message.find("a.htm") != std::string::npos) << error->message;
        EXPECT_EQ(backups.FilesRestored(), 0);
        EXPECT_EQ(backups.FilesFailed(), 1);
        EXPECT_EQ(Read(tree / "a.htm0"), "copy");
        EXPECT_TRUE(IsInHiddenList(tree / "a.htm0"));
    }
}

TEST(BackupSteps, RestoreFirstStopsWhenALaterCopyCannotGo)
{
    TempTree tree;
    tree.file("a.htm", "now");
    tree.file("a.htm0", "c0");
    tree.file("a.htm1/inside", "a directory cannot be unlinked");
    tree.file("a.htm2", "c2");
    Backups backups;
    std::optional<app::FileError> error;
    EXPECT_FALSE(backups.RestoreFirst(tree / "a.htm", &error));
    EXPECT_TRUE(error);
    EXPECT_EQ(Read(tree / "a.htm"), "now");
    EXPECT_EQ(Read(tree / "a.htm0"), "c0") << "the run still begins with the first copy";
}

TEST(BackupSteps, RestoreGoesThroughASymbolicLink)
{
    TempTree tree;
    tree.file("real.txt", "replaced");
    tree.link("link.txt", "real.txt");
    tree.file("link.txt0", "first");
    tree.file("link.txt1", "second");
    Backups backups;
    EXPECT_TRUE(backups.RestorePrevious(tree / "link.txt"));
    EXPECT_TRUE(fs::is_symlink(tree / "link.txt"));
    EXPECT_EQ(Read(tree / "real.txt"), "second");
    EXPECT_TRUE(backups.RestoreFirst(tree / "link.txt"));
    EXPECT_TRUE(fs::is_symlink(tree / "link.txt"));
    EXPECT_EQ(Read(tree / "real.txt"), "first");
    EXPECT_EQ(Backups::BackupRunLength(tree / "link.txt"), 0);
}

TEST(BackupSteps, FilesThatMustNotChangeAreRefusedWithTheirKind)
{
    struct Row {
        const char* name;
        bool backupOn;
        app::FileFailure kind;
    } const rows[] = {
        { "ro.txt", true, app::FileFailure::ReadOnly },
        { "ro.txt", false, app::FileFailure::ReadOnly },
        { "line\nbreak.txt", true, app::FileFailure::LineBreakInName },
        { "carriage\rreturn.txt", true, app::FileFailure::LineBreakInName },
        { "linked.txt", true, app::FileFailure::HiddenListLink },
    };
    for (const Row& row : rows) {
        TempTree tree;
        TempTree outside;
        const std::string name = row.name;
        tree.file(name, "old");
        if (name == "ro.txt")
            ::chmod((tree / name).c_str(), 0444);
        if (name == "linked.txt") {
            outside.file("profile", "echo hello\n");
            tree.link(".hidden", (outside / "profile").string());
        }
        Backups backups;
        backups.setSaveBackup(row.backupOn);
        const std::optional<app::FileError> error = backups.RewriteFile(tree / name, "new");
        ASSERT_TRUE(error) << row.name;
        EXPECT_EQ(error->kind, row.kind) << row.name;
        EXPECT_EQ(Read(tree / name), "old") << row.name;
        EXPECT_EQ(Backups::BackupRunLength(tree / name), 0) << row.name;
        if (name == "linked.txt") {
            EXPECT_EQ(Read(outside / "profile"), "echo hello\n");
            EXPECT_TRUE(fs::is_symlink(tree / ".hidden"));
        } else {
            EXPECT_FALSE(fs::exists(tree / ".hidden")) << row.name;
        }
    }
}

} // namespace
} // namespace morvane::search
