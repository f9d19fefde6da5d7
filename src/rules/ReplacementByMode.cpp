#include "rules/ReplacementByMode.h"

#include <cassert>

namespace morvane::rules {

std::string ReplacementByMode(
    ReplaceMode mode, std::string_view replace, regex::TRegex& engine, const TemplateEvaluator& evaluate)
{
    switch (mode) {
    case ReplaceMode::Simple:
        return std::string(replace);
    case ReplaceMode::Substitution:
        return engine.Substitute(replace);
    case ReplaceMode::Extended:
        assert(evaluate);
        return evaluate(replace);
    }
    return std::string(replace);
}

} // namespace morvane::rules
