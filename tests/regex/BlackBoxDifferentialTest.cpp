// Black-box differential check: random small patterns (literals, ".", classes, groups with
// alternatives, greedy and lazy quantifiers; some with i on or g off) against a tiny continuation-passing
// backtracking matcher written from the matching rules alone. Leftmost-first order is the same in both, so
// wherever the reference finds a non-empty first match the engine must report the same span, and
// where the reference finds nothing the engine must too; the groups must hold the spans of the
// successful path (the last iteration of a repeated group). Empty first matches are skipped: which
// positions the engine tries for them depends on its first-character set by design.

#include "regex/TRegex.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace morvane::regex {
namespace {

struct Node {
    enum class Kind { Char, Any, Class, Seq, Alt, Group, Repeat };
    Kind kind = Kind::Char;
    char ch = 'a';
    std::string members; // Class
    bool negated = false; // Class
    std::vector<std::unique_ptr<Node>> children; // Seq, Alt, Group (one), Repeat (one)
    int min = 0;
    int max = 0; // Repeat; kUnbounded for no upper limit
    bool lazy = false;
    int group = 0; // Group: its number
};

constexpr int kUnbounded = 1 << 30;

using Cont = std::function<bool(int)>;

class Reference {
public:
    // caseless: the i modifier (the pattern uses small letters only); allLazy: g turned off.
    Reference(const std::string& subject, bool caseless, bool allLazy)
        : m_s(subject)
        , m_caseless(caseless)
        , m_allLazy(allLazy)
    {
    }

    bool match(const Node& n, int pos, const Cont& k) const
    {
        const int size = static_cast<int>(m_s.size());
        switch (n.kind) {
        case Node::Kind::Char:
            return pos < size && fold(m_s[pos]) == n.ch && k(pos + 1);
        case Node::Kind::Any:
            return pos < size && k(pos + 1);
        case Node::Kind::Class: {
            if (pos >= size)
                return false;
            const bool member = n.members.find(fold(m_s[pos])) != std::string::npos;
            return member != n.negated && k(pos + 1);
        }
        case Node::Kind::Seq:
            return matchSeq(n, 0, pos, k);
        case Node::Kind::Alt:
            for (const auto& alt : n.children)
                if (match(*alt, pos, k))
                    return true;
            return false;
        case Node::Kind::Group: {
            const int start = pos;
            return match(*n.children[0], pos, [&](int p) {
                const auto old = m_groups[n.group];
                m_groups[n.group] = { start, p };
                if (k(p))
                    return true;
                m_groups[n.group] = old;
                return false;
            });
        }
        case Node::Kind::Repeat:
            return repeat(n, 0, pos, k);
        }
        return false;
    }

private:
    bool matchSeq(const Node& n, size_t i, int pos, const Cont& k) const
    {
        if (i == n.children.size())
            return k(pos);
        return match(*n.children[i], pos, [&](int p) { return matchSeq(n, i + 1, p, k); });
    }

    // The operand never matches empty (the generator sees to it), so this terminates.
    bool repeat(const Node& n, int count, int pos, const Cont& k) const
    {
        const auto more = [&] {
            return count < n.max
                && match(*n.children[0], pos, [&](int p) { return repeat(n, count + 1, p, k); });
        };
        if (n.lazy || m_allLazy)
            return (count >= n.min && k(pos)) || more();
        return more() || (count >= n.min && k(pos));
    }

public:
    // Group spans (0-based start, end) along the path being tried; -1 when unset.
    mutable std::vector<std::pair<int, int>> m_groups = std::vector<std::pair<int, int>>(15, { -1, -1 });

private:
    char fold(char c) const { return m_caseless && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

    const std::string& m_s;
    bool m_caseless;
    bool m_allLazy;
};

class Generator {
public:
    explicit Generator(unsigned seed)
        : m_rng(seed)
    {
    }

    // A whole pattern: alternatives of sequences.
    std::unique_ptr<Node> pattern(std::string& text)
    {
        m_groups = 0;
        return alternatives(text, 0);
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    std::unique_ptr<Node> alternatives(std::string& text, int depth)
    {
        auto alt = std::make_unique<Node>();
        alt->kind = Node::Kind::Alt;
        const int count = 1 + (pick(3) == 0 ? 1 + pick(2) : 0);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                text += '|';
            alt->children.push_back(sequence(text, depth));
        }
        return alt;
    }

    std::unique_ptr<Node> sequence(std::string& text, int depth)
    {
        auto seq = std::make_unique<Node>();
        seq->kind = Node::Kind::Seq;
        const int count = 1 + pick(3);
        for (int i = 0; i < count; ++i)
            seq->children.push_back(piece(text, depth));
        return seq;
    }

