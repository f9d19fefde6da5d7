#pragma once
// Restored window placements are kept on a screen: a persisted position may come from a larger
// screen or another monitor layout, and a window placed partly below the edge cannot be moved
// back by its title bar. Covered by tests/ui/tst_geometry.cpp.

#include <QRect>

namespace morvane::ui {

// `wanted` moved into the available area of the screen that holds most of it, or of the primary
// screen when it lies on none; its size is kept.
QRect FitOnScreen(const QRect& wanted);

} // namespace morvane::ui
