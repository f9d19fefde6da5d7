// Where the program keeps its files: MORVANE_HOME, the executable's directory, or the XDG
// configuration directory, always with a trailing "/".

#include "app/ProgramDir.h"

#include "app/Platform.h"

#include "fakes/UniqueTempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using morvane::app::ProgramDirInputs;
using morvane::app::ResolveProgramDir;

TEST(ProgramDir, PolicyTable)
{
    using Opt = std::optional<std::string>;
    const struct {
        const char* name;
        Opt home;
        Opt xdg;
        Opt userHome;
        const char* exeDir;
        bool exeWritable;
        std::string expected;
    } cases[] = {
        { "MORVANE_HOME wins over a writable exe dir", "/data/mv", "/x", "/home/u", "/opt/mv", true,
            "/data/mv/" },
        { "MORVANE_HOME keeps one trailing slash", "/data/mv/", {}, "/home/u", "/opt/mv", false,
            "/data/mv/" },
        { "MORVANE_HOME is normalised", "/data/./mv//", {}, {}, "/opt/mv", false, "/data/mv/" },
        { "empty MORVANE_HOME counts as unset", "", {}, "/home/u", "/opt/mv", true, "/opt/mv/" },
        { "writable exe dir", {}, "/x", "/home/u", "/opt/mv", true, "/opt/mv/" },
        { "unwritable exe dir, XDG set", {}, "/cfg", "/home/u", "/usr/bin", false, "/cfg/morvane/" },
        { "XDG with trailing slash", {}, "/cfg/", "/home/u", "/usr/bin", false, "/cfg/morvane/" },
        { "unwritable exe dir, XDG unset", {}, {}, "/home/u", "/usr/bin", false, "/home/u/.config/morvane/" },
        { "empty XDG counts as unset", {}, "", "/home/u", "/usr/bin", false, "/home/u/.config/morvane/" },
        { "relative XDG is ignored", {}, "cfg", "/home/u", "/usr/bin", false, "/home/u/.config/morvane/" },
        { "no home at all: exe dir anyway", {}, {}, {}, "/usr/bin", false, "/usr/bin/" },
        { "exe dir unknown", {}, {}, "/home/u", "", true, "/home/u/.config/morvane/" },
    };
    for (const auto& c : cases) {
        ProgramDirInputs in;
        in.morvaneHome = c.home;
        in.xdgConfigHome = c.xdg;
        in.home = c.userHome;
        in.executableDir = c.exeDir;
        in.executableDirWritable = c.exeWritable;
        EXPECT_EQ(ResolveProgramDir(in).string(), c.expected) << c.name;
    }
}

TEST(ProgramDir, AnInstalledProgramKeepsItsFilesInTheConfigDirectoryEvenWhenItsOwnIsWritable)
{
    ProgramDirInputs in;
    in.home = "/root";
    in.executableDir = "/usr/bin";
    in.executableDirWritable = true;
    in.installed = true;
    EXPECT_EQ(ResolveProgramDir(in).string(), "/root/.config/morvane/");
    in.installed = false;
    EXPECT_EQ(ResolveProgramDir(in).string(), "/usr/bin/");
}

TEST(ProgramDir, RelativeMorvaneHomeBecomesAbsolute)
{
    ProgramDirInputs in;
    in.morvaneHome = "rel/dir";
    const std::filesystem::path dir = ResolveProgramDir(in);
    EXPECT_TRUE(dir.is_absolute());
    EXPECT_EQ(dir, (std::filesystem::current_path() / "rel/dir/").lexically_normal());
}

class ProgramDirEnvironment : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "MORVANE_HOME", "XDG_CONFIG_HOME", "HOME" }) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        m_root = morvane::test::UniqueTempDir("morvane-programdir");
        std::filesystem::remove_all(m_root);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        std::filesystem::remove_all(m_root);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
    std::filesystem::path m_root;
};

TEST_F(ProgramDirEnvironment, MorvaneHomeIsUsedAndCreated)
{
    const std::filesystem::path home = m_root / "home";
    ::setenv("MORVANE_HOME", home.c_str(), 1);
    const std::filesystem::path dir = morvane::app::ComputeProgramDir();
    EXPECT_EQ(dir.string(), home.string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(home));
}

TEST_F(ProgramDirEnvironment, WithoutMorvaneHomeTheProcessInputsDecide)
{
    ::unsetenv("MORVANE_HOME");
    ::setenv("XDG_CONFIG_HOME", (m_root / "xdg").c_str(), 1);
    const ProgramDirInputs in = morvane::app::CurrentProgramDirInputs();
    EXPECT_FALSE(in.morvaneHome.has_value());
    EXPECT_EQ(in.executableDir, morvane::app::ExecutablePath().parent_path());
    // The test binary's directory is writable in a build tree, unwritable in a read-only one;
    // either way the result follows the policy for the inputs actually seen.
    const std::filesystem::path dir = morvane::app::ComputeProgramDir();
    EXPECT_EQ(dir, ResolveProgramDir(in));
    if (!in.executableDirWritable) {
        EXPECT_EQ(dir.string(), (m_root / "xdg" / "morvane").string() + "/");
        EXPECT_TRUE(std::filesystem::is_directory(m_root / "xdg" / "morvane"));
    }
}

TEST(ProgramDir, CachedAndEndsWithSeparator)
{
    const std::filesystem::path first = morvane::app::ProgramDir();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.string().back(), '/');
    const char* saved = std::getenv("MORVANE_HOME");
    const std::string restore = saved ? saved : "";
    ::setenv("MORVANE_HOME", "/somewhere/else", 1);
    EXPECT_EQ(morvane::app::ProgramDir(), first); // computed once per run
    if (saved)
        ::setenv("MORVANE_HOME", restore.c_str(), 1);
    else
        ::unsetenv("MORVANE_HOME");
}
