#pragma once
// The code page lists of the windows (cbCodePage, the converter's cbFromCodePage and
// cbToCodePage): their items, and the values the settings and the core take for each row.
// UTF-8 came after "AutoDetect" already had the stored value 3, so a list with "AutoDetect"
// shows UTF-8 before it but stores it as 4; a list without it stores UTF-8 as 3, its code page
// number. Covered by tests/ui/tst_unicodefiles.cpp.

#include "search/WorkTextEditor.h"

#include <QComboBox>
#include <QStringList>

namespace morvane::ui {

// The items in list order; the names are the same in every language.
inline QStringList CodePageItems(bool withAutoDetect)
{
    QStringList items { QStringLiteral("Windows-1251"), QStringLiteral("KOI8-R"), QStringLiteral("DOS-866"),
        QStringLiteral("UTF-8") };
    if (withAutoDetect)
        items << QStringLiteral("AutoDetect");
    return items;
}

// The stored value of row `row` in a list with "AutoDetect", and the row of a stored value; the
// two swap UTF-8 and "AutoDetect" and leave the rest alone.
inline int CodePageValueAtRow(int row)
{
    const int autoDetect = static_cast<int>(search::CodePageChoice::AutoDetect);
    const int utf8 = static_cast<int>(search::CodePageChoice::Utf8);
    return row == autoDetect ? utf8 : row == utf8 ? autoDetect : row;
}
inline int CodePageRowOfValue(int value)
{
    return CodePageValueAtRow(value);
}

// The choice of cbCodePage.
inline search::CodePageChoice ChosenCodePage(const QComboBox* box)
{
    return static_cast<search::CodePageChoice>(CodePageValueAtRow(box->currentIndex()));
}

} // namespace morvane::ui
