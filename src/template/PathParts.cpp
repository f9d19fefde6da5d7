// Path and name parts for the template's path and name items. Covered by
// tests/template/PathItemTest.cpp.

#include "template/PathParts.h"

namespace morvane::templ {

namespace {

constexpr char kSeparator = '/';

} // namespace

std::string DirectoryPart(std::string_view pathText)
{
    const std::size_t last = pathText.rfind(kSeparator);
    if (last == std::string_view::npos)
        return {};
    if (last == 0)
        return std::string(1, kSeparator);
    return std::string(pathText.substr(0, last));
}

std::string NamePart(std::string_view pathText)
{
    const std::size_t last = pathText.rfind(kSeparator);
    return std::string(last == std::string_view::npos ? pathText : pathText.substr(last + 1));
}

std::string SelectDirectoryPart(std::string_view directory, char selector)
{
    switch (selector) {
    case 'N':
        return NamePart(directory);
    case 'D':
        return {};
    case 'R':
        return !directory.empty() && directory.front() == kSeparator ? std::string(1, kSeparator)
                                                                     : std::string();
    default:
        return std::string(directory);
    }
}

std::string SelectNamePart(std::string_view name, char selector)
{
    const std::size_t dot = name.rfind('.');
    switch (selector) {
    case 'N':
        return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
    case 'E':
        return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
    default:
        return std::string(name);
    }
}

} // namespace morvane::templ
