#include "CliRunner.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace morvane::test {

namespace {

std::string readFile(const std::string& path)
{
    std::string s;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            s.append(buf, n);
        std::fclose(f);
    }
    return s;
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input, int interruptAfterMs)
{
    // Files rather than pipes for all three streams: no risk of a pipe deadlock on big output.
    char dirTemplate[] = "/tmp/morvane-cli-XXXXXX";
    const std::string dir = ::mkdtemp(dirTemplate);
    const std::string in = dir + "/in", out = dir + "/out", err = dir + "/err";
    if (std::FILE* f = std::fopen(in.c_str(), "wb")) {
        std::fwrite(input.data(), 1, input.size(), f);
        std::fclose(f);
    }
    std::vector<std::string> argv { MORVANE_CLI_PATH };
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (auto& a : argv)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    CliResult result;
    if (posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, cargv.data(), environ) == 0) {
        if (interruptAfterMs >= 0) {
            ::usleep(static_cast<useconds_t>(interruptAfterMs) * 1000);
            ::kill(pid, SIGINT);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.signalled = WIFSIGNALED(status);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readFile(out);
    result.err = readFile(err);
    std::filesystem::remove_all(dir);
    return result;
}

} // namespace morvane::test
