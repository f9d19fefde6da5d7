// Tool button pictures. Glyphs are drawn at two sizes so they stay sharp on high-density screens.
// Covered by tests/ui/tst_objectnames.cpp.

#include "ui/ToolIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include <array>

namespace morvane::ui {

namespace {

struct StandardPicture {
    std::string_view name;
    QStyle::StandardPixmap pixmap;
};

constexpr std::array kStandard {
    StandardPicture { "tbBreak", QStyle::SP_BrowserStop },
    StandardPicture { "tbLoadFile", QStyle::SP_DialogOpenButton },
    StandardPicture { "tbSave", QStyle::SP_DialogSaveButton },
    StandardPicture { "tbLoadTable", QStyle::SP_DialogOpenButton },
    StandardPicture { "tbSaveTable", QStyle::SP_DialogSaveButton },
    StandardPicture { "tbRestore", QStyle::SP_ArrowBack },
    StandardPicture { "tbRestoreAll", QStyle::SP_MediaSkipBackward },
    StandardPicture { "tbDelAllBackup", QStyle::SP_TrashIcon },
    StandardPicture { "tbDeleteFromTable", QStyle::SP_TrashIcon },
    StandardPicture { "tbMoveTop", QStyle::SP_ArrowUp },
    StandardPicture { "tbMoveBottom", QStyle::SP_ArrowDown },
    StandardPicture { "tbTutorial", QStyle::SP_MediaVolume },
};

// A glyph and its colour for the commands that have no standard picture.
struct Glyph {
    std::string_view name;
    const char16_t* text;
    QRgb colour;
};

constexpr std::array kGlyphs {
    Glyph { "tbSubDir", u"\u2198", 0xFF1F5FA8 },
    Glyph { "tbFindFiles", u"F+", 0xFF207020 },
    Glyph { "tbNotFindFiles", u"F\u2212", 0xFFA02020 },
    Glyph { "tbAllFiles", u"F*", 0xFF1F5FA8 },
    Glyph { "tbReplToFile", u"\u21921", 0xFF7030A0 },
    Glyph { "tbFileSplit", u"\u2192n", 0xFF7030A0 },
    Glyph { "tbBatch", u"\u03A3", 0xFF805000 },
    Glyph { "tbSaveBackup", u"\u00A9", 0xFF207020 },
    Glyph { "tbSaveAs", u"\u2026", 0xFF1F5FA8 },
    Glyph { "tbSetFont", u"A", 0xFF202020 },
    Glyph { "tbSetFont1", u"A", 0xFF202020 },
    Glyph { "tbSetColor", u"\u25A0", 0xFFC05010 },
    Glyph { "tbSetColor1", u"\u25A0", 0xFFC05010 },
    Glyph { "tbWordWrap", u"\u21B5", 0xFF1F5FA8 },
    Glyph { "tbWordWrapMemo", u"\u21B5", 0xFF1F5FA8 },
    Glyph { "tbColour", u"\u25D0", 0xFF8000A0 },
    Glyph { "tbSetColour", u"\u270E", 0xFF8000A0 },
    Glyph { "tbWebBrowser", u"\u25CE", 0xFF1F5FA8 },
    Glyph { "tbInsertToTable", u"+", 0xFF207020 },
    Glyph { "tbMoveUp", u"\u2191", 0xFF1F5FA8 },
    Glyph { "tbMoveDown", u"\u2193", 0xFF1F5FA8 },
    Glyph { "tbInsertTable", u"+", 0xFF207020 },
    Glyph { "tbEditTable", u"\u270E", 0xFF1F5FA8 },
    Glyph { "sbInsertToFind", u"\u25BE", 0xFF404040 },
    Glyph { "sbInsertToReplace", u"\u25BE", 0xFF404040 },
    Glyph { "sbFind", u"\u25B6", 0xFF207020 },
    Glyph { "sbReplacePassim", u"\u21C9", 0xFFA02020 },
    Glyph { "tbHelp", u"?", 0xFF1F5FA8 },
    Glyph { "tbHelpTable", u"?", 0xFF1F5FA8 },
};

QPixmap DrawGlyph(const QString& text, QColor colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? size * 9 / 16 : size * 3 / 4);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
    return pixmap;
}

} // namespace

QIcon ToolIcon(std::string_view name, const QStyle* style)
{
    for (const StandardPicture& picture : kStandard) {
        if (picture.name == name && style != nullptr)
            return style->standardIcon(picture.pixmap);
    }
    QString text = QStringLiteral("\u2022");
    QColor colour(0x40, 0x40, 0x40);
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.name == name) {
            text = QString::fromUtf16(glyph.text);
            colour = QColor::fromRgba(glyph.colour);
        }
    }
    QIcon icon;
    icon.addPixmap(DrawGlyph(text, colour, 16));
    icon.addPixmap(DrawGlyph(text, colour, 32));
    return icon;
}

} // namespace morvane::ui
