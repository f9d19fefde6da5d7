// Error texts of the engine. Covered by tests/regex/ErrorTest.cpp.

#include "regex/RegexErrors.h"

namespace morvane::regex {

const char* RegexErrorText(int code)
{
    switch (code) {
    case kErrNone: return "No errors";
    case kErrNullArgument: return "Null Argument";
    case kErrTooBig: return "Regexp Too Big";
    case kErrTooManyGroups: return "ParseReg Too Many ()";
    case kErrUnmatchedGroup: return "ParseReg Unmatched ()";
    case kErrStrayClose: return "ParseReg Unmatched ()";
    case kErrJunkOnEnd: return "ParseReg Junk On End";
    case kErrOperandCouldBeEmpty: return "*+ Operand Could Be Empty";
    case kErrNestedQuantifier: return "Nested *?+";
    case kErrBadHexDigit: return "Bad Hex Digit";
    case kErrInvalidRange: return "Invalid [] Range";
    case kErrTrailingBackslashInClass: return "Parse Atom Trailing \\";
    case kErrNoHexCode: return "No Hex Code After \\x";
    case kErrHexCodeTooBig: return "Hex Code After \\x Is Too Big";
    case kErrUnmatchedClass: return "Unmatched []";
    case kErrInternalUrp: return "Internal Urp";
    case kErrQuantifierFollowsNothing: return "?+*{ Follows Nothing";
    case kErrTrailingBackslash: return "Trailing \\";
    case kErrEmptyLiteral: return "RarseAtom Internal Disaster";
    case kErrBracesArgTooBig: return "BRACES Argument Too Big";
    case kErrBracesMinAboveMax: return "BRACE Min Param Greater then Max";
    case kErrUnclosedComment: return "Unclosed (?#Comment)";
    case kErrComplexBraces:
        return "If you want take part in beta-testing BRACES '{min,max}' and non-greedy ops '*?', '+?', "
               "'?" "?' for complex cases - switch complex braces on";
    case kErrBadModifier: return "Urecognized Modifier";
    case kErrBadPairedSeparator:
        return "LinePairedSeparator must countain two different chars or no chars at all";
    case kErrRegRepeat: return "RegRepeat Called Inappropriately";
    case kErrMemoryCorruption: return "MatchPrim Memory Corruption";
    case kErrCorruptedPointers: return "MatchPrim Corrupted Pointers";
    case kErrNoExpression: return "Not Assigned Expression Property";
    case kErrCorruptedProgram: return "Corrupted Program";
    case kErrNoInputString: return "No Inpit String Specified";
    case kErrOffsetBelowOne: return "Offset Must Be Greater Then 0";
    case kErrExecNextWithoutExec: return "ExecNext Without Exec[Pos]";
    case kErrGetInputString: return "GetInputString Without InputString";
    case kErrDumpCorruptedOpcode: return "TRegex(dump): Corrupted Opcode";
    case kErrLoopStackExceeded: return "Loop Stack Exceeded";
    case kErrLoopWithoutEntry: return "Loop Without LoopEntry !";
    case kErrBacktrackLimit: return "Backtracking Limit Exceeded";
    case kErrMatchStackLimit: return "Match Stack Exceeded";
    case kErrSearchAborted: return "Search Aborted";
    default: return "Unknown error";
    }
}

} // namespace morvane::regex
