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
