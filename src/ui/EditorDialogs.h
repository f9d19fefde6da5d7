#pragma once
// The choosers of the editor's commands: the save dialog of "Сохранить как". The window talks to
// it only through this interface so that the GUI tests can script the answer (see
// tests/ui/ScriptedEditorDialogs.h). Covered by tests/ui/tst_editor.cpp.

#include <QWidget>

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::ui {

class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;
    // The save dialog titled `title` (program text) with the file types of the editor, preset to
    // `preset` (empty: no name). The chosen path, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> SaveAsFileName(
        const std::string& title, const std::filesystem::path& preset)
        = 0;
};

// The file types of the save dialog in Qt's form, "All files" first. Qt reads "*.*" literally
// (names with a dot only), so every file is "*" there.
QString SaveAsFilter();

// The Qt file dialog; a child of `parent`, which it opens over.
class WidgetEditorDialogs : public QObject, public EditorDialogs {
public:
    explicit WidgetEditorDialogs(QWidget* parent)
        : QObject(parent)
        , m_parent(parent)
    {
    }
    std::optional<std::filesystem::path> SaveAsFileName(
        const std::string& title, const std::filesystem::path& preset) override;

private:
    QWidget* m_parent;
};

} // namespace morvane::ui
