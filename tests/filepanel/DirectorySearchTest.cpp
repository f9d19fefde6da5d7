// Reading directories: order, attribute words, hidden entries, links, and attribute requests.

#include "filepanel/DirectorySearch.h"
#include "filepanel/FileAttributes.h"
#include "filepanel/TempTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace morvane::filepanel;
using morvane::tests::TempTree;

namespace {

std::vector<std::string> Names(const std::vector<DirEntry>& entries)
{
    std::vector<std::string> names;
    for (const DirEntry& entry : entries)
        names.push_back(entry.name.native());
    return names;
}

const DirEntry& Find(const std::vector<DirEntry>& entries, const std::string& name)
{
    for (const DirEntry& entry : entries) {
        if (entry.name == name)
            return entry;
    }
    throw std::runtime_error("no entry " + name);
}

TEST(DirectorySearchTest, ListsEntriesInNameOrderIgnoringCase)
{
    TempTree tree;
    for (const char* name : { "b.txt", "A.txt", "c", "B.TXT", "a0", "Жук", "ёж", "_x" })
        tree.file(name);
    tree.dir("Dir");
    EXPECT_EQ(Names(ReadDirectoryEntries(tree.root())),
        (std::vector<std::string> { "_x", "A.txt", "a0", "B.TXT", "b.txt", "c", "Dir", "ёж", "Жук" }));
}

TEST(DirectorySearchTest, AttributeWordsAndSizes)
{
    TempTree tree;
    tree.file("plain.txt", "12345");
    tree.file(".dot");
    tree.dir("sub");
    tree.dir(".git");
    const auto readOnly = tree.file("ro.txt", "x");
    ::chmod(readOnly.c_str(), 0444);

    const std::vector<DirEntry> entries = ReadDirectoryEntries(tree.root());
    EXPECT_EQ(Find(entries, "plain.txt").attributes, kAttrArchive);
    EXPECT_EQ(Find(entries, "plain.txt").size, 5u);
    EXPECT_EQ(Find(entries, ".dot").attributes, kAttrArchive | kAttrHidden);
    EXPECT_EQ(Find(entries, "sub").attributes, kAttrDirectory);
    EXPECT_EQ(Find(entries, "sub").size, 0u);
    EXPECT_EQ(Find(entries, ".git").attributes, kAttrDirectory | kAttrHidden);
    EXPECT_EQ(Find(entries, "ro.txt").attributes, kAttrArchive | kAttrReadOnly);
    const std::vector<std::string> names = Names(entries);
    EXPECT_EQ(std::count(names.begin(), names.end(), std::string("..")), 0);
}

TEST(DirectorySearchTest, TheHiddenFileListsHiddenNames)
{
    TempTree tree;
    tree.file(".hidden", "secret.txt\r\nbackup.txt0\n\nHideDir\nmissing\n");
    tree.file("secret.txt");
    tree.file("backup.txt0");
    tree.file("shown.txt");
    tree.dir("HideDir");
    const std::vector<DirEntry> entries = ReadDirectoryEntries(tree.root());
    EXPECT_TRUE(Find(entries, "secret.txt").attributes & kAttrHidden); // CR LF line end
    EXPECT_TRUE(Find(entries, "backup.txt0").attributes & kAttrHidden);
    EXPECT_TRUE(Find(entries, "HideDir").attributes & kAttrHidden);
    EXPECT_FALSE(Find(entries, "shown.txt").attributes & kAttrHidden);
    EXPECT_TRUE(Find(entries, ".hidden").attributes & kAttrHidden);
    EXPECT_EQ(ReadHiddenList(tree.root()),
        (std::vector<std::string> { "secret.txt", "backup.txt0", "HideDir", "missing" }));
}

TEST(DirectorySearchTest, LinksCountAsWhatTheyPointTo)
{
    TempTree tree;
    tree.file("target.txt", "abc");
    tree.dir("realdir");
    std::filesystem::create_symlink("target.txt", tree / "link.txt");
    std::filesystem::create_directory_symlink("realdir", tree / "linkdir");
    std::filesystem::create_symlink("nowhere", tree / "dangling");
    ::mkfifo((tree / "pipe").c_str(), 0644);

    tree.file(".dot");

    // A walk that asks for kinds only gets the same entries and kinds.
    for (const bool typesOnly : { false, true }) {
        const std::vector<DirEntry> entries = ReadDirectoryEntries(tree.root(), typesOnly);
        EXPECT_EQ(Names(entries),
            (std::vector<std::string> { ".dot", "dangling", "link.txt", "linkdir", "realdir", "target.txt" }));
        EXPECT_FALSE(Find(entries, "link.txt").isDirectory());
        EXPECT_EQ(Find(entries, "link.txt").size, 3u);
        EXPECT_TRUE(Find(entries, "link.txt").symlink);
        EXPECT_TRUE(Find(entries, "linkdir").isDirectory());
        EXPECT_TRUE(Find(entries, "linkdir").symlink);
        EXPECT_TRUE(Find(entries, "realdir").isDirectory());
        EXPECT_FALSE(Find(entries, "dangling").isDirectory());
        EXPECT_FALSE(Find(entries, "target.txt").symlink);
        EXPECT_FALSE(Find(entries, "target.txt").isDirectory());
        EXPECT_EQ(Find(entries, ".dot").attributes, kAttrArchive | kAttrHidden);
    }
}

TEST(DirectorySearchTest, AMissingDirectoryGivesNothing)
{
    TempTree tree;
    EXPECT_TRUE(ReadDirectoryEntries(tree / "absent").empty());
    EXPECT_TRUE(FindEntries(tree / "absent", "*.*", kRequestDirsHidden).empty());
}

TEST(DirectorySearchTest, RequestsExcludeTheSpecialAttributesTheyLack)
{
    const struct {
        unsigned attributes;
        unsigned request;
        bool passes;
    } cases[] = {
        { kAttrArchive, kRequestFiles, true },
        { kAttrArchive | kAttrReadOnly, kRequestFiles, true }, // read-only and archive never exclude
        { kAttrArchive | kAttrHidden, kRequestFiles, false },
        { kAttrArchive | kAttrHidden, kRequestFilesHidden, true },
        { kAttrArchive | kAttrSystem, kRequestFiles, true }, // system files always
        { kAttrDirectory, kRequestFilesHidden, false }, // files only
        { kAttrDirectory, kRequestDirs, true },
        { kAttrDirectory | kAttrHidden, kRequestDirs, false },
        { kAttrDirectory | kAttrHidden, kRequestDirsHidden, true },
        { kAttrDirectory | kAttrHidden, kRequestPanelDirs, true },
        { kAttrDirectory | kAttrSystem, kRequestPanelDirs, false },
        { kAttrVolume, kRequestPanelDirs, false },
        { kAttrVolume, kRequestDirsHidden, true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PassesRequest(c.attributes, c.request), c.passes)
            << std::hex << c.attributes << " " << c.request;
}

TEST(DirectorySearchTest, FindAppliesMaskAndRequest)
{
    TempTree tree;
    tree.file("a.txt");
    tree.file("B.TXT");
    tree.file(".h.txt");
    tree.file("c.htm");
    tree.dir("d.txt");
    EXPECT_EQ(Names(FindEntries(tree.root(), "*.txt", kRequestFiles)),
        (std::vector<std::string> { "a.txt", "B.TXT" }));
    EXPECT_EQ(Names(FindEntries(tree.root(), "*.txt", kRequestFilesHidden)),
        (std::vector<std::string> { ".h.txt", "a.txt", "B.TXT" }));
    EXPECT_EQ(Names(FindEntries(tree.root(), "*.txt", kRequestDirs)),
        (std::vector<std::string> { "a.txt", "B.TXT", "d.txt" }));
    EXPECT_TRUE(FindEntries(tree.root(), "", kRequestDirsHidden).empty());
}

} // namespace
