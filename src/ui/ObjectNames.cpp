// The name lists walked by the GUI test, generated from the same lists as the constants.
// Covered by tests/ui/tst_objectnames.cpp.

#include "ui/ObjectNames.h"

namespace morvane::ui {

namespace {

#define MORVANE_NAME_ENTRY(n) names::n,
constexpr const char* kFormMainNames[] = { MORVANE_FORM_MAIN_CONTROLS(MORVANE_NAME_ENTRY)
        MORVANE_FORM_MAIN_MENUS(MORVANE_NAME_ENTRY) MORVANE_FORM_MAIN_FILES_MENU(MORVANE_NAME_ENTRY)
            MORVANE_FORM_MAIN_FIND_MENU(MORVANE_NAME_ENTRY) MORVANE_FORM_MAIN_REPLACE_MENU(MORVANE_NAME_ENTRY)
                MORVANE_SELECT_FILES_CONTROLS(MORVANE_NAME_ENTRY) };
constexpr const char* kForm9Names[] = { MORVANE_FORM9_CONTROLS(MORVANE_NAME_ENTRY) };
#undef MORVANE_NAME_ENTRY

} // namespace

std::span<const char* const> FormMainObjectNames()
{
    return kFormMainNames;
}

std::span<const char* const> Form9ObjectNames()
{
    return kForm9Names;
}

} // namespace morvane::ui
