#pragma once
// What the interactive replace run needs of the main window beyond the viewer, the status
// panels and the boxes: the enabled state of its eleven confirmation controls (six speed
// buttons on the confirmation panel, five menu items), the preview memo mmReplace that shows
// and lets the user edit the proposed replacement, the pages it switches to, and the hooks it
// calls when the controls change or a replacing command ends. The desktop program binds it to
// its widgets, the terminal front end to its prompt, tests to tests/fakes/FakeConfirmControls.h.
// Exercised in tests/search/InteractiveRunTest.cpp.

#include <array>
#include <string>

namespace morvane::search {

// The eleven confirmation controls. The first seven answer for the current file; the last four
// reach other files and are enabled only when the pass file list holds at least two files.
enum class ConfirmControl : int {
    sbYes, // F2: replace this match
    sbYesToAll, // Alt+F2: replace the rest of this file
    sbIgnore, // F3: skip this match
    sbAbort, // stop the run
    miReplace, // menu twin of sbYes
    miReplaceInFile, // menu twin of sbYesToAll
    miIgnore, // menu twin of sbIgnore
    sbAll, // replace everything left in all files
    sbNoToAll, // Alt+F3: skip the rest of this file
    miReplaceAll, // Alt+A, menu twin of sbAll
    miNextFile, // menu twin of sbNoToAll
};

inline constexpr int kConfirmControlCount = 11;

// Every control in declaration order, for loops over all eleven.
inline constexpr std::array<ConfirmControl, kConfirmControlCount> kAllConfirmControls { ConfirmControl::sbYes,
    ConfirmControl::sbYesToAll, ConfirmControl::sbIgnore, ConfirmControl::sbAbort, ConfirmControl::miReplace,
    ConfirmControl::miReplaceInFile, ConfirmControl::miIgnore, ConfirmControl::sbAll,
    ConfirmControl::sbNoToAll, ConfirmControl::miReplaceAll, ConfirmControl::miNextFile };

// Whether `control` reaches past the current file (sbAll, sbNoToAll and their menu twins).
constexpr bool ReachesOtherFiles(ConfirmControl control)
{
    return static_cast<int>(control) >= static_cast<int>(ConfirmControl::sbAll);
}

class ConfirmControls {
public:
    virtual ~ConfirmControls() = default;

    // The enabled state of one control. While sbYes is enabled a run is waiting for an answer.
    virtual bool isEnabled(ConfirmControl control) const = 0;
    virtual void setEnabled(ConfirmControl control, bool enabled) = 0;

    // The preview memo mmReplace: the proposed replacement (Windows-1251), which the user may
    // edit before answering; replacing uses whatever it holds then.
    virtual std::string previewText() const = 0;
    virtual void setPreviewText(const std::string& text) = 0;

    // Makes the work page the active page of the main page control.
    virtual void showWorkPage() = 0;
    // Makes the editing page (the viewer and the confirmation panel) the active inner page of
    // the work area and focuses the viewer.
    virtual void showEditingPage() = 0;

    // The pass commands' enabled state follows the confirmation controls; called after every
    // change of the eleven.
    virtual void UpdatePassCommands() = 0;
    // After a command that replaced something: reload the file panel's listing, keeping the
    // focused item, if the directory watcher reported a change meanwhile. Nothing otherwise.
    virtual void reloadPanelIfChanged() = 0;
};

} // namespace morvane::search
