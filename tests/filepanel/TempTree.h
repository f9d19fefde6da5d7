#pragma once
// A temporary directory for the file panel tests, removed with everything below it, and
// helpers that build small trees in it with given contents and modification times.

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <utime.h>

namespace morvane::tests {

class TempTree {
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-fp-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_root = std::filesystem::canonical(pattern);
    }
    ~TempTree()
    {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path operator/(const std::string& relative) const { return m_root / relative; }

    // Creates the file (and its directories) with `content`.
    std::filesystem::path file(const std::string& relative, const std::string& content = "")
    {
        const std::filesystem::path path = m_root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::filesystem::path dir(const std::string& relative)
    {
        const std::filesystem::path path = m_root / relative;
        std::filesystem::create_directories(path);
        return path;
    }

    // Sets the modification time to the given local date and time.
    static void setTime(
        const std::filesystem::path& path, int year, int month, int day, int hour = 12, int minute = 0)
    {
        std::tm local {};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_isdst = -1;
        const std::time_t when = std::mktime(&local);
        utimbuf times { when, when };
        ::utime(path.c_str(), &times);
    }

private:
    std::filesystem::path m_root;
};

} // namespace morvane::tests
