#pragma once
// The main window. For now it proves the toolchain: a Qt window holding a QScintilla editor.

#include <QMainWindow>

class QsciScintilla;

namespace morvane::ui {

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget* parent = nullptr);

    QsciScintilla* editor() const { return m_source; }

private:
    QsciScintilla* m_source = nullptr;
};

} // namespace morvane::ui
