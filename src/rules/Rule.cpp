#include "rules/Rule.h"

namespace morvane::rules {

Rule ParseRuleLine(std::string_view line)
{
    Rule rule;
    const size_t tab1 = line.find('\t');
    if (tab1 == std::string_view::npos) {
        rule.Find = line;
        return rule;
    }
    rule.Find = line.substr(0, tab1);
    const std::string_view rest = line.substr(tab1 + 1);
    const size_t tab2 = rest.find('\t');
    if (tab2 == std::string_view::npos) {
        rule.Replace = rest;
        return rule;
    }
    rule.Replace = rest.substr(0, tab2);
    rule.Remark = rest.substr(tab2 + 1);
    return rule;
}

std::string FormatRuleLine(const Rule& rule)
{
    std::string line;
    line.reserve(rule.Find.size() + rule.Replace.size() + rule.Remark.size() + 2);
    line += rule.Find;
    line += '\t';
    line += rule.Replace;
    line += '\t';
    line += rule.Remark;
    return line;
}

std::string MemoToField(std::string_view memo)
{
    std::string field;
    field.reserve(memo.size());
    for (const char c : memo) {
        switch (c) {
        case '\t':
            field += "\\t";
            break;
        case '\r':
            field += "\\r";
            break;
        case '\n':
            field += "\\n";
            break;
        default:
            field += c;
        }
    }
    return field;
}

} // namespace morvane::rules
