#pragma once
// A file panel in a temporary directory wired to the file commands, the pass controls and
// scripted dialogs, with helpers to build trees and mark items by name.

#include "fakes/FakeFileOperationsHost.h"
#include "fakes/FakePanelHost.h"
#include "fakes/FileBytes.h"
#include "fakes/UniqueTempDir.h"
#include "filepanel/FilePanel.h"
#include "search/FileOperations.h"
#include "search/PassFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace morvane::test {

class FileOpsTest : public ::testing::Test {
protected:
    ScopedTempDir temp { "fileops" };
    std::filesystem::path work = temp.path() / "work"; // the panel's directory
    std::filesystem::path target = temp.path() / "target"; // where copies and moves go
    PassFixture pass;
    tests::FakePanelHost panelHost;
    filepanel::FilePanel panel { panelHost };
    FakeFileOperationsHost dialogs;
    search::FileOperations ops { pass.control, dialogs };

    void SetUp() override
    {
        std::filesystem::create_directories(work);
        std::filesystem::create_directories(target);
    }

    // Creates `relative` below the panel's directory (and its directories) holding `bytes`.
    std::filesystem::path file(const std::string& relative, const std::string& bytes = "data")
    {
        const std::filesystem::path p = work / relative;
        std::filesystem::create_directories(p.parent_path());
        WriteFileBytes(p, bytes);
        return p;
    }

    // Lists the panel's directory (again) with every file shown.
    void list()
    {
        panel.setMaskText("*.*");
        panel.setProcessHidden(true);
        if (panel.currentDirectory() != work) {
            panel.ChangeDirectory(work);
            panel.setStartingUp(false);
        } else {
            panel.ReadDirectory();
        }
    }

    int indexOf(const std::string& name) const
    {
        for (int i = 0; i < panel.count(); ++i)
            if (panel.items()[static_cast<size_t>(i)].name == name)
                return i;
        return -1;
    }

    void mark(std::initializer_list<std::string> names)
    {
        for (const std::string& name : names) {
            ASSERT_GE(indexOf(name), 0) << name;
            panel.setMark(indexOf(name), true);
        }
    }

    void select(const std::string& name)
    {
        ASSERT_GE(indexOf(name), 0) << name;
        panel.focusItem(indexOf(name));
    }

    static bool exists(const std::filesystem::path& p)
    {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(p, ec));
    }
};

} // namespace morvane::test
