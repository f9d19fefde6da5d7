// morvane: the desktop program. Besides Qt's own arguments it takes "--version" and the files or
// directories to open (as a file manager's "Open with" passes them), and keeps its files in the
// program directory.

#include "app/ProgramDir.h"
#include "app/DurableWrite.h"
#include "app/Version.h"
#include "ui/QtTranslation.h"
#include "ui/TFormMain.h"
#include "ui/help/CommandLinePaths.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    morvane::app::IgnoreFileSizeSignal();
    // Answered before Qt starts, so that it needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", morvane::app::VersionLine("morvane").c_str());
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setApplicationVersion(QString::fromLatin1(
        morvane::app::VersionText().data(), qsizetype(morvane::app::VersionText().size())));
    morvane::ui::InstallQtTranslation(app);
    morvane::ui::TFormMain window(morvane::app::ProgramDir());
    window.show();
    // QApplication has taken its own options out of argc and argv.
    morvane::ui::OpenCommandLinePaths(window, morvane::ui::PathsFromArguments(argc, argv));
    return QApplication::exec();
}
