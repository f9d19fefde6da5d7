#pragma once
// A temporary directory tree for the walk tests, removed when the object goes.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace morvane::test {

class TempTree {
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "morvane-walk-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
    }
    ~TempTree()
    {
        std::error_code ec;
        // Give back permissions a test took away, so everything can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(m_root,
                 std::filesystem::directory_options::skip_permission_denied, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory(ec) && !it->is_symlink(ec))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                    std::filesystem::perm_options::add, ec);
        }
        std::filesystem::remove_all(m_root, ec);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path operator/(const std::string& relative) const { return m_root / relative; }

    // Creates the file (and its directories) with `content`.
    void file(const std::string& relative, const std::string& content = "x") const
    {
        const std::filesystem::path path = m_root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    void dir(const std::string& relative) const { std::filesystem::create_directories(m_root / relative); }
    // A symbolic link at `relative` pointing to `target` (taken as it is).
    void link(const std::string& relative, const std::string& target) const
    {
        std::filesystem::create_symlink(target, m_root / relative);
    }

    // `paths` relative to the root, for readable expectations.
    std::vector<std::string> relative(const std::vector<std::filesystem::path>& paths) const
    {
        std::vector<std::string> out;
        for (const auto& path : paths)
            out.push_back(path.lexically_relative(m_root).string());
        return out;
    }

    // Lets other users into the tree (mkdtemp makes it private), for UnprivilegedScope.
    void openToOthers() const { ::chmod(m_root.c_str(), 0755); }

private:
    std::filesystem::path m_root;
};

// Drops the superuser's rights for a scope (permission tests mean nothing to the superuser):
// the effective user becomes "nobody" and is restored at the end. Does nothing for others.
class UnprivilegedScope {
public:
    UnprivilegedScope() : m_wasRoot(::geteuid() == 0)
    {
        if (m_wasRoot)
            m_dropped = ::seteuid(65534) == 0;
    }
    ~UnprivilegedScope()
    {
        if (m_dropped)
            (void)!::seteuid(0);
    }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

    // Whether permissions now apply to this process.
    bool permissionsApply() const { return !m_wasRoot || m_dropped; }

private:
    bool m_wasRoot;
    bool m_dropped = false;
};

} // namespace morvane::test
