// Differential test: random small patterns over a safe subset of the syntax (literals, ".",
// classes, groups, alternation, greedy and lazy "*", "+", "?", counted repetitions with a
// minimum of at least 1; optionally the i and g modifiers) run by the engine and by a tiny
// continuation-passing reference matcher written for clarity only. For every start offset,
// ExecPos must give the reference's first match at a position that the engine's FirstCharSet
// admits, with the same groups; and the set must admit every position where a non-empty match
// starts. A second family begins every pattern with a greedy run, optionally in a group, and
// follows it with pieces and a backreference, the shape whose starts the search filters.

#include "RegexTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <climits>
#include <functional>
#include <random>
#include <vector>

namespace morvane::regex::test {
namespace {

struct RefNode {
    enum Kind { Char, Any, Set, Group, Alt, Seq, Repeat, BackRef } kind = Seq;
    unsigned char ch = 0;
    std::bitset<256> set;
    int group = 0;
    int min = 0;
    int max = 0;
    bool greedy = true;
    std::vector<RefNode> kids;
};

using Caps = std::array<int, 30>;
using Cont = std::function<bool(int, const Caps&)>;

struct Reference {
    std::string_view s;
    bool ignoreCase = false;

    bool charEq(unsigned char pattern, unsigned char subject) const
    {
        return pattern == subject || (ignoreCase && TRegex::DefaultInvertCase(pattern) == subject);
    }

    bool match(const RefNode& n, int pos, const Caps& caps, const Cont& k) const
    {
        const int length = int(s.size());
        switch (n.kind) {
        case RefNode::Char:
            return pos < length && charEq(n.ch, static_cast<unsigned char>(s[size_t(pos)])) && k(pos + 1, caps);
        case RefNode::Any:
            return pos < length && k(pos + 1, caps);
        case RefNode::Set:
            return pos < length && n.set.test(static_cast<unsigned char>(s[size_t(pos)])) && k(pos + 1, caps);
        case RefNode::Group: {
            Caps opened = caps;
            opened[size_t(n.group)] = pos;
            return match(n.kids[0], pos, opened, [&](int p, const Caps& inner) {
                Caps closed = inner;
                closed[size_t(15 + n.group)] = p;
                return k(p, closed);
            });
        }
        case RefNode::Alt:
            for (const RefNode& kid : n.kids)
                if (match(kid, pos, caps, k))
                    return true;
            return false;
        case RefNode::Seq:
            return sequence(n, 0, pos, caps, k);
        case RefNode::Repeat:
            return repeat(n, 0, pos, caps, k);
        case RefNode::BackRef: {
            const int start = caps[size_t(n.group)];
            const int end = caps[size_t(15 + n.group)];
            if (start < 0 || end < start || end - start > length - pos)
                return false;
            for (int i = 0; i < end - start; ++i)
                if (!charEq(static_cast<unsigned char>(s[size_t(start + i)]),
                            static_cast<unsigned char>(s[size_t(pos + i)])))
                    return false;
            return k(pos + end - start, caps);
        }
        }
        return false;
    }

    bool sequence(const RefNode& n, size_t i, int pos, const Caps& caps, const Cont& k) const
    {
        if (i == n.kids.size())
            return k(pos, caps);
        return match(n.kids[i], pos, caps, [&](int p, const Caps& c) { return sequence(n, i + 1, p, c, k); });
    }

    bool repeat(const RefNode& n, int count, int pos, const Caps& caps, const Cont& k) const
    {
        auto again = [&](int p, const Caps& c) { return repeat(n, count + 1, p, c, k); };
        if (count < n.min)
            return match(n.kids[0], pos, caps, again);
        if (n.greedy) {
            if (count < n.max && match(n.kids[0], pos, caps, again))
                return true;
            return k(pos, caps);
        }
        if (k(pos, caps))
            return true;
        return count < n.max && match(n.kids[0], pos, caps, again);
    }
};

class Generator {
public:
    explicit Generator(unsigned seed)
        : m_random(seed)
    {
    }

