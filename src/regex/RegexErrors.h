#pragma once
// Error codes of the engine and their fixed English texts. The texts are part of what users see
// in the rule editor, misspellings included, and must not be "corrected".
// Covered by tests/regex/ErrorTest.cpp.

namespace morvane::regex {

enum RegexErrorCode : int {
    kErrNone = 0,
    kErrNullArgument = 100,
    kErrTooBig = 101,
    kErrTooManyGroups = 102,
    kErrUnmatchedGroup = 103,
    kErrStrayClose = 104,
    kErrJunkOnEnd = 105,
    kErrOperandCouldBeEmpty = 106,
    kErrNestedQuantifier = 107,
    kErrBadHexDigit = 108,
    kErrInvalidRange = 109,
    kErrTrailingBackslashInClass = 110,
    kErrNoHexCode = 111,
    kErrHexCodeTooBig = 112,
    kErrUnmatchedClass = 113,
    kErrInternalUrp = 114,
    kErrQuantifierFollowsNothing = 115,
    kErrTrailingBackslash = 116,
    kErrEmptyLiteral = 119,
    kErrBracesArgTooBig = 122,
    kErrBracesMinAboveMax = 124,
    kErrUnclosedComment = 125,
    kErrComplexBraces = 126,
    kErrBadModifier = 127,
    kErrBadPairedSeparator = 128,
    kErrRegRepeat = 1000,
    kErrMemoryCorruption = 1001,
    kErrCorruptedPointers = 1002,
    kErrNoExpression = 1003,
    kErrCorruptedProgram = 1004,
    kErrNoInputString = 1005,
    kErrOffsetBelowOne = 1006,
    kErrExecNextWithoutExec = 1007,
    kErrGetInputString = 1008,
    kErrDumpCorruptedOpcode = 1011,
    kErrModifierIndex = 1013,
    kErrLoopStackExceeded = 1014,
    kErrLoopWithoutEntry = 1015,
    // Limits of this implementation: a search that backtracks beyond its budget, and a
    // backtracking stack beyond its memory bound, end with an error instead of running for
    // hours or exhausting memory.
    kErrBacktrackLimit = 1016,
    kErrMatchStackLimit = 1017,
    // The caller's abort check (TRegex::SetAbortCheck) asked the running search to stop.
    kErrSearchAborted = 1018,
};

// The text of `code`, "Unknown error" for codes without one.
const char* RegexErrorText(int code);

} // namespace morvane::regex

namespace morvane::regex {

// Thrown inside the engine's parts (compiler, matcher) and turned into ERegex by TRegex's error
// routine, so that the raising goes through the one overridable operation.
struct RegexFailure {
    int code;
    int offset; // parse cursor for compile errors, 0 otherwise
};

} // namespace morvane::regex
