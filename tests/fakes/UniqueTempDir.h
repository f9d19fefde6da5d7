#pragma once
// A fresh directory of its own for each test: ctest runs the tests of one executable as parallel
// processes, so a fixed name under the temporary directory would be shared between them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace morvane::test {

// Creates and returns a new empty directory named after `prefix` under the test temp directory.
inline std::filesystem::path UniqueTempDir(const std::string& prefix)
{
    std::string templ = (std::filesystem::path(testing::TempDir()) / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(templ.data()))
        ADD_FAILURE() << "cannot create a temporary directory from " << templ;
    return templ;
}

} // namespace morvane::test

namespace morvane::test {

// A UniqueTempDir removed with its contents when the object goes.
class ScopedTempDir {
public:
    explicit ScopedTempDir(const std::string& prefix = "morvane")
        : m_path(UniqueTempDir(prefix))
    {
    }
    ~ScopedTempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace morvane::test
