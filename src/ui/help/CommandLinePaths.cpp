#include "ui/help/CommandLinePaths.h"

#include "filepanel/FilePanel.h"
#include "ui/FilePanelView.h"
#include "ui/TFormMain.h"

#include <algorithm>
#include <system_error>

namespace morvane::ui {

namespace fs = std::filesystem;

std::vector<fs::path> PathsFromArguments(int argc, char** argv)
{
    std::vector<fs::path> paths;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        fs::path path = fs::absolute(fs::path(argv[i]), ec);
        paths.push_back(ec ? fs::path(argv[i]) : path.lexically_normal());
    }
    return paths;
}

void OpenCommandLinePaths(TFormMain& window, const std::vector<fs::path>& paths)
{
    std::vector<fs::path> existing;
    for (const fs::path& path : paths) {
        std::error_code ec;
        if (fs::exists(path, ec))
            existing.push_back(path);
    }
    if (existing.empty())
        return;
    std::error_code ec;
    const bool firstIsDirectory = fs::is_directory(existing.front(), ec);
    const fs::path directory = firstIsDirectory ? existing.front() : existing.front().parent_path();

    FilePanelView& view = *window.filePanel();
    filepanel::FilePanel& panel = view.model();
    panel.ChangeDirectory(directory);
    view.sync();
    if (firstIsDirectory)
        return;

    // The files given that lie in the directory entered, by their index in the listing.
    std::vector<int> files;
    for (const fs::path& path : existing) {
        if (fs::is_directory(path, ec) || path.parent_path() != directory)
            continue;
        const std::string name = path.filename().string();
        const auto& items = panel.items();
        const auto it = std::find_if(items.begin(), items.end(),
            [&name](const filepanel::FileItem& item) { return item.name == name; });
        if (it != items.end())
            files.push_back(static_cast<int>(it - items.begin()));
    }
    if (files.empty())
        return;
    if (files.size() == 1) {
        panel.focusItem(files.front());
        view.sync();
        window.miLoadFileClick();
        return;
    }
    // Exactly the files given are marked, whatever marks the directory kept from the last run.
    panel.unmarkAll();
    for (int index : files)
        panel.setMark(index, true);
    panel.focusItem(files.front());
    view.sync();
}

} // namespace morvane::ui
