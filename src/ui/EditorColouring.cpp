// Styles and the strike-out indicator of the viewer. Covered by tests/ui/tst_colour.cpp.

#include "ui/EditorColouring.h"

#include "ui/QsciInclude.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QTimer>

#include <algorithm>
#include <string>

namespace morvane::ui {

namespace {

using Sci = QsciScintillaBase;

// Styles 32 to 39 are the control's own (default, line numbers, braces...); 0 is plain text.
constexpr int kFirstLowStyles = 31; // styles 1 to 31
constexpr int kFirstHighStyle = 40; // then 40 to 255
constexpr int kStyleCount = kFirstLowStyles + (256 - kFirstHighStyle);

// Scintilla's indicator flag that takes the drawing colour from each range's value.
constexpr unsigned long kIndicatorValueFore = 1;

int StyleNumber(int index)
{
    return index < kFirstLowStyles ? index + 1 : index - kFirstLowStyles + kFirstHighStyle;
}

long ColourRef(const editor::Rgb& c)
{
    return static_cast<long>(c.red) | (static_cast<long>(c.green) << 8) | (static_cast<long>(c.blue) << 16);
}

long ColourRef(const QColor& c)
{
    return static_cast<long>(c.red()) | (static_cast<long>(c.green()) << 8)
        | (static_cast<long>(c.blue()) << 16);
}

bool IsLeadByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

} // namespace

EditorColouring::EditorColouring(QsciScintilla* editor, QObject* parent)
    : QObject(parent)
    , m_editor(editor)
{
    m_strikeIndicator = m_editor->indicatorDefine(QsciScintilla::StrikeIndicator);
    m_editor->SendScintilla(
        Sci::SCI_INDICSETFLAGS, static_cast<unsigned long>(m_strikeIndicator), kIndicatorValueFore);
    m_editor->installEventFilter(this);
}

int EditorColouring::styleFor(const editor::ColourAttributes& attributes)
{
    auto found = std::find(m_styles.begin(), m_styles.end(), attributes);
    if (found != m_styles.end())
        return StyleNumber(static_cast<int>(found - m_styles.begin()));
    if (static_cast<int>(m_styles.size()) == kStyleCount)
        return StyleNumber(kStyleCount - 1);
    m_styles.push_back(attributes);
    const int style = StyleNumber(static_cast<int>(m_styles.size()) - 1);
    defineStyle(style, attributes);
    return style;
}

void EditorColouring::defineStyle(int style, const editor::ColourAttributes& attributes)
{
    const QFont font = m_editor->font();
    const auto s = static_cast<unsigned long>(style);
    const bool bold = attributes.style ? attributes.style->bold : font.bold();
    const bool italic = attributes.style ? attributes.style->italic : font.italic();
    const bool underline = attributes.style ? attributes.style->underline : font.underline();
    int size = attributes.size ? *attributes.size : font.pointSize();
    if (size <= 0)
        size = 10; // a font given in pixels: Scintilla wants points
    const QByteArray family = font.family().toUtf8();
    m_editor->SendScintilla(Sci::SCI_STYLESETFONT, s, family.constData());
    m_editor->SendScintilla(Sci::SCI_STYLESETSIZE, s, static_cast<long>(size));
    m_editor->SendScintilla(Sci::SCI_STYLESETBOLD, s, static_cast<long>(bold));
    m_editor->SendScintilla(Sci::SCI_STYLESETITALIC, s, static_cast<long>(italic));
    m_editor->SendScintilla(Sci::SCI_STYLESETUNDERLINE, s, static_cast<long>(underline));
    m_editor->SendScintilla(Sci::SCI_STYLESETFORE, s, ColourRef(attributes.colour));
    m_editor->SendScintilla(Sci::SCI_STYLESETBACK, s, ColourRef(m_editor->paper()));
}

void EditorColouring::redefineStyles()
{
    m_redefinePending = false;
    for (std::size_t i = 0; i < m_styles.size(); ++i)
        defineStyle(StyleNumber(static_cast<int>(i)), m_styles[i]);
}

std::vector<long> EditorColouring::documentPositions(const std::vector<int>& offsets) const
{
    const long size = m_editor->SendScintilla(Sci::SCI_GETLENGTH);
    const auto* bytes
        = static_cast<const char*>(m_editor->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    std::vector<long> positions;
    positions.reserve(offsets.size());
    long position = 0;
    int offset = 0;
    for (int wanted : offsets) {
        while (offset < wanted && position < size) {
            ++position;
            while (position < size && !IsLeadByte(bytes[position]))
                ++position;
            ++offset;
        }
        positions.push_back(position);
    }
    return positions;
}

long EditorColouring::documentPosition(int offset) const
{
    return documentPositions({ offset }).front();
}

void EditorColouring::apply(const std::vector<editor::ColourSpan>& spans)
{
    m_styles.clear();
    const long size = m_editor->SendScintilla(Sci::SCI_GETLENGTH);
    std::vector<int> offsets;
    offsets.reserve(spans.size() * 2);
    for (const editor::ColourSpan& span : spans) {
        offsets.push_back(span.position);
        offsets.push_back(span.position + span.length);
    }
    const std::vector<long> positions = documentPositions(offsets);

    std::string styles(static_cast<std::size_t>(size), '\0');
    m_editor->SendScintilla(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(m_strikeIndicator));
    m_editor->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0UL, size);
    const bool fontStruckOut = m_editor->font().strikeOut();
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const long from = positions[2 * i];
        const long to = positions[2 * i + 1];
        if (to <= from)
            continue;
        const editor::ColourAttributes& attributes = spans[i].attributes;
        std::fill(styles.begin() + from, styles.begin() + to, static_cast<char>(styleFor(attributes)));
        if (attributes.style ? attributes.style->strikeOut : fontStruckOut) {
            m_editor->SendScintilla(Sci::SCI_SETINDICATORVALUE,
                static_cast<unsigned long>(ColourRef(attributes.colour)) | Sci::SC_INDICVALUEBIT);
            m_editor->SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(from), to - from);
        }
    }
    m_editor->SendScintilla(Sci::SCI_STARTSTYLING, 0UL, 0L);
    if (size > 0)
        m_editor->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<unsigned long>(size), styles.data());
}

