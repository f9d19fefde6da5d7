// Extension keys and the choice of the colouring table. Covered by tests/editor/ColourTableTest.cpp.

#include "editor/ColourTable.h"

#include "app/FileError.h"
#include "app/MessageTable.h"
#include "editor/ColourTableDialogs.h"

#include <system_error>

namespace morvane::editor {

namespace {

constexpr std::size_t kMaxKeyLength = 128;

} // namespace

std::string ColourExtensionKey(const std::filesystem::path& file)
{
    const std::string name = file.filename().string();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string key = name.substr(dot + 1, kMaxKeyLength);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    if (key == "HTML")
        key = "HTM";
    return key;
}

std::filesystem::path ColourTableFile(const std::filesystem::path& programDir, const std::string& key)
{
    return programDir / ("Colour" + key + ".tbl");
}

bool ChooseColourTable(ColourTableState& table, const std::filesystem::path& file,
    const std::filesystem::path& programDir, ColourTableDialogs& dialogs)
{
    const std::string key = ColourExtensionKey(file);
    if (key == table.key)
        return true;
    const std::filesystem::path path = ColourTableFile(programDir, key);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    if (table.modified && dialogs.Confirm(app::Msg(80) + "\r\n" + app::PathText(table.path) + "?")) {
        if (auto error = rules::WriteTableFile(table.path, table.lines)) {
            dialogs.ShowMessage(error->message);
            return false;
        }
        table.modified = false;
    }
    rules::LineList lines;
    if (auto error = rules::ReadTableFile(path, lines)) {
        dialogs.ShowMessage(error->message);
        return false;
    }
    table.lines = std::move(lines);
    table.modified = false;
    table.path = path;
    table.key = key;
    return true;
}

} // namespace morvane::editor
