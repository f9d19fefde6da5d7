// The built-in HTML colouring table. Every rule colours group 1 of its matches, so each
// expression puts the part to colour in its first group. Covered by tests/editor/ColourBuiltInTableTest.cpp.

#include "editor/BuiltInColourTable.h"

namespace morvane::editor {

namespace {

// The tag-name rule: only the name after "<" is coloured, and only when a blank or ">" follows,
// so that "<BODY>" colours "BODY" and "<BODYX>" nothing.
// clang-format off
constexpr const char* kTagNames =
    "(?i)<(!DOCTYPE|A|/A|ACRONYM|/ACRONYM|ADDRESS|/ADDRESS|APPLET|/APPLET|AREA|/AREA|B|/B"
    "|BASE|/BASE|BASEFONT|/BASEFONT|BDO|/BDO|BGSOUND|/BGSOUND|BIG|/BIG|BLOCKQUOTE|/BLOCKQUOTE"
    "|BODY|/BODY|BR|BUTTON|/BUTTON|CAPTION|/CAPTION|CENTER|/CENTER|CITE|/CITE|CODE|/CODE|COL"
    "|/COL|COLGROUP|/COLGROUP|COMMENT|/COMMENT|custom|/custom|DD|/DD|DEL|/DEL|DFN|/DFN|DIR"
    "|/DIR|DIV|/DIV|DL|/DL|DT|/DT|EM|/EM|EMBED|/EMBED|FIELDSET|/FIELDSET|FONT|/FONT|FORM"
    R"(|/FORM|FRAME|/FRAME|FRAMESET|/FRAMESET|HEAD|/HEAD|H\d|/H\d|HR|/HR|HTML|/HTML|I|/I|IFRAME)"
    "|/IFRAME|IMG|INPUT|INS|ISINDEX|/ISINDEX|KBD|/KBD|LABEL|/LABEL|LEGEND|/LEGEND|LI|/LI|LINK"
    "|LISTING|/LISTING|MAP|/MAP|MARQUEE|/MARQUEE|MENU|/MENU|META|NOBR|/NOBR|NOFRAMES"
    "|/NOFRAMES|NOSCRIPT|/NOSCRIPT|OBJECT|/OBJECT|OL|/OL|OPTION|P|/P|PARAM|PLAINTEXT"
    "|/PLAINTEXT|PRE|/PRE|Q|/Q|RT|RUBY|/RUBY|S|/S|SAMP|/SAMP|SCRIPT|/SCRIPT|SELECT|/SELECT"
    "|SMALL|/SMALL|SPAN|/SPAN|STRIKE|/STRIKE|STRONG|/STRONG|STYLE|/STYLE|SUB|/SUB|SUP|/SUP"
    "|TABLE|/TABLE|TBODY|/TBODY|TD|/TD|TEXTAREA|/TEXTAREA|TFOOT|/TFOOT|TH|/TH|THEAD|/THEAD"
    "|TITLE|/TITLE|TR|/TR|TT|/TT|U|/U|UL|/UL|VAR|/VAR|WBR|XML|/XML|XMP|/XMP)[ >]";
// clang-format on

} // namespace

rules::LineList BuiltInColourTable()
{
    return {
        "(?sg)(<[^<!]*?>)\tPurple;;8\tcolor <*>",
        std::string(kTagNames) + "\tPurple;Bold;8\tcolor Tag`s",
        "(?isg)<style.*?>(.*?)</style\tGreen;;8\tcolor Style",
        "(?isg)<script.*?>(.*?)</script\t#FF0000\tcolor Script`s",
        "(?isg)<a .*?href=.*?>(.*?)</a\tBlue\tcolor Href`s",
        "(?sg)(<!--.*?-->)\tSilver;Italic;8\tcolor Coment",
    };
}

} // namespace morvane::editor
