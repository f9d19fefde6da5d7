// The panel's sort keys. Covered by tests/filepanel/SortKeyTest.cpp.

#include "filepanel/SortKey.h"

#include "codepage/CodePage.h"
#include "filepanel/CaseFold.h"
#include "filepanel/DosDateTime.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace morvane::filepanel {

std::string LowerExtension(const std::string& name1251)
{
    const std::size_t dot = name1251.rfind('.');
    if (dot == std::string::npos)
        return {};
    return LowerWin1251(std::string_view(name1251).substr(dot));
}

std::string SortKey(const FileItem& item, SortMode mode)
{
    if (item.isParent())
        return mode == SortMode::Date ? " " : "";
    const std::string name = LowerWin1251(codepage::Utf8ToWin1251(item.name));
    const char* group = item.isDirectory() ? "0" : "1";
    switch (mode) {
    case SortMode::Name:
        return group + name;
    case SortMode::Type:
        return item.isDirectory() ? group + name : group + LowerExtension(name) + name;
    case SortMode::Date:
        return group + DosDateSortText(item.date) + name;
    case SortMode::Size: {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%12lld", static_cast<long long>(item.size));
        return buffer + name;
    }
    }
    return name;
}

std::vector<int> SortOrder(const std::vector<FileItem>& items, SortMode mode)
{
    std::vector<std::string> keys;
    keys.reserve(items.size());
    for (const FileItem& item : items)
        keys.push_back(SortKey(item, mode));
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(
        order.begin(), order.end(), [&keys](int a, int b) { return CompareTextAscii(keys[a], keys[b]) < 0; });
    return order;
}

} // namespace morvane::filepanel
