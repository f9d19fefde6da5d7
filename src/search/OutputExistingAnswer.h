#pragma once
// The three answers of the dialog for an existing collecting file (TForm3).
// Covered by tests/search/OutputControlTest.cpp.

namespace morvane::search {

enum class OutputExistingAnswer {
    Cancel, // "&Отмена", the default button, or the dialog closed: one-file mode stays off
    Overwrite, // "&Перезаписать": the file is emptied and collects from its start
    Append, // "&Дописать": the file keeps its content and collects at its end
};

} // namespace morvane::search
