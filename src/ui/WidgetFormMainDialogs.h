#pragma once
// The main window's boxes and choosers as Qt widgets (the desktop program's implementation of
// FormMainDialogs). Covered by hand: the GUI tests replace it with a scripted fake.

#include "ui/FormMainDialogs.h"

class QWidget;

namespace morvane::ui {

class WidgetFormMainDialogs : public FormMainDialogs {
public:
    explicit WidgetFormMainDialogs(QWidget* parent);

    bool Confirm(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    std::optional<QFont> ChooseFont(const QFont& initial) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    void Beep() override;

private:
    QWidget* m_parent;
};

} // namespace morvane::ui
