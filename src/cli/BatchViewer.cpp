// The terminal run's viewer. Tests: tests/cli/BatchInteractiveCliTest.cpp.

#include "cli/BatchViewer.h"

#include "app/FileError.h"

#include <algorithm>
#include <cerrno>

namespace morvane::cli {

void BatchViewer::setText(const std::string& text)
{
    m_text = text;
    m_selStart = 0;
    m_selLength = 0;
}

void BatchViewer::setSelection(int start, int length)
{
    const int size = static_cast<int>(m_text.size());
    m_selStart = std::clamp(start, 0, size);
    m_selLength = std::clamp(length, 0, size - m_selStart);
}

void BatchViewer::replaceSelection(const std::string& text)
{
    m_text.replace(static_cast<size_t>(m_selStart), static_cast<size_t>(m_selLength), text);
    m_selStart += static_cast<int>(text.size());
    m_selLength = 0;
    m_modified = true;
}

std::optional<app::FileError> BatchViewer::loadRichText(const std::filesystem::path& path)
{
    // Never asked for, since supportsRichText() is false; refuse rather than pretend.
    return app::FileError { app::CannotOpenText(path, ENOTSUP) };
}

} // namespace morvane::cli