    int below(int n) { return int(m_random() % unsigned(n)); }

    // Returns the pattern text of a fresh top-level alternation and fills `root`.
    std::string pattern(RefNode& root, bool ignoreCase, bool allLazy)
    {
        m_groups = 0;
        m_ignoreCase = ignoreCase;
        m_allLazy = allLazy;
        return alternation(root, 0);
    }

    // A sequence that begins with a greedy repetition of one character or class (in group 1 three
    // times in four), then up to two pieces (sometimes in group 2), then mostly a backreference to
    // one of the groups, then maybe one more piece. `root` becomes an alternation of that sequence.
    std::string leadPattern(RefNode& root, bool ignoreCase)
    {
        m_groups = 0;
        m_ignoreCase = ignoreCase;
        m_allLazy = false;
        root.kind = RefNode::Alt;
        RefNode& seq = root.kids.emplace_back();
        seq.kind = RefNode::Seq;

        RefNode lead;
        std::string text;
        do {
            lead = RefNode();
            text = quantified(lead, 2);
        } while (lead.kind != RefNode::Repeat || !lead.greedy || lead.kids[0].kind == RefNode::Any);
        if (below(4) != 0)
            text = inGroup(lead, text);
        seq.kids.push_back(std::move(lead));

        for (int i = below(3); i > 0; --i) {
            RefNode piece;
            std::string pieceText = quantified(piece, 2);
            if (m_groups == 1 && below(4) == 0)
                pieceText = inGroup(piece, pieceText);
            text += pieceText;
            seq.kids.push_back(std::move(piece));
        }
        if (m_groups > 0 && below(5) != 0) {
            RefNode ref;
            ref.kind = RefNode::BackRef;
            ref.group = 1 + below(m_groups);
            text += "\\" + std::to_string(ref.group);
            seq.kids.push_back(std::move(ref));
        }
        if (below(3) == 0) {
            RefNode piece;
            text += quantified(piece, 2);
            seq.kids.push_back(std::move(piece));
        }
        return text;
    }

private:
    std::mt19937 m_random;
    int m_groups = 0;
    bool m_ignoreCase = false;
    bool m_allLazy = false;

    // Puts `node` (written `text`) into the next group; returns the group's text.
    std::string inGroup(RefNode& node, const std::string& text)
    {
        RefNode group;
        group.kind = RefNode::Group;
        group.group = ++m_groups;
        RefNode& body = group.kids.emplace_back();
        body.kind = RefNode::Alt;
        body.kids.emplace_back().kind = RefNode::Seq;
        body.kids[0].kids.push_back(std::move(node));
        node = std::move(group);
        return "(" + text + ")";
    }

    void addMember(std::bitset<256>& set, unsigned char c) const
    {
        set.set(c);
        if (m_ignoreCase)
            set.set(TRegex::DefaultInvertCase(c));
    }

    std::string alternation(RefNode& node, int depth)
    {
        node.kind = RefNode::Alt;
        const int count = below(4) == 0 ? 2 + below(2) : 1;
        std::string text;
        for (int i = 0; i < count; ++i) {
            RefNode seq;
            if (i > 0)
                text += "|";
            text += sequence(seq, depth);
            node.kids.push_back(std::move(seq));
        }
        return text;
    }

    std::string sequence(RefNode& node, int depth)
    {
        node.kind = RefNode::Seq;
        const int count = below(10) == 0 ? 0 : 1 + below(3);
        std::string text;
        for (int i = 0; i < count; ++i) {
            RefNode piece;
            text += quantified(piece, depth);
            node.kids.push_back(std::move(piece));
        }
        return text;
    }

