#pragma once
// The text that replaces a match, by the replace mode in force: the core of every pass's
// replacement. The extended evaluator is passed in by the caller, because it lives in a layer
// above this one (it reads the run counters and the current file's path, which the passes own).
// Covered by tests/rules/ReplacementByModeTest.cpp.

#include "regex/TRegex.h"
#include "rules/ReplaceMode.h"

#include <functional>
#include <string>
#include <string_view>

namespace morvane::rules {

// Evaluates an extended template against the engine's last match.
using TemplateEvaluator = std::function<std::string(std::string_view templateText)>;

// Simple: `replace` unchanged (escape sequences such as "\n" stay two characters).
// Substitution: the engine's Substitute(replace) for its last match.
// Extended: evaluate(replace).
std::string ReplacementByMode(
    ReplaceMode mode, std::string_view replace, regex::TRegex& engine, const TemplateEvaluator& evaluate);

} // namespace morvane::rules
