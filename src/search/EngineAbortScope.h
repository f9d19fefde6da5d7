#pragma once
// A pass's hold on the search engine's abort check, and the sorting of the engine's run-time
// errors. While the scope lives, a long search lets window messages through (throttled by the
// response interval) and stops with error 1018 as soon as the user's abort is requested, so
// Esc or Ctrl+C stops even one search over a huge file at once. Covered by
// tests/search/SearchPassTest.cpp and tests/search/ReplaceEverywhereTest.cpp.

#include "regex/ERegex.h"
#include "regex/RegexErrors.h"
#include "regex/TRegex.h"
#include "search/PassControl.h"

namespace morvane::search {

class EngineAbortScope {
public:
    EngineAbortScope(PassControl& control, regex::TRegex& engine)
        : m_engine(engine)
    {
        engine.SetAbortCheck([&control] {
            control.PumpMessages();
            return control.AbortRequested();
        });
    }
    ~EngineAbortScope() { m_engine.SetAbortCheck({}); }
    EngineAbortScope(const EngineAbortScope&) = delete;
    EngineAbortScope& operator=(const EngineAbortScope&) = delete;

private:
    regex::TRegex& m_engine;
};

// The search was stopped by the abort check: the pass ends as aborted.
inline bool IsSearchAborted(const regex::ERegex& error)
{
    return error.ErrorCode() == regex::kErrSearchAborted;
}

// A limit of one search (backtracking budget, stack bound): that file could not be searched,
// the pass goes on with the next.
inline bool IsSearchLimit(const regex::ERegex& error)
{
    return error.ErrorCode() == regex::kErrBacktrackLimit || error.ErrorCode() == regex::kErrMatchStackLimit;
}

} // namespace morvane::search
