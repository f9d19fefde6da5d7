// morvane-screenshot: renders the main window to a PNG without a display, for the README.
// Usage: QT_QPA_PLATFORM=offscreen morvane-screenshot OUTPUT.png [PAGE]
// where PAGE is the object name of a page (TabSheetWork by default). The window starts in a
// fresh temporary program directory, so the picture shows the built-in state.

#include "ui/QtTranslation.h"
#include "ui/TFormMain.h"

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvane-screenshot OUTPUT.png [PAGE]\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("MORVANE_HOME", home.path().toLocal8Bit());
    morvane::ui::InstallQtTranslation(app);

    morvane::ui::TFormMain window(home.path().toStdString());
    window.resize(1180, 760);
    window.show();
    if (argc > 2) {
        if (auto* page = window.findChild<QWidget*>(QString::fromLocal8Bit(argv[2])))
            window.controls().PageControlMain->setCurrentWidget(page);
    }
    int status = 0;
    QTimer::singleShot(200, &app, [&] {
        if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            status = 1;
        }
        // The close steps would write the program's files into the temporary directory only.
        window.close();
        app.quit();
    });
    QApplication::exec();
    return status;
}
