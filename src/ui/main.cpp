// morvane: the desktop program. It reads no arguments besides Qt's own and keeps its files in
// the program directory.

#include "app/ProgramDir.h"
#include "ui/QtTranslation.h"
#include "ui/TFormMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    morvane::ui::InstallQtTranslation(app);
    morvane::ui::TFormMain window(morvane::app::ProgramDir());
    window.show();
    return QApplication::exec();
}
