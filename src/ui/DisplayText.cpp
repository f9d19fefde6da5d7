// Conversion of program text for display. Covered by tests/ui/tst_startup.cpp.

#include "ui/DisplayText.h"

#include "codepage/CodePage.h"

#include <QList>

namespace morvane::ui {

QString ToDisplay(std::string_view text)
{
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        result.append(
            QChar(static_cast<char16_t>(codepage::Win1251ToUnicode(static_cast<unsigned char>(c)))));
    return result;
}

std::string FromDisplay(const QString& text)
{
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : text.toUcs4()) {
        unsigned char byte = 0;
        result.push_back(codepage::UnicodeToWin1251(cp, byte) ? static_cast<char>(byte) : '?');
    }
    return result;
}

std::filesystem::path PathFromText(std::string_view text)
{
    const std::string utf8 = codepage::Win1251ToUtf8(text);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace morvane::ui
