#pragma once
// Qt's own standard texts (the Yes and No buttons, the file, font and colour dialogs) in
// Russian, to match the program's interface. Covered by tests/ui/tst_startup.cpp.

class QCoreApplication;

namespace morvane::ui {

// Installs Qt's Russian translation ("qtbase_ru") when it is present in Qt's translation
// directory; returns whether it was installed. Without it Qt's texts stay English.
bool InstallQtTranslation(QCoreApplication& app);

} // namespace morvane::ui