void EditorColouring::applyRange(int offset, int length, const editor::ColourAttributes& attributes)
{
    if (length <= 0)
        return;
    const std::vector<long> positions = documentPositions({ offset, offset + length });
    const long from = positions[0];
    const long to = positions[1];
    if (to <= from)
        return;
    const int style = styleFor(attributes);
    m_editor->SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(from), 0L);
    m_editor->SendScintilla(
        Sci::SCI_SETSTYLING, static_cast<unsigned long>(to - from), static_cast<long>(style));
    m_editor->SendScintilla(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(m_strikeIndicator));
    m_editor->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(from), to - from);
    if (attributes.style ? attributes.style->strikeOut : m_editor->font().strikeOut()) {
        m_editor->SendScintilla(Sci::SCI_SETINDICATORVALUE,
            static_cast<unsigned long>(ColourRef(attributes.colour)) | Sci::SC_INDICVALUEBIT);
        m_editor->SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(from), to - from);
    }
}

void EditorColouring::clear()
{
    m_styles.clear();
    const long size = m_editor->SendScintilla(Sci::SCI_GETLENGTH);
    m_editor->SendScintilla(Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(m_strikeIndicator));
    m_editor->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0UL, size);
    m_editor->SendScintilla(Sci::SCI_STARTSTYLING, 0UL, 0L);
    m_editor->SendScintilla(Sci::SCI_SETSTYLING, static_cast<unsigned long>(size), 0L);
}

int EditorColouring::styleAt(int offset) const
{
    return static_cast<int>(
        m_editor->SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(documentPosition(offset))));
}

bool EditorColouring::struckOutAt(int offset) const
{
    return m_editor->SendScintilla(Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(m_strikeIndicator),
               documentPosition(offset))
        != 0;
}

bool EditorColouring::eventFilter(QObject* watched, QEvent* event)
{
    // The control redraws its style definitions from its new font after this event; ours are
    // put back once it has.
    if (watched == m_editor && event->type() == QEvent::FontChange && !m_styles.empty()
        && !m_redefinePending) {
        m_redefinePending = true;
        QTimer::singleShot(0, this, &EditorColouring::redefineStyles);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace morvane::ui