    std::string atom(RefNode& node, int depth)
    {
        const int choice = below(depth < 2 && m_groups < 14 ? 10 : 8);
        if (choice < 4) {
            node.kind = RefNode::Char;
            node.ch = static_cast<unsigned char>("abc"[below(3)]);
            return std::string(1, char(node.ch));
        }
        if (choice == 4) {
            node.kind = RefNode::Any;
            return ".";
        }
        if (choice < 8) {
            node.kind = RefNode::Set;
            static const char* const kClasses[] = { "[ab]", "[^a]", "[a-c]", "[bc]", "[^bc]" };
            const int which = below(5);
            const std::string text = kClasses[which];
            std::bitset<256> set;
            if (which == 0 || which == 3) {
                addMember(set, text[1]);
                addMember(set, text[2]);
            } else if (which == 2) {
                for (unsigned char c = 'a'; c <= 'c'; ++c)
                    addMember(set, c);
            } else {
                for (size_t i = 2; i + 1 < text.size(); ++i)
                    addMember(set, static_cast<unsigned char>(text[i]));
                set.flip();
            }
            node.set = set;
            return text;
        }
        node.kind = RefNode::Group;
        node.group = ++m_groups;
        node.kids.emplace_back();
        return "(" + alternation(node.kids[0], depth + 1) + ")";
    }

