// Keeping restored windows on a screen. Tests: tests/ui/tst_geometry.cpp.

#include "ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace morvane::ui {

QRect FitOnScreen(const QRect& wanted)
{
    QScreen* best = QGuiApplication::primaryScreen();
    long long bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(wanted);
        const long long area = static_cast<long long>(common.width()) * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    if (best == nullptr)
        return wanted;
    // The size is kept (the window manager limits it where it must); a window larger than the
    // screen starts at its top left corner.
    const QRect area = best->availableGeometry();
    QRect fitted = wanted;
    fitted.moveLeft(std::max(area.left(), std::min(fitted.left(), area.right() - fitted.width() + 1)));
    fitted.moveTop(std::max(area.top(), std::min(fitted.top(), area.bottom() - fitted.height() + 1)));
    return fitted;
}

} // namespace morvane::ui
