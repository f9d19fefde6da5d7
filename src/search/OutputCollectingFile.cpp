// The collecting file of one-file output. Tests: tests/search/OutputFilesTest.cpp.

#include "search/OutputCollectingFile.h"

#include <cerrno>

namespace morvane::search {

OutputCollectingFile::~OutputCollectingFile()
{
    close();
}

std::optional<app::FileError> OutputCollectingFile::open(const std::filesystem::path& path, bool append)
{
    close();
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!file)
        return app::FileError { app::CannotCreateText(path, errno) };
    std::error_code ec;
    const std::uintmax_t size = append ? std::filesystem::file_size(path, ec) : 0;
    m_file = file;
    m_path = path;
    m_size = ec ? 0 : size;
    return std::nullopt;
}

std::optional<app::FileError> OutputCollectingFile::append(std::string_view text)
{
    if (!m_file)
        return app::FileError { app::CannotCreateText(m_path, EBADF) };
    if (text.empty())
        return std::nullopt;
    errno = 0;
    const size_t written = std::fwrite(text.data(), 1, text.size(), m_file);
    const bool flushed = std::fflush(m_file) == 0;
    if (written == text.size() && flushed) {
        m_size += text.size();
        return std::nullopt;
    }
    const int err = errno != 0 ? errno : EIO;
    // Whatever part of the text reached the disk is taken back; the stream is reopened at the
    // cut so later appends follow the last complete replacement.
    std::fclose(m_file);
    m_file = nullptr;
    std::error_code ec;
    std::filesystem::resize_file(m_path, m_size, ec);
    m_file = std::fopen(m_path.c_str(), "ab");
    return app::FileError { app::CannotCreateText(m_path, err) };
}

void OutputCollectingFile::close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_path.clear();
    m_size = 0;
}

} // namespace morvane::search
