#pragma once
// QScintilla's headers use Qt's bare keywords, which the program turns off (QT_NO_KEYWORDS) so
// that no other library's `signals`/`slots` macros leak into ours. Include QScintilla only here.

#include <QtGlobal>

#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintilla.h>
#undef slots
#undef signals
