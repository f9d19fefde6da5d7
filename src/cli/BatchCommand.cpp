// The entry of the batch commands: parse, then run one BatchSession.
// Tests: tests/cli/BatchCliTest.cpp and the other tests/cli/Batch*CliTest.cpp.

#include "cli/BatchOptions.h"
#include "cli/BatchSession.h"
#include "cli/Commands.h"

#include <cstdio>

namespace morvane::cli {

int RunBatch(const std::string& command, const Args& args)
{
    const std::optional<BatchCommand> batchCommand = BatchCommandFromName(command);
    if (!batchCommand)
        return -1;
    BatchOptions options;
    std::string error;
    if (!ParseBatchOptions(*batchCommand, args, options, error)) {
        std::fprintf(stderr, "morvane-cli %s: %s\n(morvane-cli %s --help describes the options)\n",
            command.c_str(), error.c_str(), command.c_str());
        return 2;
    }
    if (options.help) {
        const std::string usage = BatchUsageText();
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        return 0;
    }
    BatchSession session(options);
    return session.run();
}

} // namespace morvane::cli
