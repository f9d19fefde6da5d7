// Showing a local file in a browser. Covered by tests/ui/tst_tags.cpp.

#include "ui/BrowserFile.h"

#include "app/FileIo.h"
#include "codepage/CodePage.h"
#include "codepage/UnicodeText.h"
#include "editor/TagPairing.h"
#include "ui/DisplayText.h"

#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <array>
#include <string>

namespace morvane::ui {

namespace {

QString DisplayPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

std::string LowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

} // namespace

BrowserContent ContentOfFile(const std::filesystem::path& path)
{
    if (editor::IsHtmlFileName(path.string()))
        return BrowserContent::Html;
    static constexpr std::array<const char*, 6> kImages { ".png", ".jpg", ".jpeg", ".gif", ".bmp", ".svg" };
    const std::string extension = LowerAscii(path.extension().string());
    if (std::find(kImages.begin(), kImages.end(), extension) != kImages.end())
        return BrowserContent::Image;
    return BrowserContent::PlainText;
}

void ShowFileInBrowser(
    QTextBrowser* browser, const std::filesystem::path& path, int codePage, BrowserContent content)
{
    // Relative links and pictures of the document resolve beside the file.
    const QUrl base = QUrl::fromLocalFile(DisplayPath(path.parent_path()) + QLatin1Char('/'));
    browser->clear();
    browser->document()->setBaseUrl(base);
    browser->setSearchPaths({ DisplayPath(path.parent_path()) });

    if (content == BrowserContent::Image) {
        const QString url = QUrl::fromLocalFile(DisplayPath(path)).toString(QUrl::FullyEncoded);
        browser->setHtml(QStringLiteral("<img src=\"%1\">").arg(url));
        return;
    }
    std::string bytes;
    if (auto error = app::ReadWholeFile(path, bytes)) {
        browser->setPlainText(ToDisplay(error->message));
        return;
    }
    const int from = codePage == kDetectCodePage ? codepage::DetectFileCodePage(bytes) : codePage;
    const QString text = ToDisplay(codepage::DecodeFileText(bytes, from).text);
    if (content == BrowserContent::Html)
        browser->setHtml(text);
    else
        browser->setPlainText(text);
}

} // namespace morvane::ui
