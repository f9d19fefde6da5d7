#pragma once
// The colouring's boxes and choosers as Qt widgets (the desktop program's implementation of
// ColourDialogs). Covered by hand: the GUI tests replace it with a scripted fake.

#include "ui/ColourDialogs.h"

class QWidget;

namespace morvane::ui {

class WidgetColourDialogs : public ColourDialogs {
public:
    explicit WidgetColourDialogs(QWidget* parent);

    bool Confirm(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    std::optional<std::filesystem::path> ChooseSampleFile(const std::string& title) override;
    std::optional<ChosenAttributes> ChooseAttributes(const QFont& font, const QColor& colour) override;

private:
    QWidget* m_parent;
};

} // namespace morvane::ui
