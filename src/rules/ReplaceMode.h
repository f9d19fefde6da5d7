#pragma once
// How a rule's replacement text is read. Covered by tests/rules/RuleCompilerTest.cpp.

namespace morvane::rules {

// The values are the ones stored and compared everywhere (0, 1, 2).
enum class ReplaceMode : int {
    Simple = 0, // the replacement is inserted as it stands
    Substitution = 1, // the engine's group substitution of the replacement
    Extended = 2, // the extended template evaluator
};

} // namespace morvane::rules
