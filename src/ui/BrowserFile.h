#pragma once
// Showing a local file in one of the program's browsers (the preview window, the page
// "Просмотр"). The file is read as the program reads every text file, in a code page of
// the editor's box, so a preview written in KOI8-R or DOS-866 shows the same letters as the
// editor. HTML names are rendered (relative links and images resolve beside the file), pictures
// are shown as pictures, anything else as plain text. A file that cannot be read shows its
// error text instead. Covered by tests/ui/tst_tags.cpp.

#include <QString>

#include <filesystem>

class QTextBrowser;

namespace morvane::ui {

// How a browser shows a file.
enum class BrowserContent { Html, Image, PlainText };

// By the file's extension, without regard to case: ".htm" and ".html" are HTML, the common
// picture formats images, everything else plain text.
BrowserContent ContentOfFile(const std::filesystem::path& path);

// The code page argument that asks ShowFileInBrowser to detect the file's code page.
inline constexpr int kDetectCodePage = -1;

// Shows `path` in `browser`: read in code page `codePage` (0 Windows-1251, 1 KOI8-R, 2 DOS-866,
// 3 UTF-8, or kDetectCodePage) and shown as `content`.
void ShowFileInBrowser(
    QTextBrowser* browser, const std::filesystem::path& path, int codePage, BrowserContent content);

} // namespace morvane::ui
