// Font and colour of the focused control: the commands, their couplings, and the persisted form
// (a font as Qt's font string, a colour as "#rrggbb", under the keys control name + "_Font" or
// "_Color"). Only the controls listed below can be styled; any other focus gets a beep.
// Covered by tests/ui/tst_appearance.cpp.

#include "ui/TFormMain.h"

#include "ui/FormMainDialogs.h"
#include "ui/ObjectNames.h"
#include "ui/QsciInclude.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <string_view>

namespace morvane::ui {

namespace {

// The controls whose font and colour the user may set.
constexpr std::array<std::string_view, 15> kStyleable {
    names::cbFind,
    names::cbReplace,
    names::cbRemark,
    names::cbDrive,
    names::cbMask,
    names::lvFiles,
    names::reSource,
    names::lvReport,
    names::sgRegExpr,
    names::MemoFind,
    names::MemoReplace,
    names::EditSpaceChars,
    names::EditWordChars,
    names::mmReplace,
    names::cbCodePage,
};

bool IsStyleable(const QWidget* widget)
{
    const std::string name = widget->objectName().toStdString();
    return std::find(kStyleable.begin(), kStyleable.end(), name) != kStyleable.end();
}

QColor ControlColor(QWidget* control)
{
    if (auto* editor = qobject_cast<QsciScintilla*>(control))
        return editor->paper();
    return control->palette().color(QPalette::Base);
}

void RawSetColor(QWidget* control, const QColor& color)
{
    if (auto* editor = qobject_cast<QsciScintilla*>(control)) {
        editor->setPaper(color);
        return;
    }
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Button, color);
    control->setPalette(palette);
}

void RawSetFont(QWidget* control, const QFont& font)
{
    if (auto* editor = qobject_cast<QsciScintilla*>(control))
        editor->setFont(font); // the editor's own text font; QWidget::setFont does not reach it
    control->setFont(font);
}

// Gives `other` the family and size of `font`, keeping its own style.
void ShareNameAndSize(QWidget* other, const QFont& font)
{
    QFont shared = other->font();
    shared.setFamily(font.family());
    if (font.pointSizeF() > 0)
        shared.setPointSizeF(font.pointSizeF());
    else
        shared.setPixelSize(font.pixelSize());
    RawSetFont(other, shared);
}

} // namespace

QWidget* TFormMain::styleTarget() const
{
    for (QWidget* w = QApplication::focusWidget(); w != nullptr && w != this; w = w->parentWidget()) {
        if (IsStyleable(w))
            return w->window() == this ? w : nullptr;
    }
    return nullptr;
}

void TFormMain::updateStyleButtons()
{
    const bool styleable = styleTarget() != nullptr;
    for (QToolButton* button : { m_c.tbSetFont, m_c.tbSetColor, m_c.tbSetFont1, m_c.tbSetColor1 })
        button->setEnabled(styleable);
}

void TFormMain::setControlFont(QWidget* control, const QFont& font)
{
    std::vector<QWidget*> changed { control };
    RawSetFont(control, font);

    auto share = [&](std::initializer_list<QWidget*> group) {
        if (std::find(group.begin(), group.end(), control) == group.end())
            return;
        for (QWidget* other : group) {
            if (other != control) {
                ShareNameAndSize(other, font);
                changed.push_back(other);
            }
        }
    };
    share({ static_cast<QWidget*>(m_c.EditSpaceChars), static_cast<QWidget*>(m_c.EditWordChars) });
    share({ static_cast<QWidget*>(m_c.cbFind), static_cast<QWidget*>(m_c.cbReplace),
        static_cast<QWidget*>(m_c.cbRemark) });

    if (control == m_c.MemoFind || control == m_c.MemoReplace || control == m_c.mmReplace) {
        // The preview memo's font is persisted as the font of the hidden label.
        m_c.LabelDir->setFont(m_c.mmReplace->font());
        changed.push_back(m_c.LabelDir);
    }
    if (control == m_c.sgRegExpr)
        m_c.sgRegExpr->verticalHeader()->setDefaultSectionSize(10 + QFontMetrics(font).height());
    // A new editor font keeps the text, the selection and the modified mark; colouring the text
    // again is bound when colouring lands.

    for (QWidget* w : changed)
        m_settings.Appearance[w->objectName().toStdString() + "_Font"] = w->font().toString().toStdString();
    collectAppearance();
}

void TFormMain::setControlColor(QWidget* control, const QColor& color)
{
    RawSetColor(control, color);
    m_settings.Appearance[control->objectName().toStdString() + "_Color"] = color.name().toStdString();
    collectAppearance();
}

void TFormMain::applyAppearance()
{
    for (const auto& [key, value] : m_settings.Appearance) {
        const size_t cut = key.rfind('_');
        if (cut == std::string::npos)
            continue;
        auto* control = findChild<QWidget*>(QString::fromStdString(key.substr(0, cut)));
        if (control == nullptr)
            continue;
        const std::string property = key.substr(cut + 1);
        if (property == "Font") {
            QFont font;
            if (font.fromString(QString::fromStdString(value)))
                RawSetFont(control, font);
        } else if (property == "Color") {
            const QColor color(QString::fromStdString(value));
            if (color.isValid())
                RawSetColor(control, color);
        }
    }
}

void TFormMain::collectAppearance()
{
    // Only keys of the settings store are kept; a property the user never set stays absent so
    // that the control keeps the look of the desktop.
    std::map<std::string, std::string, std::less<>> known;
    for (std::string_view key : app::AppearanceKeys()) {
        auto found = m_settings.Appearance.find(key);
        if (found != m_settings.Appearance.end())
            known.emplace(found->first, found->second);
    }
    m_settings.Appearance = std::move(known);
}

void TFormMain::miSetFontClick()
{
    QWidget* control = styleTarget();
    if (control == nullptr) {
        m_dialogs->Beep();
        return;
    }
    if (auto font = m_dialogs->ChooseFont(control->font()))
        setControlFont(control, *font);
}

void TFormMain::miSetColorClick()
{
    QWidget* control = styleTarget();
    if (control == nullptr) {
        m_dialogs->Beep();
        return;
    }
    if (auto color = m_dialogs->ChooseColor(ControlColor(control)))
        setControlColor(control, *color);
}

} // namespace morvane::ui
