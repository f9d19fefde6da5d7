// The main window's handlers for the rule table page, the work page fields and their menus, table files.

#include "ui/TFormMain.h"

namespace morvane::ui {

// clang-format off
void TFormMain::miQuoteClick() { } // to be bound
void TFormMain::CheckBoxModifierClick() { } // to be bound
void TFormMain::rbReplaceModeClick() { } // to be bound
void TFormMain::tbInsertTableClick() { } // to be bound
void TFormMain::tbEditTableClick() { } // to be bound
void TFormMain::pmFindItemClick() { } // to be bound
void TFormMain::pmReplaceItemClick() { } // to be bound
void TFormMain::tbSaveTableClick() { } // to be bound
void TFormMain::tbLoadTableClick() { } // to be bound
void TFormMain::tbDeleteFromTableClick() { } // to be bound
void TFormMain::tbInsertToTableClick() { } // to be bound
void TFormMain::tbMoveTopClick() { } // to be bound
void TFormMain::tbMoveUpClick() { } // to be bound
void TFormMain::tbMoveDownClick() { } // to be bound
void TFormMain::tbMoveBottomClick() { } // to be bound
void TFormMain::sbAddToTableClick() { } // to be bound
void TFormMain::sbReplaceToTableClick() { } // to be bound
void TFormMain::sbDeleteToTableClick() { } // to be bound
void TFormMain::sbQuoteMemoFindClick() { } // to be bound
// clang-format on

} // namespace morvane::ui
