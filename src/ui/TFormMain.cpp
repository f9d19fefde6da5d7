#include "ui/TFormMain.h"

#include "ui/QsciInclude.h"

namespace morvane::ui {

TFormMain::TFormMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TFormMain"));
    setWindowTitle(QStringLiteral("Morvane"));
    m_source = new QsciScintilla(this);
    m_source->setObjectName(QStringLiteral("reSource"));
    setCentralWidget(m_source);
    resize(900, 600);
}

} // namespace morvane::ui
