#include "cli/Commands.h"

#include <cstdio>

namespace morvane::cli {

int RunRecode(const Args&)
{
    std::fputs("morvane-cli: this command is not built yet\n", stderr);
    return 2;
}

} // namespace morvane::cli
