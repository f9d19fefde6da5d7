#pragma once
// Helpers shared by the engine's tests: UTF-8 literals as Windows-1251 text, a one-line
// description of all matches that the Exec/ExecNext loop finds, and a readable dump of a
// compiled program for layout tests.

#include "regex/ERegex.h"
#include "regex/TRegex.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace morvane::regex::test {

// UTF-8 source literals as Windows-1251 bytes. The engine's tests link the engine alone, so this
// knows just what they use: ASCII and the Russian letters (with yo).
inline std::string W(std::string_view utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80 || i + 1 >= utf8.size()) {
            out.push_back(char(c));
            continue;
        }
        const unsigned cp = (unsigned(c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
        if (cp >= 0x410 && cp <= 0x44F)
            out.push_back(char(0xC0 + (cp - 0x410)));
        else if (cp == 0x401)
            out.push_back(char(0xA8));
        else if (cp == 0x451)
            out.push_back(char(0xB8));
        else
            out.push_back('?');
    }
    return out;
}

// Control characters and bytes above 126 as escapes, so that table rows stay readable.
inline std::string Visible(std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c >= 32 && c < 127)
            out.push_back(ch);
        else {
            out += "\\x";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

// "START:TEXT n=START:TEXT ... | START:TEXT ..." for every match of the Exec/ExecNext loop
// (at most `limit`), "-" when there is none, "E<code>@<offset>" when an ERegex ends the loop.
inline std::string Describe(TRegex& engine, std::string_view subject, int limit = 50)
{
    std::string out;
    try {
        bool found = engine.Exec(subject);
        if (!found)
            return "-";
        for (int i = 0; found && i < limit; ++i) {
            if (!out.empty())
                out += " | ";
            out += std::to_string(engine.GroupStart(0)) + ":" + Visible(engine.GroupText(0));
            for (int n = 1; n < TRegex::kGroupCount; ++n) {
                if (engine.GroupStart(n) != -1)
                    out += " " + std::to_string(n) + "=" + std::to_string(engine.GroupStart(n)) + ":"
                        + Visible(engine.GroupText(n));
            }
            found = engine.ExecNext();
        }
    } catch (const ERegex& error) {
        if (!out.empty())
            out += " | ";
        out += "E" + std::to_string(error.ErrorCode()) + "@" + std::to_string(error.ErrorOffset());
    }
    return out;
}

inline std::string Describe(std::string_view pattern, std::string_view modifiers, std::string_view subject)
{
    TRegex engine;
    try {
        if (!modifiers.empty())
            engine.SetModifierText(modifiers);
        engine.SetExpression(pattern);
    } catch (const ERegex& error) {
        return "E" + std::to_string(error.ErrorCode()) + "@" + std::to_string(error.ErrorOffset());
    }
    return Describe(engine, subject);
}

// "OFFSET NAME LINK [operands] | ..." for every node in program order. Literals are shown up to
// their closing zero, so programs with a NUL literal cannot be dumped.
inline std::string DumpProgram(std::string_view program)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(program[i]); };
    auto int32 = [&](size_t i) {
        const uint32_t v = uint32_t(byte(i)) | uint32_t(byte(i + 1)) << 8 | uint32_t(byte(i + 2)) << 16
            | uint32_t(byte(i + 3)) << 24;
        return int32_t(v);
    };
    std::string out;
    if (program.empty() || byte(0) != 216)
        return "no program";
    size_t at = 1;
    while (at < program.size()) {
        const unsigned char op = byte(at);
        const int32_t link = int32(at + 1);
        std::string name;
        std::string operands;
        size_t size = 5;
        switch (op) {
        case 0: name = "END"; break;
        case 1: name = "INPUTSTART"; break;
        case 2: name = "INPUTEND"; break;
        case 3: name = "ANY"; break;
        case 6: name = "BRANCH"; break;
        case 7: name = "BACK"; break;
        case 8:
        case 20: {
            name = op == 8 ? "EXACTLY" : "EXACTLYCI";
            const char* text = program.data() + at + 5;
            operands = " \"" + Visible(text) + "\"";
            size += std::strlen(text) + 1;
            break;
        }
        case 9: name = "NOTHING"; break;
        case 10: name = "STAR"; break;
        case 11: name = "PLUS"; break;
        case 12: name = "DIGIT"; break;
        case 13: name = "NOTDIGIT"; break;
        case 18:
        case 32:
            name = op == 18 ? "BRACES" : "BRACESLAZY";
            operands = " {" + std::to_string(int32(at + 5)) + "," + std::to_string(int32(at + 9)) + "}";
            size += 8;
            break;
        case 19: name = "COMMENT"; break;
        case 23: name = "LOOPENTRY"; break;
        case 24:
        case 33:
            name = op == 24 ? "LOOP" : "LOOPLAZY";
            operands = " {" + std::to_string(int32(at + 5)) + "," + std::to_string(int32(at + 9)) + ","
                + std::to_string(int32(at + 13)) + "}";
            size += 12;
            break;
        case 25:
        case 26:
            name = op == 25 ? "ANYOF3" : "ANYBUT3";
            operands = " \"" + Visible(program.substr(at + 5, 3)) + "\"";
            size += 3;
            break;
        case 27: {
            name = "ANYOFSET";
            int members = 0;
            for (int c = 0; c < 256; ++c)
                members += (byte(at + 5 + size_t(c >> 3)) >> (c & 7)) & 1;
            operands = " #" + std::to_string(members);
            size += 32;
            break;
        }
        case 28:
        case 29:
            name = op == 28 ? "BACKREF" : "BACKREFCI";
            operands = " " + std::to_string(byte(at + 5));
            size += 1;
            break;
        case 30: name = "STARLAZY"; break;
        case 31: name = "PLUSLAZY"; break;
        case 34: name = "LINESTART"; break;
        case 35: name = "LINEEND"; break;
        case 36: name = "ANYINLINE"; break;
        case 37: name = "WORDBOUND"; break;
        case 38: name = "NOTWORDBOUND"; break;
        default:
            if (op >= 40 && op <= 53)
                name = "OPEN" + std::to_string(op - 39);
            else if (op >= 55 && op <= 68)
                name = "CLOSE" + std::to_string(op - 54);
            else
                name = "?" + std::to_string(op);
        }
        if (!out.empty())
            out += " | ";
        out += std::to_string(at) + " " + name + " " + (link > 0 ? "+" : "") + std::to_string(link) + operands;
        at += size;
    }
    return out;
}

} // namespace morvane::regex::test
