// The backtracking matcher; its one-step tests are in RegexMatcherPrimitives.cpp.
// Covered by tests/regex/MatchTest.cpp, tests/regex/LargeInputTest.cpp and
// tests/regex/DifferentialTest.cpp.
//
// Stack records (tag = kind | payload << 4, pushed after the other words):
//   undo register   [old] tag(register)      undo level       tag(old level)
//   undo counter    [old] tag(level)         undo iteration   [old] tag(level)
//   undo back pos   [old] tag(back index)
//   choice alternative       [pos] tag(next branch node)
//   choice greedy / lazy     [start, count] tag(repeat node)
//   choice spent             tag(0): a greedy repetition with no smaller count worth trying
//   choice loop exit / body  [pos] tag(loop node)
//   choice branch loop       [start, count] tag(head node)

#include "regex/RegexMatcher.h"

#include "regex/RegexErrors.h"

#include <algorithm>
#include <cstring>

namespace morvane::regex {

namespace {

enum RecordKind : uint32_t {
    kUndoRegister,
    kUndoLevel,
    kUndoCounter,
    kUndoIteration,
    kUndoBackPosition,
    kChoiceAlternative,
    kChoiceGreedy,
    kChoiceLazy,
    kChoiceLoopExit,
    kChoiceLoopBody,
    kChoiceBranchLoop,
    kChoiceSpent,
};

inline uint32_t tag(RecordKind kind, int payload) { return uint32_t(kind) | (uint32_t(payload) << 4); }

struct Repeat {
    int operand;
    int64_t min;
    int64_t max;
    bool lazy;
};

inline Repeat decodeRepeat(const unsigned char* p, int node)
{
    switch (OpAt(p, node)) {
    case Opcode::OpStar: return { node + kNodeHeaderSize, 0, kInfinity, false };
    case Opcode::OpStarLazy: return { node + kNodeHeaderSize, 0, kInfinity, true };
    case Opcode::OpPlus: return { node + kNodeHeaderSize, 1, kInfinity, false };
    case Opcode::OpPlusLazy: return { node + kNodeHeaderSize, 1, kInfinity, true };
    case Opcode::OpBraces:
    case Opcode::OpBracesLazy:
        return { node + kNodeHeaderSize + kBracesOperandSize, ReadInt32(p + node + kNodeHeaderSize),
                 ReadInt32(p + node + kNodeHeaderSize + 4), OpAt(p, node) == Opcode::OpBracesLazy };
    default: return { 0, 0, 0, false };
    }
}

} // namespace

void RegexMatcher::Begin(const unsigned char* subject, int length)
{
    m_s = subject;
    m_length = length;
    m_budget = kBudgetBase + kBudgetPerChar * int64_t(length);
    m_backPositions.assign(size_t(m_env.info->backCount), -1);
    m_runOperand = 0;
    if (const int lead = m_env.info->leadRepeat) {
        const Repeat rep = decodeRepeat(m_env.program, lead);
        m_lead = { rep.operand, rep.min, rep.max, filterOf(lead)->accepts, m_env.info->leadBackrefGap,
                   m_env.info->leadBackrefCaseless };
    }
}

int RegexMatcher::SkipLeadRun(int position)
{
    const int64_t count = repeatCount(m_lead.operand, m_lead.max, position);
    if (count >= m_lead.max)
        return position; // cut short by the maximum: later starts see a different count
    const int end = position + int(count);
    // A later start in the run counts fewer characters, ending at the same place.
    if (count < m_lead.min || !m_lead.accepts[m_s[end]]) {
        charge(count);
        return end + 1;
    }
    if (m_lead.backrefGap < 0 || count == 0)
        return position;
    // Without a minimum the end itself starts an empty run, whose empty group matches anywhere.
    const int past = m_lead.min == 0 ? end : end + 1;
    // The group holds the rest of the run, so its copy begins with the start's character.
    const int copy = end + m_lead.backrefGap;
    if (copy >= m_length) {
        charge(count);
        return past;
    }
    const unsigned char c = m_s[copy];
    int q = position;
    if (m_lead.backrefCaseless) {
        while (q < end && m_s[q] != c && m_env.invertCase[m_s[q]] != c)
            ++q;
    } else {
        while (q < end && m_s[q] != c)
            ++q;
    }
    charge(q - position);
    return q < end ? q : past;
}

void RegexMatcher::poll() const
{
    m_pollCountdown = kPollInterval;
    if (m_abortCheck && m_abortCheck())
        throw RegexFailure { kErrSearchAborted, 0 };
}

int RegexMatcher::successor(int node) const
{
    const int next = NextNode(m_env.program, node);
    if (next == 0)
        throw RegexFailure { kErrCorruptedPointers, 0 };
    return next;
}

const ProgramInfo::FollowFilter* RegexMatcher::filterOf(int node) const
{
    const std::vector<int32_t>& aux = m_env.info->nodeAux;
    if (aux.empty() || aux[size_t(node)] < 0)
        return nullptr;
    return &m_env.info->filters[size_t(aux[size_t(node)])];
}

// Greedy simple repetition: tries the successor after `count` repetitions, then fewer, down to
// the minimum; positions where the successor cannot go on (its filter) are skipped.
bool RegexMatcher::tryGreedy(int node, int64_t min, int width, int start, int64_t count, int& pos, int& next,
                             bool resumed)
{
    if (width == 0 && count > min)
        count = min; // every count ends at the same place: one try
    const int follow = successor(node);
    const ProgramInfo::FollowFilter* filter = filterOf(node);
    if (filter && width == 1) {
        if (filter->disjoint) {
            // Below the full count the next character is one of the operand's: no try can pass.
            // So the choice left behind is spent; resuming it still costs a step, as before.
            if (resumed || count < min || !filter->accepts[m_s[start + count]])
                return false;
            m_stack.Push(tag(kChoiceSpent, 0));
            pos = start + int(count);
            next = follow;
            return true;
        }
        if (filter->single >= 0 && count >= min) {
            const void* found = memrchr(m_s + start + min, filter->single, size_t(count - min + 1));
            if (!found)
                return false;
            count = static_cast<const unsigned char*>(found) - (m_s + start);
        }
    }
    const int64_t top = count;
    for (; count >= min; --count) {
        const int at = start + int(count) * width;
        if (!filter || filter->accepts[m_s[at]]) {
            charge(top - count);
            m_stack.Push(uint32_t(start), uint32_t(count), tag(kChoiceGreedy, node));
            pos = at;
            next = follow;
            return true;
        }
    }
    charge(top - count);
    return false;
}

// Lazy simple repetition: `count` repetitions stand at `start` (at least the minimum); tries the
// successor there, else takes one more repetition.
bool RegexMatcher::tryLazy(int node, int start, int64_t count, int& pos, int& next)
{
    const unsigned char* p = m_env.program;
    const Repeat rep = decodeRepeat(p, node);
    const int width = repeatWidth(rep.operand);
    const int follow = successor(node);
    const ProgramInfo::FollowFilter* filter = filterOf(node);
    const bool anyChar = OpAt(p, rep.operand) == Opcode::OpAny;
    int64_t charged = count;
    for (;;) {
        // One unit per repetition taken since the last round (a jump over many counts as many).
        charge(count - charged);
        charged = count;
        const int at = start + int(count) * width;
        if (!filter || filter->accepts[m_s[at]]) {
            m_stack.Push(uint32_t(start), uint32_t(count), tag(kChoiceLazy, node));
            pos = at;
            next = follow;
            return true;
        }
        if (count >= rep.max || width == 0)
            return false;
        if (anyChar && filter->single > 0) {
            // Every character repeats "."; jump to the next place where the successor can start.
            const int64_t room = std::min<int64_t>(rep.max - count, m_length - at);
            if (room <= 0)
                return false;
            const void* found = std::memchr(m_s + at + 1, filter->single, size_t(room));
            if (!found)
                return false;
            count += static_cast<const unsigned char*>(found) - (m_s + at);
            continue;
        }
        if (matchOne(rep.operand, at) < 0)
            return false;
        ++count;
    }
}

// Greedy branch loop over one in-line character: like a greedy simple repetition with no maximum.
bool RegexMatcher::tryBranchLoop(int head, int start, int count, int& pos, int& next)
{
    const ProgramInfo& info = *m_env.info;
    const ProgramInfo::BranchLoop& loop = info.branchLoops[size_t(-1 - info.nodeAux[size_t(head)])];
    const ProgramInfo::FollowFilter* filter = loop.filter >= 0 ? &info.filters[size_t(loop.filter)] : nullptr;
    const int top = count;
    for (; count >= 0; --count) {
        const int at = start + count;
        if (!filter || filter->accepts[m_s[at]]) {
            charge(top - count);
            m_stack.Push(uint32_t(start), uint32_t(count), tag(kChoiceBranchLoop, head));
            pos = at;
            next = loop.exit;
            return true;
        }
    }
    charge(top - count);
    return false;
}

void RegexMatcher::enterBody(int node, int pos, int counter)
{
    m_stack.Push(uint32_t(m_counters[m_level]), tag(kUndoCounter, m_level));
    m_counters[m_level] = counter;
    m_stack.Push(uint32_t(m_iterationStart[m_level]), tag(kUndoIteration, m_level));
    m_iterationStart[m_level] = pos;
    (void)node;
}

bool RegexMatcher::backtrack(int& node, int& pos)
{
    for (;;) {
        if (m_stack.Empty())
            return false;
        const uint32_t record = m_stack.Pop();
        const int payload = int(record >> 4);
        switch (RecordKind(record & 15)) {
        case kUndoRegister:
            m_registers[payload] = int(m_stack.Pop());
            continue;
        case kUndoLevel:
            m_level = payload;
            continue;
        case kUndoCounter:
            m_counters[payload] = int(m_stack.Pop());
            continue;
        case kUndoIteration:
            m_iterationStart[payload] = int(m_stack.Pop());
            continue;
        case kUndoBackPosition:
            m_backPositions[size_t(payload)] = int(m_stack.Pop());
            continue;
        default:
            break;
        }

        if (--m_budget < 0)
            throw RegexFailure { kErrBacktrackLimit, 0 };
        tick();
        switch (RecordKind(record & 15)) {
        case kChoiceAlternative:
            pos = int(m_stack.Pop());
            node = payload;
            return true;
        case kChoiceGreedy: {
            const int64_t count = int64_t(m_stack.Pop());
            const int start = int(m_stack.Pop());
            if (count > 0) {
                const Repeat rep = decodeRepeat(m_env.program, payload);
                if (tryGreedy(payload, rep.min, repeatWidth(rep.operand), start, count - 1, pos, node, true))
                    return true;
            }
            continue;
        }
        case kChoiceSpent:
            continue;
        case kChoiceLazy: {
            int64_t count = int64_t(m_stack.Pop());
            const int start = int(m_stack.Pop());
            const Repeat rep = decodeRepeat(m_env.program, payload);
            const int width = repeatWidth(rep.operand);
            const int at = start + int(count) * width;
            if (count >= rep.max || width == 0 || matchOne(rep.operand, at) < 0)
                continue;
            if (tryLazy(payload, start, count + 1, pos, node))
                return true;
            continue;
        }
        case kChoiceLoopExit:
            pos = int(m_stack.Pop());
            m_stack.Push(tag(kUndoLevel, m_level));
            --m_level;
            node = successor(payload);
            return true;
        case kChoiceLoopBody: {
            pos = int(m_stack.Pop());
            const int counter = m_counters[m_level];
            const int max = ReadInt32(m_env.program + payload + kNodeHeaderSize + 4);
            if (counter >= max)
                continue;
            enterBody(payload, pos, counter + 1);
            node = payload + ReadInt32(m_env.program + payload + kNodeHeaderSize + 8);
            return true;
        }
        case kChoiceBranchLoop: {
            const int count = int(m_stack.Pop());
            const int start = int(m_stack.Pop());
            if (count > 0 && tryBranchLoop(payload, start, count - 1, pos, node))
                return true;
            continue;
        }
        default:
            throw RegexFailure { kErrMemoryCorruption, 0 };
        }
    }
}

bool RegexMatcher::Attempt(int position)
{
    tick();
    std::fill(std::begin(m_registers), std::end(m_registers), -1);
    std::fill(m_backPositions.begin(), m_backPositions.end(), -1);
    m_level = 0;
    m_stack.Clear();

    const unsigned char* p = m_env.program;
    const unsigned char* s = m_s;
    const std::vector<int32_t>& aux = m_env.info->nodeAux;
    const std::vector<int32_t>& branchAux = m_env.info->branchAux;
    int pos = position;
    int node = m_env.info->entry;
    for (;;) {
        const unsigned char* n = p + node;
        const Opcode op = Opcode(n[0]);
        switch (op) {
        case Opcode::OpEnd:
            m_matchEnd = pos;
            return true;
        case Opcode::OpInputStart:
            if (pos != 0)
                goto fail;
            break;
        case Opcode::OpInputEnd:
            if (pos < m_length)
                goto fail;
            break;
        case Opcode::OpAny:
            if (pos >= m_length)
                goto fail;
            ++pos;
            break;
        case Opcode::OpAnyInLine:
            if (!isInLine(pos))
                goto fail;
            ++pos;
            break;
        case Opcode::OpLineStart:
            if (!isLineStart(pos))
                goto fail;
            break;
        case Opcode::OpLineEnd:
            if (!isLineEnd(pos))
                goto fail;
            break;
        case Opcode::OpWordBound:
            if (!isWordBoundary(pos))
                goto fail;
            break;
        case Opcode::OpNotWordBound:
            if (isWordBoundary(pos))
                goto fail;
            break;
        case Opcode::OpExactly: {
            const unsigned char* literal = n + kNodeHeaderSize;
            if (literal[0] != s[pos])
                goto fail;
            if (literal[1] == 0 && literal[0] != 0) {
                ++pos;
            } else if (literal[0] != 0) {
                const size_t len = std::strlen(reinterpret_cast<const char*>(literal));
                if (len > size_t(m_length - pos) || std::memcmp(literal + 1, s + pos + 1, len - 1) != 0)
                    goto fail;
                pos += int(len);
            }
            break;
        }
        case Opcode::OpExactlyCI: {
            const unsigned char* literal = n + kNodeHeaderSize;
            const unsigned char* inv = m_env.invertCase;
            if (literal[0] == 0) {
                if (s[pos] != 0 && s[pos] != inv[0])
                    goto fail;
                break;
            }
            int i = 0;
            for (; literal[i] != 0; ++i) {
                if (pos + i >= m_length)
                    goto fail;
                const unsigned char c = s[pos + i];
                if (c != literal[i] && c != inv[literal[i]])
                    goto fail;
            }
            pos += i;
            break;
        }
        case Opcode::OpDigit:
        case Opcode::OpNotDigit:
        case Opcode::OpAnyOf3:
        case Opcode::OpAnyBut3:
        case Opcode::OpAnyOfSet:
            if (pos >= m_length || !charMatches(node, s[pos]))
                goto fail;
            ++pos;
            break;
        case Opcode::OpBackRef:
        case Opcode::OpBackRefCI: {
            const int next = matchOne(node, pos);
            if (next < 0)
                goto fail;
            pos = next;
            break;
        }
        case Opcode::OpNothing:
        case Opcode::OpComment:
            break;
        case Opcode::OpBack: {
            tick();
            // A round of the loop that consumed nothing would repeat for ever: stop it here.
            const int index = aux[size_t(node)];
            if (m_backPositions[size_t(index)] == pos)
                goto fail;
            m_stack.Push(uint32_t(m_backPositions[size_t(index)]), tag(kUndoBackPosition, index));
            m_backPositions[size_t(index)] = pos;
            break;
        }
        case Opcode::OpBranch: {
            if (!aux.empty() && aux[size_t(node)] < 0) {
                int count = 0;
                while (isInLine(pos + count))
                    ++count;
                charge(count);
                if (!tryBranchLoop(node, pos, count, pos, node))
                    goto fail;
                continue;
            }
            int next = NextNode(p, node);
            if (!branchAux.empty()) {
                // Alternatives that cannot begin with the character here are not tried.
                for (int32_t set = branchAux[size_t(node)];
                     set >= 0 && !SetHas(m_env.info->altFirstChars[size_t(set)].data(), s[pos]);
                     set = branchAux[size_t(node)]) {
                    if (next == 0 || OpAt(p, next) != Opcode::OpBranch)
                        goto fail;
                    node = next;
                    next = NextNode(p, node);
                }
            }
            if (next != 0 && OpAt(p, next) == Opcode::OpBranch)
                m_stack.Push(uint32_t(pos), tag(kChoiceAlternative, next));
            node += kNodeHeaderSize;
            continue;
        }
        case Opcode::OpStar:
        case Opcode::OpStarLazy:
        case Opcode::OpPlus:
        case Opcode::OpPlusLazy:
        case Opcode::OpBraces:
        case Opcode::OpBracesLazy: {
            const Repeat rep = decodeRepeat(p, node);
            const int start = pos;
            if (!rep.lazy) {
                const int64_t count = repeatCount(rep.operand, rep.max, start);
                charge(count);
                if (count < rep.min)
                    goto fail;
                const ProgramInfo::FollowFilter* filter = filterOf(node);
                if (filter && filter->disjoint) {
                    // The common case of tryGreedy, inline: only the full count can go on.
                    if (!filter->accepts[s[start + count]])
                        goto fail;
                    m_stack.Push(tag(kChoiceSpent, 0));
                    pos = start + int(count);
                    node = successor(node);
                    continue;
                }
                if (!tryGreedy(node, rep.min, repeatWidth(rep.operand), start, count, pos, node, false))
                    goto fail;
                continue;
            }
            if (rep.min > 0 && repeatCount(rep.operand, rep.min, start) < rep.min)
                goto fail;
            if (!tryLazy(node, start, rep.min, pos, node))
                goto fail;
            continue;
        }
        case Opcode::OpLoopEntry:
            if (m_level >= kMaxLoopLevels)
                throw RegexFailure { kErrLoopStackExceeded, 0 };
            m_stack.Push(tag(kUndoLevel, m_level));
            ++m_level;
            m_stack.Push(uint32_t(m_counters[m_level]), tag(kUndoCounter, m_level));
            m_counters[m_level] = 0;
            break;
        case Opcode::OpLoop:
        case Opcode::OpLoopLazy: {
            if (m_level <= 0)
                throw RegexFailure { kErrLoopWithoutEntry, 0 };
            tick();
            int counter = m_counters[m_level];
            const int min = ReadInt32(n + kNodeHeaderSize);
            const int max = ReadInt32(n + kNodeHeaderSize + 4);
            const int body = node + ReadInt32(n + kNodeHeaderSize + 8);
            if (counter > 0 && pos == m_iterationStart[m_level]) {
                // The round just finished consumed nothing: more rounds would do the same.
                if (counter > min)
                    goto fail;
                if (counter < min) {
                    m_stack.Push(uint32_t(counter), tag(kUndoCounter, m_level));
                    counter = m_counters[m_level] = min;
                }
            }
            if (counter < min) {
                enterBody(node, pos, counter + 1);
                node = body;
                continue;
            }
            if (op == Opcode::OpLoop) {
                if (counter < max) {
                    m_stack.Push(uint32_t(pos), tag(kChoiceLoopExit, node));
                    enterBody(node, pos, counter + 1);
                    node = body;
                    continue;
                }
            } else {
                m_stack.Push(uint32_t(pos), tag(kChoiceLoopBody, node));
            }
            m_stack.Push(tag(kUndoLevel, m_level));
            --m_level;
            break;
        }
        default:
            if (IsOpen(op) || IsClose(op)) {
                const int reg = IsOpen(op) ? int(op) - int(Opcode::OpOpenFirst) + 1
                                           : kGroups + int(op) - int(Opcode::OpCloseFirst) + 1;
                m_stack.Push(uint32_t(m_registers[reg]), tag(kUndoRegister, reg));
                m_registers[reg] = pos;
                break;
            }
            throw RegexFailure { kErrMemoryCorruption, 0 };
        }
        node = successor(node);
        continue;
    fail:
        if (!backtrack(node, pos))
            return false;
    }
}

} // namespace morvane::regex
