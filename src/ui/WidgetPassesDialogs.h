#pragma once
// The pass commands' boxes and dialogs as widgets: message boxes, the save dialog for the
// collecting file, TForm3, TFormSetFileSplit, TFormSetModeConverter, and the desktop's default
// application. The three dialogs are created here once, as children of the main window, and
// live as long as it. Covered by tests/ui/tst_outputdialogs.cpp (the dialogs themselves).

#include "ui/PassesDialogs.h"

class QWidget;

namespace morvane::ui {

class TForm3;
class TFormSetFileSplit;
class TFormSetModeConverter;

class WidgetPassesDialogs : public PassesDialogs {
public:
    explicit WidgetPassesDialogs(QWidget* window);

    TForm3* form3() const { return m_form3; }
    TFormSetFileSplit* fileSplitDialog() const { return m_fileSplit; }
    TFormSetModeConverter* converterDialog() const { return m_converter; }

    void showMessage(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::filesystem::path> chooseOutputFile(const std::string& title,
        const std::filesystem::path& startFile, const std::filesystem::path& startDirectory) override;
    search::OutputExistingAnswer askExistingTarget(const std::filesystem::path& path) override;
    bool editFileSplitSettings(search::OutputSplitSettings& settings) override;
    bool editConverterModes(const std::string& info, int& fromIndex, int& toIndex) override;
    void openWithDefaultApplication(const std::filesystem::path& file) override;

private:
    QWidget* m_window;
    TForm3* m_form3;
    TFormSetFileSplit* m_fileSplit;
    TFormSetModeConverter* m_converter;
};

} // namespace morvane::ui
