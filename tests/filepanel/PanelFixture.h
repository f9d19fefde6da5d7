#pragma once
// A file panel on a fresh temporary tree, with the scripted host, and helpers to read the
// listing back by names.

#include "fakes/FakePanelHost.h"
#include "filepanel/FilePanel.h"
#include "filepanel/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane::tests {

class PanelFixture : public ::testing::Test {
protected:
    PanelFixture()
        : panel(host)
    {
        panel.setDriveSpaceQuery([](const std::filesystem::path&) { return filepanel::DriveSpace { 0, 0 }; });
    }

    // Enters `dir` as start-up does: marks loaded before are applied, then StartingUp ends.
    void enter(const std::filesystem::path& dir)
    {
        ASSERT_TRUE(panel.ChangeDirectory(dir));
        panel.setStartingUp(false);
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const filepanel::FileItem& item : panel.items())
            result.push_back(item.name);
        return result;
    }

    std::vector<std::string> markedNames() const
    {
        std::vector<std::string> result;
        for (const filepanel::FileItem& item : panel.items()) {
            if (item.marked)
                result.push_back(item.name);
        }
        return result;
    }

    int indexOf(const std::string& name) const
    {
        for (int i = 0; i < panel.count(); ++i) {
            if (panel.items()[static_cast<std::size_t>(i)].name == name)
                return i;
        }
        ADD_FAILURE() << "no item " << name;
        return -1;
    }

    std::string focusedName() const
    {
        const int index = panel.focusedIndex();
        return index < 0 ? std::string("<none>") : panel.items()[static_cast<std::size_t>(index)].name;
    }

    TempTree tree;
    FakePanelHost host;
    filepanel::FilePanel panel;
};

} // namespace morvane::tests
