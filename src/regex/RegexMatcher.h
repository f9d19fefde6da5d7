#pragma once
// RegexMatcher: one attempt of the node program at one start position, leftmost-first with
// backtracking. The walk is a loop over nodes; every choice (an alternative, a repetition count,
// a loop iteration) and every change that a failed path must take back (group registers, loop
// level and counters) is recorded on a heap stack, so the C++ call stack stays flat however long
// the subject or the repetition. Popping the stack restores exactly the state that a recursive
// walk would have had when it returned to that choice, so the results are those of the
// recursive algorithm, with the loop level kept consistent on every path.
//
// Limits: a repetition that goes round without consuming a character is not repeated again
// (this is what makes "(a{0,5})*" terminate); a backreference to an empty group under a simple
// quantifier is tried once; a search that resumes more than a budget of choices ends with
// error 1016, and a stack beyond its bound with error 1017. The caller's abort check is polled
// after every kPollInterval units of work and ends the search with error 1018. A step (a choice
// resumed, an attempt begun, a loop round) costs kStepCost units and every character that a
// repetition counts, scans back over or compares costs one, so a search that takes few steps
// but scans far each time is polled as often as one that backtracks; a countdown keeps the cost
// to one subtraction per step or per scan.
// Covered by tests/regex/MatchTest.cpp, tests/regex/LargeInputTest.cpp and
// tests/regex/DifferentialTest.cpp.

#include "regex/BacktrackStack.h"
#include "regex/ProgramAnalyzer.h"
#include "regex/RegexProgram.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace morvane::regex {

class RegexMatcher {
public:
    struct Environment {
        const unsigned char* program = nullptr;
        const ProgramInfo* info = nullptr;
        const unsigned char* invertCase = nullptr; // 256 entries
        const bool* separators = nullptr; // 256 entries: characters of LineSeparatorChars
        const bool* wordChars = nullptr; // 256 entries: characters of WordChars
        unsigned char pairHead = '\r';
        unsigned char pairTail = '\n';
    };

    // Choice resumptions allowed per search (all attempts of one Exec, ExecPos or ExecNext): a
    // fixed part plus a part per subject character, so that no search runs much longer than a
    // scan of the subject times a constant.
    static constexpr int64_t kBudgetBase = 10000000;
    static constexpr int64_t kBudgetPerChar = 128;
    // Work between two calls of the abort check: about 4,096 steps, a few microseconds of
    // matching, so a request is seen at once while the call itself costs nothing measurable. A
    // step weighs as much as scanning kStepCost characters.
    static constexpr int64_t kStepCost = 64;
    static constexpr int64_t kPollInterval = 4096 * kStepCost;

    // The callback polled during searches (empty: none). Kept across searches.
    void SetAbortCheck(std::function<bool()> check) { m_abortCheck = std::move(check); }

    // What the next searches run with; the caller fills it in place before Begin (a copy made
    // per search would cost more than a short search itself).
    Environment& environment() { return m_env; }

    // Prepares a search of `subject` (`length` characters followed by a NUL).
    void Begin(const unsigned char* subject, int length);

    // Runs the program from the start position `position` (0-based). On success the registers
    // hold the match; group 0's start is not set here (the caller knows the start).
    bool Attempt(int position);

    // For a program with a lead repetition (ProgramInfo::leadRepeat): `position` when an attempt
    // there may succeed, else the first later start worth trying, every start before it being
    // one that the attempt would reject (its run of repeated characters is too short or is not
    // followed by what the continuation needs).
    int SkipLeadRun(int position);

    // Group registers of the last attempt, 0-based positions, -1 for none.
    int GroupStart(int n) const { return m_registers[n]; }
    int GroupEnd(int n) const { return m_registers[kGroups + n]; }
    int MatchEnd() const { return m_matchEnd; }
    // A match the search found without the matcher (a program that is only a literal): it
    // ends at `end` and sets no group.
    void SetLiteralMatch(int end)
    {
        std::fill(std::begin(m_registers), std::end(m_registers), -1);
        m_matchEnd = end;
    }

private:
    static constexpr int kGroups = 15;

    Environment m_env;
    const unsigned char* m_s = nullptr;
    int m_length = 0;
    int64_t m_budget = 0;
    // Counts down across searches, so that many short searches poll as often as one long one.
    // Mutable: the const one-step tests charge their scans too.
    mutable int64_t m_pollCountdown = kPollInterval;
    std::function<bool()> m_abortCheck;
    int m_matchEnd = 0;

    int m_registers[2 * kGroups] = {};
    int m_level = 0;
    int m_counters[kMaxLoopLevels + 1] = {};
    int m_iterationStart[kMaxLoopLevels + 1] = {};
    std::vector<int> m_backPositions;
    // The lead repetition of the program (ProgramInfo::leadRepeat), decoded per search.
    struct Lead {
        int operand = 0;
        int64_t min = 0;
        int64_t max = 0;
        const bool* accepts = nullptr;
        int backrefGap = -1;
        bool backrefCaseless = false;
    } m_lead;
    // The last run of one-character repetitions counted to its true end: every start from
    // m_runFrom to m_runEnd has its run end at m_runEnd, so starts inside one word or number
    // do not count its characters again. m_runOperand 0: none (reset per search).
    int m_runOperand = 0;
    int m_runFrom = 0;
    int m_runEnd = 0;
    BacktrackStack m_stack;

    // One step of the search, and `chars` characters scanned; the abort check is asked when the
    // countdown runs out.
    void tick() const { charge(kStepCost); }
    void charge(int64_t chars) const
    {
        m_pollCountdown -= chars;
        if (m_pollCountdown <= 0)
            poll();
    }
    void poll() const;

    int successor(int node) const;
    bool backtrack(int& node, int& pos);

    bool isLineStart(int pos) const;
    bool isLineEnd(int pos) const;
    bool isInLine(int pos) const;
    bool isWordBoundary(int pos) const;
    bool charMatches(int node, unsigned char c) const;
    int matchOne(int operand, int pos) const;
    int64_t repeatCount(int operand, int64_t max, int start);
    int64_t countRun(Opcode op, const unsigned char* operandBytes, int64_t max, int start) const;
    int repeatWidth(int operand) const;

    const ProgramInfo::FollowFilter* filterOf(int node) const;
    bool tryGreedy(int node, int64_t min, int width, int start, int64_t count, int& pos, int& next, bool resumed);
    bool tryLazy(int node, int start, int64_t count, int& pos, int& next);
    bool tryBranchLoop(int head, int start, int count, int& pos, int& next);
    void enterBody(int node, int pos, int counter);
};

} // namespace morvane::regex
