#include "app/ProgramDir.h"

#include "app/Platform.h"

#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace morvane::app {

namespace {

std::filesystem::path WithTrailingSeparator(std::filesystem::path dir)
{
    const std::string& text = dir.native();
    if (text.empty() || text.back() != '/')
        dir += "/";
    return dir;
}

bool HasText(const std::optional<std::string>& value)
{
    return value && !value->empty();
}

} // namespace

std::filesystem::path ResolveProgramDir(const ProgramDirInputs& inputs)
{
    if (HasText(inputs.morvaneHome)) {
        std::error_code ec;
        std::filesystem::path dir = std::filesystem::absolute(*inputs.morvaneHome, ec);
        if (ec)
            dir = *inputs.morvaneHome;
        return WithTrailingSeparator(dir.lexically_normal());
    }
    if (!inputs.executableDir.empty() && inputs.executableDirWritable && !inputs.installed)
        return WithTrailingSeparator(inputs.executableDir);
    // The XDG base directory rules say a relative XDG_CONFIG_HOME is invalid and is ignored.
    if (HasText(inputs.xdgConfigHome) && std::filesystem::path(*inputs.xdgConfigHome).is_absolute())
        return WithTrailingSeparator(std::filesystem::path(*inputs.xdgConfigHome) / "morvane");
    if (HasText(inputs.home))
        return WithTrailingSeparator(std::filesystem::path(*inputs.home) / ".config" / "morvane");
    return WithTrailingSeparator(inputs.executableDir);
}

ProgramDirInputs CurrentProgramDirInputs()
{
    ProgramDirInputs inputs;
    inputs.morvaneHome = EnvironmentValue("MORVANE_HOME");
    inputs.xdgConfigHome = EnvironmentValue("XDG_CONFIG_HOME");
    inputs.home = EnvironmentValue("HOME");
    if (!HasText(inputs.home)) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            inputs.home = std::string(entry->pw_dir);
    }
    inputs.executableDir = ExecutablePath().parent_path();
    inputs.executableDirWritable = IsDirectoryWritable(inputs.executableDir);
    std::error_code ec;
    inputs.installed = inputs.executableDir.filename() == "bin"
        && std::filesystem::is_directory(inputs.executableDir.parent_path() / "share" / "morvane", ec);
    return inputs;
}

std::filesystem::path ComputeProgramDir()
{
    const std::filesystem::path dir = ResolveProgramDir(CurrentProgramDirInputs());
    // A directory that cannot be created is not fatal here: the first read finds nothing and
    // the first write at close reports the standard "Cannot create file" error.
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir;
}

std::filesystem::path ProgramDir()
{
    static const std::filesystem::path dir = ComputeProgramDir();
    return dir;
}

} // namespace morvane::app
