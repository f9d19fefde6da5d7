#include "rules/TableFile.h"

#include "app/FileIo.h"
#include "app/TextLines.h"

namespace morvane::rules {

std::optional<app::FileError> ReadTableFile(const std::filesystem::path& path, LineList& lines)
{
    std::string bytes;
    if (auto error = app::ReadWholeFile(path, bytes))
        return error;
    lines = app::SplitLines(bytes);
    return std::nullopt;
}

std::optional<app::FileError> WriteTableFile(const std::filesystem::path& path, const LineList& lines)
{
    return app::WriteWholeFile(path, app::JoinLinesCrLf(lines));
}

std::vector<Rule> LinesToRules(const LineList& lines)
{
    std::vector<Rule> rules;
    rules.reserve(lines.size());
    for (const auto& line : lines)
        rules.push_back(ParseRuleLine(line));
    return rules;
}

LineList RulesToLines(const std::vector<Rule>& rules)
{
    LineList lines;
    lines.reserve(rules.size());
    for (const auto& rule : rules)
        lines.push_back(FormatRuleLine(rule));
    return lines;
}

} // namespace morvane::rules