    std::unique_ptr<Node> atom(std::string& text, int depth)
    {
        auto n = std::make_unique<Node>();
        const int choice = pick(depth < 2 && m_groups < 12 ? 6 : 5);
        if (choice <= 1) {
            n->kind = Node::Kind::Char;
            n->ch = static_cast<char>('a' + pick(3));
            text += n->ch;
        } else if (choice == 2) {
            n->kind = Node::Kind::Any;
            text += '.';
        } else if (choice <= 4) {
            n->kind = Node::Kind::Class;
            n->negated = pick(3) == 0;
            n->members = pick(2) ? "ab" : (pick(2) ? "c" : "a-c");
            text += n->negated ? "[^" : "[";
            text += n->members;
            text += ']';
            if (n->members == "a-c")
                n->members = "abc";
        } else {
            n->group = ++m_groups;
            n->kind = Node::Kind::Group;
            text += '(';
            n->children.push_back(alternatives(text, depth + 1));
            text += ')';
        }
        return n;
    }

    static bool canBeEmpty(const Node& n)
    {
        switch (n.kind) {
        case Node::Kind::Char:
        case Node::Kind::Any:
        case Node::Kind::Class:
            return false;
        case Node::Kind::Seq:
            for (const auto& c : n.children)
                if (!canBeEmpty(*c))
                    return false;
            return true;
        case Node::Kind::Alt:
            for (const auto& c : n.children)
                if (canBeEmpty(*c))
                    return true;
            return false;
        case Node::Kind::Group:
            return canBeEmpty(*n.children[0]);
        case Node::Kind::Repeat:
            return n.min == 0 || canBeEmpty(*n.children[0]);
        }
        return true;
    }

    std::unique_ptr<Node> piece(std::string& text, int depth)
    {
        std::string atomText;
        auto operand = atom(atomText, depth);
        text += atomText;
        if (pick(2) == 0 || canBeEmpty(*operand))
            return operand;
        auto rep = std::make_unique<Node>();
        rep->kind = Node::Kind::Repeat;
        switch (pick(6)) {
        case 0:
            rep->min = 0, rep->max = kUnbounded, text += '*';
            break;
        case 1:
            rep->min = 1, rep->max = kUnbounded, text += '+';
            break;
        case 2:
            rep->min = 0, rep->max = 1, text += '?';
            break;
        case 3:
            rep->min = rep->max = 1 + pick(2);
            text += '{' + std::to_string(rep->min) + '}';
            break;
        case 4:
            rep->min = pick(2), rep->max = kUnbounded;
            text += '{' + std::to_string(rep->min) + ",}";
            break;
        default:
            rep->min = pick(2), rep->max = rep->min + 1 + pick(2);
            text += '{' + std::to_string(rep->min) + ',' + std::to_string(rep->max) + '}';
            break;
        }
        if (pick(3) == 0) {
            rep->lazy = true;
            text += '?';
        }
        rep->children.push_back(std::move(operand));
        return rep;
    }

    std::mt19937 m_rng;
    int m_groups = 0;
};

TEST(BlackBoxDifferential, FirstMatchAgreesWithReference)
{
    Generator gen(20261208);
    std::mt19937 subjects(7);
    int compared = 0;
    for (int round = 0; round < 10000; ++round) {
        std::string pattern;
        const auto root = gen.pattern(pattern);
        const bool caseless = round % 4 == 1;
        const bool allLazy = round % 4 == 2;
        TRegex re;
        re.SetModifier(TRegex::kModI, caseless);
        re.SetModifier(TRegex::kModG, !allLazy);
        re.SetExpression(pattern);
        const std::string alphabet = caseless ? "abcABC" : "abc";
        for (int s = 0; s < 8; ++s) {
            std::string subject;
            const int length = std::uniform_int_distribution<int>(0, 7)(subjects);
            for (int i = 0; i < length; ++i) {
                const int letter
                    = std::uniform_int_distribution<int>(0, static_cast<int>(alphabet.size()) - 1)(subjects);
                subject += alphabet[letter];
            }

            const Reference ref(subject, caseless, allLazy);
            int start = -1;
            int end = -1;
            std::vector<std::pair<int, int>> groups;
            for (int p = 0; p < length && start < 0; ++p) {
                if (ref.match(*root, p, [&](int e) {
                        end = e;
                        groups = ref.m_groups;
                        return true;
                    }))
                    start = p;
            }
            if (start >= 0 && end == start)
                continue;
            ++compared;
            const bool found = re.Exec(subject);
            ASSERT_EQ(found, start >= 0) << "/" << pattern << "/ on \"" << subject << '"';
            if (found) {
                ASSERT_EQ(re.GroupStart(0), start + 1) << "/" << pattern << "/ on \"" << subject << '"';
                ASSERT_EQ(re.GroupLength(0), end - start) << "/" << pattern << "/ on \"" << subject << '"';
                for (int g = 1; g < 15; ++g) {
                    const auto [from, to] = groups[g];
                    ASSERT_EQ(re.GroupStart(g), from < 0 ? -1 : from + 1)
                        << "group " << g << " of /" << pattern << "/ on \"" << subject << '"';
                    ASSERT_EQ(re.GroupLength(g), from < 0 ? -1 : to - from)
                        << "group " << g << " of /" << pattern << "/ on \"" << subject << '"';
                }
            }
        }
    }
    EXPECT_GT(compared, 40000);
}

} // namespace
} // namespace morvane::regex