    std::string quantified(RefNode& node, int depth)
    {
        RefNode inner;
        const std::string text = atom(inner, depth);
        if (below(3) != 0) {
            node = std::move(inner);
            return text;
        }
        node.kind = RefNode::Repeat;
        node.kids.push_back(std::move(inner));
        std::string quantifier;
        switch (below(5)) {
        case 0: node.min = 0; node.max = INT_MAX; quantifier = "*"; break;
        case 1: node.min = 1; node.max = INT_MAX; quantifier = "+"; break;
        case 2: node.min = 0; node.max = 1; quantifier = "?"; break;
        case 3:
            node.min = 1 + below(2);
            node.max = node.min + below(3);
            quantifier = "{" + std::to_string(node.min) + "," + std::to_string(node.max) + "}";
            break;
        default:
            node.min = 1 + below(2);
            node.max = INT_MAX;
            quantifier = "{" + std::to_string(node.min) + ",}";
            break;
        }
        node.greedy = below(3) != 0;
        if (!node.greedy)
            quantifier += "?";
        if (m_allLazy)
            node.greedy = false;
        return text + quantifier;
    }
};

struct RefMatch {
    int start = -1;
    int end = -1;
    Caps caps {};
};

std::string describeEngine(const TRegex& engine)
{
    std::string out = std::to_string(engine.GroupStart(0)) + "+" + std::to_string(engine.GroupLength(0));
    for (int n = 1; n < TRegex::kGroupCount; ++n)
        out += " " + std::to_string(engine.GroupStart(n)) + "+" + std::to_string(engine.GroupLength(n));
    return out;
}

std::string describeReference(const RefMatch& m)
{
    std::string out = std::to_string(m.start + 1) + "+" + std::to_string(m.end - m.start);
    for (int n = 1; n < TRegex::kGroupCount; ++n) {
        const int start = m.caps[size_t(n)];
        const int end = m.caps[size_t(15 + n)];
        if (start < 0 || end < 0)
            out += " -1+-1";
        else
            out += " " + std::to_string(start + 1) + "+" + std::to_string(end - start);
    }
    return out;
}

// Runs ExecPos from every offset of `subject` and compares with the reference's first match at
// or after it among the positions that the engine's FirstCharSet admits.
void compareOnSubject(TRegex& engine, const RefNode& root, const std::string& pattern, bool ignoreCase,
                      bool allLazy, const std::string& subject, int& compared, int& matched)
{
    const std::bitset<256> firstChars = engine.FirstCharSet();
    const int length = int(subject.size());
    Reference reference { subject, ignoreCase };

    std::vector<RefMatch> at(size_t(length + 1));
    for (int q = 0; q <= length; ++q) {
        Caps empty;
        empty.fill(-1);
        RefMatch& m = at[size_t(q)];
        reference.match(root, q, empty, [&](int p, const Caps& caps) {
            m.start = q;
            m.end = p;
            m.caps = caps;
            return true;
        });
        if (m.start >= 0 && m.end > m.start) {
            EXPECT_TRUE(firstChars.test(static_cast<unsigned char>(subject[size_t(q)])))
                << "/" << pattern << "/ misses a start at " << q << " in \"" << subject << "\"";
        }
    }

    engine.SetInputString(subject);
    for (int offset = 1; offset <= length + 1; ++offset) {
        const RefMatch* expected = nullptr;
        for (int q = offset - 1; q < length && !expected; ++q)
            if (firstChars.test(static_cast<unsigned char>(subject[size_t(q)])) && at[size_t(q)].start >= 0)
                expected = &at[size_t(q)];
        const bool found = engine.ExecPos(offset);
        ++compared;
        ASSERT_EQ(found, expected != nullptr)
            << "/" << pattern << "/" << (ignoreCase ? "i" : "") << (allLazy ? "-g" : "") << " on \""
            << subject << "\" from " << offset;
        if (!found)
            continue;
        ++matched;
        ASSERT_EQ(describeEngine(engine), describeReference(*expected))
            << "/" << pattern << "/" << (ignoreCase ? "i" : "") << (allLazy ? "-g" : "") << " on \""
            << subject << "\" from " << offset;
    }
}

TEST(Differential, EngineAgreesWithReferenceMatcher)
{
    Generator generator(20261208);
    std::mt19937 subjects(77);
    int compiled = 0;
    int compared = 0;
    int matched = 0;
    for (int round = 0; round < 1500; ++round) {
        const bool ignoreCase = generator.below(6) == 0;
        const bool allLazy = generator.below(8) == 0;
        RefNode root;
        const std::string pattern = generator.pattern(root, ignoreCase, allLazy);
        if (pattern.empty())
            continue; // an empty text leaves the expression unset
        TRegex engine;
        engine.SetModifier(TRegex::kModI, ignoreCase);
        engine.SetModifier(TRegex::kModG, !allLazy);
        engine.SetExpression(pattern);
        try {
            engine.CompileExpression();
        } catch (const ERegex& error) {
            // Only repetitions of operands without width are rejected in this subset.
            ASSERT_EQ(error.ErrorCode(), 106) << pattern;
            continue;
        }
        ++compiled;
        for (int t = 0; t < 6; ++t) {
            std::string subject;
            const int length = int(subjects() % 9);
            for (int i = 0; i < length; ++i)
                subject.push_back("abcA"[subjects() % 4]);
            compareOnSubject(engine, root, pattern, ignoreCase, allLazy, subject, compared, matched);
            if (HasFatalFailure())
                return;
        }
    }
    // The random cases must exercise the engine, not just compile errors and misses.
    EXPECT_GT(compiled, 1000);
    EXPECT_GT(matched, compared / 5);
}

TEST(Differential, LeadRunsWithBackreferences)
{
    Generator generator(20261209);
    std::mt19937 subjects(78);
    int compared = 0;
    int matched = 0;
    int backrefMatches = 0;
    for (int round = 0; round < 1500; ++round) {
        const bool ignoreCase = generator.below(4) == 0;
        RefNode root;
        const std::string pattern = generator.leadPattern(root, ignoreCase);
        TRegex engine;
        engine.SetModifier(TRegex::kModI, ignoreCase);
        engine.SetExpression(pattern);
        engine.CompileExpression();
        const bool backref = pattern.find('\\') != std::string::npos;
        for (int t = 0; t < 6; ++t) {
            // Long runs of few characters, so that copies of a run's tail occur often.
            std::string subject;
            const int length = int(subjects() % 13);
            for (int i = 0; i < length; ++i)
                subject.push_back("aabcA"[subjects() % 5]);
            const int before = matched;
            compareOnSubject(engine, root, pattern, ignoreCase, false, subject, compared, matched);
            if (HasFatalFailure())
                return;
            if (backref)
                backrefMatches += matched - before;
        }
    }
    EXPECT_GT(matched, compared / 5);
    EXPECT_GT(backrefMatches, compared / 10);
}

} // namespace
} // namespace morvane::regex::test
