// The panel's selection as a pass sees it. Tests: tests/search/PassSelectionTest.cpp.

#include "search/PassSelection.h"

#include <algorithm>

namespace morvane::search {

int PassSelection::MarkedCount() const
{
    return static_cast<int>(
        std::count_if(items.begin(), items.end(), [](const PassItem& item) { return item.marked; }));
}

std::filesystem::path PassSelection::itemPath(int index) const
{
    return directory / items.at(static_cast<size_t>(index)).name;
}

bool PassSelection::rootOf(int index, PassRoot& root) const
{
    const PassItem& item = items.at(static_cast<size_t>(index));
    if (item.name == "..")
        return false;
    root.path = itemPath(index);
    root.directory = item.directory;
    return true;
}

} // namespace morvane::search
