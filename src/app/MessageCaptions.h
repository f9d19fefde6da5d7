#pragma once
// Where each caption entry of the message table goes: for every index from 100 to 360 the
// window, the control's object name and the property that takes the entry's text. The desktop
// program walks this list once at start, in increasing index order, so a later entry for the
// same control never exists (each window/control/property pair appears once).
// The data lives in MessageData.cpp. Covered by tests/app/MessageCaptionsTest.cpp.

#include <span>
#include <string_view>

namespace morvane::app {

// The property of a control that a caption entry sets.
enum class CaptionProperty {
    Caption, // text of a label, button, group box or menu item
    Hint, // tool tip
    WindowTitle, // title bar of a window; the object name is then the window's own
    TabText, // text of a page's tab
};

struct CaptionTarget {
    int index; // entry of the message table
    std::string_view window; // class name of the owning window, e.g. "TFormMain"
    std::string_view objectName; // the control, e.g. "sbYes"
    CaptionProperty property;
};

// The targets of entries 100 to 360, one per index, in increasing index order.
std::span<const CaptionTarget> CaptionTargets();

} // namespace morvane::app
