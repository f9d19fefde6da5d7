#pragma once
// The colouring table the program writes as "ColourHTM.tbl" when that file is missing at start:
// six rules for HTML files (any tag, the known tag names, style and script bodies, link texts,
// comments), each line expression TAB attributes TAB remark.
// Covered by tests/editor/ColourBuiltInTableTest.cpp and tests/ui/tst_startup.cpp.

#include "rules/TableFile.h"

namespace morvane::editor {

// The six built-in lines, in table order.
rules::LineList BuiltInColourTable();

} // namespace morvane::editor
