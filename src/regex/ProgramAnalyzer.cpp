// Analysis of a compiled program. The first-character walk follows the program graph with an
// explicit work list and marks visited nodes: loops make the graph cyclic, and a long sequence of
// optional pieces would otherwise recurse once per piece. Marking does not change the result,
// which is a union of sets. The literal a match begins with is scanned for by its rarest
// character, ranked by a fixed table of how common characters are in the texts searched.
// Covered by tests/regex/ProgramLayoutTest.cpp and tests/regex/SearchTest.cpp.

#include "regex/ProgramAnalyzer.h"

#include "regex/RegexErrors.h"
#include "regex/RegexProgram.h"

#include <algorithm>
#include <cstring>

namespace morvane::regex {

namespace {

// Adds the characters with which the simple node at `node` can begin; false if it is no such node.
bool addSimpleFirst(const unsigned char* p, int node, const unsigned char* invertCase, bool* set)
{
    const unsigned char* operand = p + node + kNodeHeaderSize;
    switch (OpAt(p, node)) {
    case Opcode::OpAny:
    case Opcode::OpAnyInLine:
    case Opcode::OpBackRef:
    case Opcode::OpBackRefCI:
        for (int c = 0; c < 256; ++c)
            set[c] = true;
        return true;
    case Opcode::OpExactly:
        set[operand[0]] = true;
        return true;
    case Opcode::OpExactlyCI:
        set[operand[0]] = true;
        set[invertCase[operand[0]]] = true;
        return true;
    case Opcode::OpDigit:
        for (int c = '0'; c <= '9'; ++c)
            set[c] = true;
        return true;
    case Opcode::OpNotDigit:
        for (int c = 0; c < 256; ++c)
            if (c < '0' || c > '9')
                set[c] = true;
        return true;
    case Opcode::OpAnyOf3:
        for (int i = 0; i < 3; ++i)
            set[operand[i]] = true;
        return true;
    case Opcode::OpAnyBut3:
        for (int c = 0; c < 256; ++c)
            if (c != operand[0] && c != operand[1] && c != operand[2])
                set[c] = true;
        return true;
    case Opcode::OpAnyOfSet:
        for (int c = 0; c < 256; ++c)
            if (SetHas(operand, static_cast<unsigned char>(c)))
                set[c] = true;
        return true;
    default:
        return false;
    }
}

// The characters with which a match can begin at `start`, into `set`. For the whole program
// (`alternative` false) the end adds nothing and a counted loop's exit is followed when it may
// run no round. For the rest of one alternative the walk gives up (false) when it can reach the
// end of the program, whose empty rest goes on with anything, or when it visits more than a few
// nodes; and since a counted loop may end after rounds that consume nothing, both its body and
// its exit are followed. False also for a node no walk knows.
bool walkFirstChars(const std::vector<unsigned char>& program, int start, const unsigned char* invertCase,
                    bool* set, bool alternative)
{
    constexpr size_t kMaxAlternativeNodes = 64;
    const unsigned char* p = program.data();
    std::vector<bool> visited(program.size(), false);
    size_t visits = 0;
    std::vector<int> work { start };
    while (!work.empty()) {
        const int node = work.back();
        work.pop_back();
        if (node <= 0 || size_t(node) >= program.size()) {
            if (alternative)
                return false;
            continue;
        }
        if (visited[size_t(node)])
            continue;
        if (alternative && visits >= kMaxAlternativeNodes)
            return false;
        visited[size_t(node)] = true;
        ++visits;
        const Opcode op = OpAt(p, node);
        switch (op) {
        case Opcode::OpEnd:
            if (alternative)
                return false;
            break;
        case Opcode::OpBranch: {
            const int next = NextNode(p, node);
            if (next != 0 && OpAt(p, next) == Opcode::OpBranch) {
                for (int b = node; b != 0 && OpAt(p, b) == Opcode::OpBranch; b = NextNode(p, b))
                    work.push_back(b + kNodeHeaderSize);
            } else {
                work.push_back(node + kNodeHeaderSize);
            }
            break;
        }
        case Opcode::OpInputStart:
        case Opcode::OpInputEnd:
        case Opcode::OpLineStart:
        case Opcode::OpLineEnd:
        case Opcode::OpWordBound:
        case Opcode::OpNotWordBound:
        case Opcode::OpBack:
        case Opcode::OpNothing:
        case Opcode::OpComment:
        case Opcode::OpLoopEntry:
            work.push_back(NextNode(p, node));
            break;
        case Opcode::OpStar:
        case Opcode::OpStarLazy:
            addSimpleFirst(p, node + kNodeHeaderSize, invertCase, set);
            work.push_back(NextNode(p, node));
            break;
        case Opcode::OpPlus:
        case Opcode::OpPlusLazy:
            addSimpleFirst(p, node + kNodeHeaderSize, invertCase, set);
            break;
        case Opcode::OpBraces:
        case Opcode::OpBracesLazy:
            addSimpleFirst(p, node + kNodeHeaderSize + kBracesOperandSize, invertCase, set);
            if (ReadInt32(p + node + kNodeHeaderSize) == 0)
                work.push_back(NextNode(p, node));
            break;
        case Opcode::OpLoop:
        case Opcode::OpLoopLazy:
            work.push_back(node + ReadInt32(p + node + kNodeHeaderSize + 8));
            if (alternative || ReadInt32(p + node + kNodeHeaderSize) == 0)
                work.push_back(NextNode(p, node));
            break;
        default:
            if (IsOpen(op) || IsClose(op)) {
                work.push_back(NextNode(p, node));
                break;
            }
            if (!addSimpleFirst(p, node, invertCase, set))
                return false;
            break;
        }
    }
    return true;
}

// Every node reachable from the start, following links and operands.
std::vector<int> reachableNodes(const std::vector<unsigned char>& program)
{
    const unsigned char* p = program.data();
    std::vector<bool> visited(program.size(), false);
    std::vector<int> nodes;
    std::vector<int> work { 1 };
    while (!work.empty()) {
        const int node = work.back();
        work.pop_back();
        if (node <= 0 || size_t(node) >= program.size() || visited[size_t(node)])
            continue;
        visited[size_t(node)] = true;
        nodes.push_back(node);
        const Opcode op = OpAt(p, node);
        if (op == Opcode::OpEnd)
            continue;
        work.push_back(NextNode(p, node));
        switch (op) {
        case Opcode::OpBranch:
        case Opcode::OpStar:
        case Opcode::OpStarLazy:
        case Opcode::OpPlus:
        case Opcode::OpPlusLazy:
            work.push_back(node + kNodeHeaderSize);
            break;
        case Opcode::OpBraces:
        case Opcode::OpBracesLazy:
            work.push_back(node + kNodeHeaderSize + kBracesOperandSize);
            break;
        case Opcode::OpLoop:
        case Opcode::OpLoopLazy:
            work.push_back(node + ReadInt32(p + node + kNodeHeaderSize + 8));
            break;
        default:
            break;
        }
    }
    return nodes;
}

// Recognises the greedy branch loops "x*" = B1(x, back to B1) B2(nothing) and
// "x+" = x B1(back to x) B2(nothing) where x is a single "." of the s-off kind.
bool recogniseBranchLoop(const unsigned char* p, int head, ProgramInfo::BranchLoop& loop)
{
    const int second = NextNode(p, head);
    if (second == 0 || OpAt(p, second) != Opcode::OpBranch)
        return false;
    const int nothing = second + kNodeHeaderSize;
    if (OpAt(p, nothing) != Opcode::OpNothing || NextNode(p, second) != nothing)
        return false;
    const int exit = NextNode(p, nothing);
    if (exit == 0)
        return false;
    const int operand = head + kNodeHeaderSize;
    if (OpAt(p, operand) == Opcode::OpAnyInLine) {
        const int back = NextNode(p, operand);
        if (back == 0 || OpAt(p, back) != Opcode::OpBack || NextNode(p, back) != head)
            return false;
        loop = { operand, exit, false, -1 };
        return true;
    }
    if (OpAt(p, operand) == Opcode::OpBack) {
        const int atom = NextNode(p, operand);
        if (atom == 0 || OpAt(p, atom) != Opcode::OpAnyInLine || NextNode(p, atom) != head)
            return false;
        loop = { atom, exit, true, -1 };
        return true;
    }
    return false;
}

// The filter of the continuation that starts at `start`; `operand` is the repeated simple node
// (0 for none). Returns the index of the new filter in `info`, or -1 when nothing is known.
int followFilter(const unsigned char* p, int start, int operand, const unsigned char* invertCase, ProgramInfo& info)
{
    int x = start;
    while (x != 0) {
        const Opcode op = OpAt(p, x);
        if (!(IsOpen(op) || IsClose(op) || op == Opcode::OpComment || op == Opcode::OpNothing))
            break;
        x = NextNode(p, x);
    }
    if (x == 0)
        return -1;
    ProgramInfo::FollowFilter filter;
    switch (OpAt(p, x)) {
    case Opcode::OpExactly:
    case Opcode::OpExactlyCI:
        if (p[x + kNodeHeaderSize] == 0)
            return -1;
        [[fallthrough]];
    case Opcode::OpDigit:
    case Opcode::OpNotDigit:
    case Opcode::OpAnyOf3:
    case Opcode::OpAnyBut3:
    case Opcode::OpAnyOfSet:
        addSimpleFirst(p, x, invertCase, filter.accepts);
        break;
    default:
        return -1;
    }
    // The end of the subject fails every one-character test.
    filter.accepts[0] = false;
    int members = 0;
    for (int c = 0; c < 256; ++c) {
        if (filter.accepts[c]) {
            ++members;
            filter.single = c;
        }
    }
    if (members != 1)
        filter.single = -1;
    if (operand != 0 && OpAt(p, operand) != Opcode::OpAny && OpAt(p, operand) != Opcode::OpBackRef
        && OpAt(p, operand) != Opcode::OpBackRefCI) {
        bool operandChars[256] = {};
        addSimpleFirst(p, operand, invertCase, operandChars);
        filter.disjoint = true;
        for (int c = 1; c < 256; ++c)
            if (operandChars[c] && filter.accepts[c])
                filter.disjoint = false;
    }
    info.filters.push_back(filter);
    return int(info.filters.size()) - 1;
}

// How common a character is in the texts searched (Windows-1251 mark-up, Russian and English
// prose): larger is more common. Only the order matters; it picks the literal character that
// the search scans for.
int commonness(unsigned char c)
{
    // Most common first: white space and mark-up, then English and Russian small letters.
    static constexpr unsigned char kCommonFirst[] = { 32, 10, 13, 101, 116, 97, 238, 229, 111, 105, 224, 232,
        110, 115, 237, 242, 241, 114, 104, 60, 62, 47, 240, 226, 108, 61, 34, 100, 235, 234, 99, 236, 117,
        228, 239, 109, 243, 102, 46, 44, 112, 255, 103, 251, 119, 252, 121, 227, 98, 231, 118, 225, 107, 247,
        233, 245, 230, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 248, 254, 246, 249, 253, 244, 250, 184, 120,
        106, 113, 122, 45, 95, 58, 59, 9 };
    const auto at = std::find(std::begin(kCommonFirst), std::end(kCommonFirst), c);
    return int(std::end(kCommonFirst) - at);
}

// Finds the literal every match of a single-alternative program starts with.
void findPrefix(const unsigned char* p, const unsigned char* invertCase, ProgramInfo& info)
{
    // +1 for \b, -1 for \B, 0 when neither or both kinds stand there.
    auto bound = [](bool word, bool notWord) { return word == notWord ? 0 : word ? 1 : -1; };
    int node = 1 + kNodeHeaderSize;
    bool wordBefore = false;
    bool notWordBefore = false;
    bool hasGroup = false;
    for (;;) {
        const Opcode op = OpAt(p, node);
        if (op == Opcode::OpLineStart) {
            info.lineStartFirst = true;
            return;
        }
        wordBefore |= op == Opcode::OpWordBound;
        notWordBefore |= op == Opcode::OpNotWordBound;
        hasGroup |= IsOpen(op);
        if (!(IsOpen(op) || op == Opcode::OpComment || op == Opcode::OpWordBound
                || op == Opcode::OpNotWordBound))
            break;
        node = NextNode(p, node);
        if (node == 0)
            return;
    }
    const Opcode op = OpAt(p, node);
    if (op != Opcode::OpExactly && op != Opcode::OpExactlyCI)
        return;
    const int offset = node + kNodeHeaderSize;
    const int length = int(std::strlen(reinterpret_cast<const char*>(p + offset)));
    if (length == 0)
        return;
    const bool caseless = op == Opcode::OpExactlyCI;
    int rare = 0;
    int rareScore = 0;
    for (int i = 0; i < length; ++i) {
        const unsigned char c = p[offset + i];
        const int score = commonness(c) + (caseless && invertCase[c] != c ? commonness(invertCase[c]) : 0);
        if (i == 0 || score < rareScore) {
            rare = i;
            rareScore = score;
        }
    }
    info.prefixOffset = offset;
    info.prefixLength = length;
    info.prefixCaseless = caseless;
    info.prefixRare = rare;
    if (length >= 2) {
        const unsigned char* literal = p + offset;
        int second = rare == 0 ? 1 : 0;
        for (int i = length - 1; i >= 0; --i) {
            if (i != rare && literal[i] != literal[rare]) {
                second = i;
                break;
            }
        }
        int third = second;
        for (int i = 0; i < length; ++i) {
            if (i != rare && i != second && literal[i] != literal[rare] && literal[i] != literal[second]) {
                third = i;
                break;
            }
        }
        info.prefixScan[0] = rare;
        info.prefixScan[1] = second;
        info.prefixScan[2] = third;
    }
    info.prefixBoundBefore = bound(wordBefore, notWordBefore);
    bool wordAfter = false;
    bool notWordAfter = false;
    bool endsAfter = false;
    for (int next = NextNode(p, node); next != 0; next = NextNode(p, next)) {
        const Opcode after = OpAt(p, next);
        hasGroup |= IsOpen(after); // a group after the literal: its registers must be set
        wordAfter |= after == Opcode::OpWordBound;
        notWordAfter |= after == Opcode::OpNotWordBound;
        if (!(IsOpen(after) || IsClose(after) || after == Opcode::OpComment || after == Opcode::OpWordBound
                || after == Opcode::OpNotWordBound)) {
            endsAfter = after == Opcode::OpEnd;
            break;
        }
    }
    info.prefixBoundAfter = bound(wordAfter, notWordAfter);
    // Nothing but the literal and boundary tests the search checks itself (never both kinds at
    // one place, which no start passes): a start that passes them is a match of the literal.
    info.prefixIsMatch = !hasGroup && endsAfter && !(wordBefore && notWordBefore) && !(wordAfter && notWordAfter);
}

bool isSimpleRepeat(Opcode op)
{
    switch (op) {
    case Opcode::OpStar:
    case Opcode::OpStarLazy:
    case Opcode::OpPlus:
    case Opcode::OpPlusLazy:
    case Opcode::OpBraces:
    case Opcode::OpBracesLazy:
        return true;
    default:
        return false;
    }
}

// A branch node with a single alternative (a group's body) records no choice: the walk goes into
// its alternative, whose last node links to what follows the group.
bool isSingleBranch(const unsigned char* p, int node)
{
    if (OpAt(p, node) != Opcode::OpBranch)
        return false;
    const int next = NextNode(p, node);
    return next == 0 || OpAt(p, next) != Opcode::OpBranch;
}

// The node an attempt reaches after `node` when `node` is zero-width and has no choice.
int stepInto(const unsigned char* p, int node)
{
    return isSingleBranch(p, node) ? node + kNodeHeaderSize : NextNode(p, node);
}

// The greedy repetition that a single-alternative program consumes first, when its continuation's
// filter shares no character with what it repeats; 0 otherwise. Needs the filters.
int findLeadRepeat(const unsigned char* p, const ProgramInfo& info)
{
    int node = OpAt(p, 1) == Opcode::OpBranch && NextNode(p, 1) != 0 && OpAt(p, NextNode(p, 1)) == Opcode::OpEnd
        ? 1 + kNodeHeaderSize
        : 0;
    while (node != 0) {
        const Opcode op = OpAt(p, node);
        if (!(IsOpen(op) || op == Opcode::OpComment || op == Opcode::OpNothing || isSingleBranch(p, node)))
            break;
        node = stepInto(p, node);
    }
    if (node == 0 || info.nodeAux.empty())
        return 0;
    const Opcode op = OpAt(p, node);
    if (op != Opcode::OpStar && op != Opcode::OpPlus && op != Opcode::OpBraces)
        return 0;
    const int32_t filter = info.nodeAux[size_t(node)];
    // A disjoint filter is only made for one-character operands (never "." or a backreference).
    return filter >= 0 && info.filters[size_t(filter)].disjoint ? node : 0;
}

// The backreference after the lead repetition `lead` to a group that holds exactly the run (see
// ProgramInfo::leadBackrefGap): fills the gap and caseless flag, or leaves the gap at -1. The path
// from the lead to it may hold only nodes without choices: group marks, zero-width tests and
// tests of a fixed number of characters.
void findLeadBackref(const unsigned char* p, int lead, ProgramInfo& info)
{
    // Per group: opened at the start (before the lead), and closed right after the run.
    bool openedAtStart[kMaxGroups + 1] = {};
    bool holdsRun[kMaxGroups + 1] = {};
    for (int node = info.entry; node != lead; node = stepInto(p, node)) {
        const Opcode op = OpAt(p, node);
        if (IsOpen(op))
            openedAtStart[int(op) - int(Opcode::OpOpenFirst) + 1] = true;
    }
    int gap = 0;
    for (int node = NextNode(p, lead); node != 0; node = stepInto(p, node)) {
        const Opcode op = OpAt(p, node);
        if (isSingleBranch(p, node))
            continue;
        if (IsOpen(op)) {
            const int group = int(op) - int(Opcode::OpOpenFirst) + 1;
            openedAtStart[group] = holdsRun[group] = false;
            continue;
        }
        if (IsClose(op)) {
            const int group = int(op) - int(Opcode::OpCloseFirst) + 1;
            holdsRun[group] = openedAtStart[group] && gap == 0;
            continue;
        }
        switch (op) {
        case Opcode::OpComment:
        case Opcode::OpNothing:
        case Opcode::OpInputStart:
        case Opcode::OpInputEnd:
        case Opcode::OpLineStart:
        case Opcode::OpLineEnd:
        case Opcode::OpWordBound:
        case Opcode::OpNotWordBound:
            continue;
        case Opcode::OpAny:
        case Opcode::OpAnyInLine:
        case Opcode::OpDigit:
        case Opcode::OpNotDigit:
        case Opcode::OpAnyOf3:
        case Opcode::OpAnyBut3:
        case Opcode::OpAnyOfSet:
            ++gap;
            continue;
        case Opcode::OpExactly:
        case Opcode::OpExactlyCI: {
            const size_t length = std::strlen(reinterpret_cast<const char*>(p + node + kNodeHeaderSize));
            if (length == 0)
                return; // a literal NUL: matches only at the end, without consuming
            gap += int(length);
            continue;
        }
        case Opcode::OpBackRef:
        case Opcode::OpBackRefCI: {
            const int group = p[node + kNodeHeaderSize];
            if (group >= 1 && group <= kMaxGroups && holdsRun[group]) {
                info.leadBackrefGap = gap;
                info.leadBackrefCaseless = op == Opcode::OpBackRefCI;
            }
            return;
        }
        default:
            return;
        }
    }
}

// Alternatives beyond this many go without a set (32 bytes each).
constexpr size_t kMaxAlternativeSets = 65536;

} // namespace

void ProgramAnalyzer::Analyze(const std::vector<unsigned char>& program, bool startsWithRepeat,
                              const unsigned char* invertCase, ProgramInfo& info)
{
    info = ProgramInfo();
    const unsigned char* p = program.data();

    if (!walkFirstChars(program, 1, invertCase, info.firstChar, false))
        throw RegexFailure { kErrMemoryCorruption, 0 };
    for (bool member : info.firstChar)
        info.firstCharCount += member ? 1 : 0;

    const int first = 1;
    const int afterFirst = NextNode(p, first);
    if (afterFirst != 0 && OpAt(p, afterFirst) == Opcode::OpEnd) {
        if (OpAt(p, first) == Opcode::OpBranch)
            info.entry = first + kNodeHeaderSize;
        int scan = first + kNodeHeaderSize;
        if (OpAt(p, scan) == Opcode::OpExactly) {
            // A literal that starts with NUL can only stand at the end of the subject, where
            // no search attempts; it gives no required first character.
            if (p[scan + kNodeHeaderSize] != 0)
                info.requiredFirstChar = p[scan + kNodeHeaderSize];
        } else if (OpAt(p, scan) == Opcode::OpInputStart) {
            info.anchored = true;
        }
        findPrefix(p, invertCase, info);
        if (startsWithRepeat) {
            int longest = 0;
            size_t length = 0;
            for (; scan != 0; scan = NextNode(p, scan)) {
                if (OpAt(p, scan) != Opcode::OpExactly)
                    continue;
                const char* text = reinterpret_cast<const char*>(p + scan + kNodeHeaderSize);
                const size_t len = std::strlen(text);
                if (len >= length) {
                    longest = scan + kNodeHeaderSize;
                    length = len;
                }
            }
            if (length > 0) {
                info.requiredTextOffset = longest;
                info.requiredTextLength = int(length);
            }
        }
    }

    const std::vector<int> nodes = reachableNodes(program);
    for (const int node : nodes) {
        const Opcode op = OpAt(p, node);
        ProgramInfo::BranchLoop loop {};
        const bool branchLoop = op == Opcode::OpBranch && recogniseBranchLoop(p, node, loop);
        if (op == Opcode::OpBranch && !branchLoop && info.altFirstChars.size() < kMaxAlternativeSets) {
            bool set[256] = {};
            if (walkFirstChars(program, node + kNodeHeaderSize, invertCase, set, true)
                && std::find(std::begin(set), std::end(set), false) != std::end(set)) {
                std::array<unsigned char, 32> bits {};
                for (int c = 0; c < 256; ++c)
                    if (set[c])
                        bits[size_t(c >> 3)] |= static_cast<unsigned char>(1 << (c & 7));
                if (info.branchAux.empty())
                    info.branchAux.assign(program.size(), -1);
                info.branchAux[size_t(node)] = int32_t(info.altFirstChars.size());
                info.altFirstChars.push_back(bits);
            }
        }
        if (op != Opcode::OpBack && !branchLoop && !isSimpleRepeat(op))
            continue;
        if (info.nodeAux.empty())
            info.nodeAux.assign(program.size(), 0);
        if (op == Opcode::OpBack) {
            info.nodeAux[size_t(node)] = info.backCount++;
        } else if (branchLoop) {
            loop.filter = followFilter(p, loop.exit, loop.atom, invertCase, info);
            info.nodeAux[size_t(node)] = -1 - int32_t(info.branchLoops.size());
            info.branchLoops.push_back(loop);
        } else {
            const int operand = node + kNodeHeaderSize
                + ((op == Opcode::OpBraces || op == Opcode::OpBracesLazy) ? kBracesOperandSize : 0);
            info.nodeAux[size_t(node)] = followFilter(p, NextNode(p, node), operand, invertCase, info);
        }
    }
    info.leadRepeat = findLeadRepeat(p, info);
    if (info.leadRepeat != 0)
        findLeadBackref(p, info.leadRepeat, info);
}

} // namespace morvane::regex
