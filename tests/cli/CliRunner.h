#pragma once
// Runs the built morvane-cli with arguments and standard input, capturing output and status.

#include <string>
#include <vector>

namespace morvane::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& input = {});

} // namespace morvane::test
