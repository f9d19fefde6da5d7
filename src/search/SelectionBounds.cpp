// The selection's real roots. Tests: tests/search/SelectionBoundsTest.cpp.

#include "search/SelectionBounds.h"

#include <algorithm>

namespace morvane::search {

namespace {

namespace fs = std::filesystem;

bool IsUnder(const fs::path& inner, const fs::path& outer)
{
    // Component by component, so "/a/bc" is not under "/a/b".
    auto it = inner.begin();
    for (auto part = outer.begin(); part != outer.end(); ++part, ++it) {
        if (part->empty() && std::next(part) == outer.end())
            return true; // a trailing separator
        if (it == inner.end() || *it != *part)
            return false;
    }
    return true;
}

} // namespace

SelectionBounds SelectionBounds::of(const PassSelection& selection)
{
    SelectionBounds bounds;
    PassRoot root;
    if (selection.MarkedCount() >= 1) {
        for (size_t i = 0; i < selection.items.size(); ++i)
            if (selection.items[i].marked && selection.rootOf(static_cast<int>(i), root))
                bounds.addRoot(root);
    } else if (selection.focusedIndex >= 0 && static_cast<size_t>(selection.focusedIndex) < selection.items.size()
        && selection.rootOf(selection.focusedIndex, root)) {
        bounds.addRoot(root);
    }
    return bounds;
}

void SelectionBounds::addRoot(const PassRoot& root)
{
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(root.path, ec);
    if (root.directory) {
        if (!ec)
            m_directories.push_back(real);
        return;
    }
    m_files.push_back(root.path.lexically_normal());
    if (!ec)
        m_realFiles.push_back(real);
}

bool SelectionBounds::contains(const fs::path& path) const
{
    if (std::find(m_files.begin(), m_files.end(), path.lexically_normal()) != m_files.end())
        return true;
    std::error_code ec;
    const fs::path real = fs::canonical(path, ec);
    if (ec)
        return true;
    if (std::find(m_realFiles.begin(), m_realFiles.end(), real) != m_realFiles.end())
        return true;
    return std::any_of(m_directories.begin(), m_directories.end(),
        [&](const fs::path& directory) { return IsUnder(real, directory); });
}

} // namespace morvane::search
