#pragma once
// Runs the built morvane-cli with arguments and standard input, capturing output and status.

#include <string>
#include <vector>

namespace morvane::test {

struct CliResult {
    int status = -1; // the exit status, or 128 + the signal that ended the program
    bool signalled = false;
    std::string out;
    std::string err;
};

// With `interruptAfterMs` of 0 or more, SIGINT is sent that long after the start.
CliResult RunCli(const std::vector<std::string>& args, const std::string& input = {}, int interruptAfterMs = -1);

} // namespace morvane::test
