// morvane: the desktop program.

#include "ui/TFormMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    morvane::ui::TFormMain window;
    window.show();
    return QApplication::exec();
}
