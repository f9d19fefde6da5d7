#pragma once
// ProgramAnalyzer: the data computed from a finished program that lets the search skip start
// positions (FirstCharSet, RequiredFirstChar, Anchored, RequiredText, the lead repetition and a
// backreference to it), plus what the matcher needs beside the program: an index for every
// loop-closing back node (to stop repetitions that consume nothing), the branch loops over one
// in-line character that it runs as a counted loop, and the first characters of alternatives.
// Covered by tests/regex/ProgramLayoutTest.cpp, tests/regex/SearchTest.cpp and
// tests/regex/MatchTest.cpp.

#include <array>
#include <cstdint>
#include <vector>

namespace morvane::regex {

struct ProgramInfo {
    bool firstChar[256] = {};
    int firstCharCount = 0;
    int requiredFirstChar = -1;
    bool anchored = false;
    int requiredTextOffset = 0; // program offset of the literal's bytes
    int requiredTextLength = 0; // 0: none
    int backCount = 0;
    // Single alternative only. A literal that every match begins with (past zero-width group
    // marks, comments and word boundaries): program offset of its bytes, its length (0: none),
    // whether it compares without case, and the index of its rarest character, which the
    // search scans for instead of trying every start.
    int prefixOffset = 0;
    int prefixLength = 0;
    bool prefixCaseless = false;
    int prefixRare = 0;
    // The literal's characters the start scan tests (LiteralScan.h): the rarest first, then up
    // to two others that differ from it (repeated where the literal has fewer).
    int prefixScan[3] = {};
    // Word-boundary tests right before and right after that literal (only zero-width marks
    // between): +1 for \b, -1 for \B, 0 for none or both kinds. The search checks them at a
    // candidate start before it tries the start.
    int prefixBoundBefore = 0;
    int prefixBoundAfter = 0;
    // The program is that literal and those tests alone (no group, nothing after): a start that
    // passes them matches exactly the literal, without running the matcher.
    bool prefixIsMatch = false;
    // Every match begins at a line start ("^" in line mode comes first): the search tries only
    // the subject start and the places after a line-ending character.
    bool lineStartFirst = false;
    // Single alternative only. A greedy repetition of a one-character test that is the first
    // thing a match consumes (past group marks and no-ops), whose continuation cannot begin with
    // a character it repeats: its program offset, or 0. From any start inside one run of its
    // characters the repetition takes the rest of the run and the continuation must begin right
    // after it, so when that fails from one start it fails from every start in the run and the
    // search steps over the whole run.
    int leadRepeat = 0;
    // With a lead repetition: when a group holds exactly the repetition's characters and a
    // backreference to it follows after a fixed number of characters (no choice between), the
    // backreference's first character stands that many characters after the run, and a start
    // inside the run can only match where its character is that one (or its other case, for a
    // caseless backreference). The fixed number, or -1 when there is no such backreference.
    int leadBackrefGap = -1;
    bool leadBackrefCaseless = false;
    // Where an attempt begins: past the top branch node when it has a single alternative (it
    // records no choice then), else 1.
    int entry = 1;
    // Per program byte offset: for a back node its index; for the head of a branch loop over
    // one in-line character, -1 - (index into branchLoops); for a simple repetition the index of
    // the filter of what follows it, or -1. Empty when none of these occurs.
    std::vector<int32_t> nodeAux;

    // The characters with which the continuation after a repetition can go on, when it starts
    // (past group marks and no-ops) with a node that tests one character: a try of the
    // continuation at a position whose character is not accepted would fail at once, so the
    // matcher skips it. This generalises the literal-character hint.
    struct FollowFilter {
        bool accepts[256] = {};
        int single = -1; // the only accepted character, if there is just one
        bool disjoint = false; // no character of the repeated operand is accepted
    };
    std::vector<FollowFilter> filters;

    struct BranchLoop {
        int atom; // the one-character node repeated
        int exit; // where the loop continues when it stops
        bool atomFirst; // "x+" form: the head is reached after one x
        int filter; // filter of the exit, or -1
    };
    std::vector<BranchLoop> branchLoops;

    // Per program byte offset, for a branch node: the index into altFirstChars of the characters
    // with which its alternative (and what follows it, when it can be empty) can begin, or -1
    // when that is not known or the rest can be empty. An alternative is not tried at a character
    // outside its set. Empty when no branch has a set.
    std::vector<int32_t> branchAux;
    std::vector<std::array<unsigned char, 32>> altFirstChars; // bit sets, as OpAnyOfSet's
};

class ProgramAnalyzer {
public:
    // Fills `info` for `program`. `startsWithRepeat` is the pattern's property of that name;
    // `invertCase` the 256-entry case mapping. Throws RegexFailure (1001) on an unknown opcode.
    static void Analyze(const std::vector<unsigned char>& program, bool startsWithRepeat,
                        const unsigned char* invertCase, ProgramInfo& info);
};

} // namespace morvane::regex
