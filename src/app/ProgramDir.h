#pragma once
// The program directory: where every file the program keeps for itself lives (settings,
// selection, tables, language file). The policy, in order: the environment variable
// MORVANE_HOME when set and not empty; else the executable's directory when the user may
// create files there and the program is not installed (an installed program's directory,
// PREFIX/bin beside PREFIX/share/morvane, is shared with other programs, even for root); else
// $XDG_CONFIG_HOME/morvane/ (~/.config/morvane/ when XDG_CONFIG_HOME is unset, empty or
// relative), created when missing. The result always ends with "/".
// Covered by tests/app/ProgramDirTest.cpp.

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::app {

// Everything the policy looks at, gathered so it can be decided without touching the process.
struct ProgramDirInputs {
    std::optional<std::string> morvaneHome; // MORVANE_HOME
    std::optional<std::string> xdgConfigHome; // XDG_CONFIG_HOME
    std::optional<std::string> home; // HOME (or the password database's home)
    std::filesystem::path executableDir; // directory of the running program file
    bool executableDirWritable = false;
    bool installed = false; // the executable lies in PREFIX/bin beside PREFIX/share/morvane
};

// Applies the policy to `inputs`. Pure: creates nothing. When no rule yields a directory
// (no home known and no writable executable directory) the executable's directory is used
// anyway, so that reading still works and writing reports the standard file errors.
std::filesystem::path ResolveProgramDir(const ProgramDirInputs& inputs);

// Gathers the inputs from the running process.
ProgramDirInputs CurrentProgramDirInputs();

// Resolves the program directory from the running process now (uncached) and creates it when
// it does not exist yet.
std::filesystem::path ComputeProgramDir();

// The program directory, computed on the first call and the same for the whole run.
std::filesystem::path ProgramDir();

} // namespace morvane::app
