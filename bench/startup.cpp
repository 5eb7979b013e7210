// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up benchmark launcher: starts the game's start path and a bare Qt program, alternately,
// timing each from just before the exec to the first paint of its windows, with its peak memory.
#include "bench/paintprobe.h"
#include "bench/table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using quivara::bench::monotonicNs;
using quivara::bench::TableRow;

// The splash window's timer interval: the one-player window cannot appear sooner.
constexpr double kSplashIntervalMs = 66;
constexpr int kChildTimeoutMs = 20'000;

struct ChildRun
{
    std::map<std::string, double> paintedMs; // reported name -> ms since just before the exec
    double peakMiB = 0;
};

struct Fd
{
    int fd = -1;
    ~Fd() { if (fd >= 0) ::close(fd); }
};

[[noreturn]] void fail(const std::string &what)
{
    throw std::runtime_error(what + (errno ? std::string(": ") + std::strerror(errno) : std::string()));
}

// The child's environment: ours, on the offscreen platform.
std::vector<char *> childEnvironment(std::vector<std::string> &storage)
{
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            storage.emplace_back(*e);
    }
    storage.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char *> env;
    for (std::string &s : storage)
        env.push_back(s.data());
    env.push_back(nullptr);
    return env;
}

// Runs `program` once; it must report every name in `expected`.
ChildRun runChild(const std::string &program, const std::vector<std::string> &expected, bool quiet)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        fail("pipe");
    // Keep both ends clear of the descriptor the child is given.
    Fd readEnd{::fcntl(fds[0], F_DUPFD_CLOEXEC, 10)};
    Fd writeEnd{::fcntl(fds[1], F_DUPFD_CLOEXEC, 10)};
    ::close(fds[0]);
    ::close(fds[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.fd, quivara::bench::kReportFd);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    std::vector<std::string> envStorage;
    std::vector<char *> env = childEnvironment(envStorage);
    std::string programCopy = program;
    char *argv[] = {programCopy.data(), nullptr};

    pid_t pid = 0;
    const long long start = monotonicNs();
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        errno = spawned;
        fail("cannot start " + program);
    }
    ::close(writeEnd.fd);
    writeEnd.fd = -1;

    ChildRun run;
    std::string received;
    for (;;) {
        pollfd p{readEnd.fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, kChildTimeoutMs);
        if (ready == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            errno = 0;
            fail(program + " painted nothing for " + std::to_string(kChildTimeoutMs / 1000) + " s");
        }
        char buffer[256];
        const ssize_t n = ::read(readEnd.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid)
        fail("wait4");
    errno = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program + " did not end cleanly (status " + std::to_string(status) + ")");

    std::size_t pos = 0;
    while (pos < received.size()) {
        const std::size_t end = received.find('\n', pos);
        const std::string line = received.substr(pos, end - pos);
        pos = end == std::string::npos ? received.size() : end + 1;
        const std::size_t blank = line.find(' ');
        if (blank == std::string::npos)
            fail(program + " sent a malformed report: " + line);
        const long long at = std::stoll(line.substr(blank + 1));
        run.paintedMs[line.substr(0, blank)] = static_cast<double>(at - start) / 1e6;
    }
    for (const std::string &name : expected) {
        if (!run.paintedMs.count(name))
            fail(program + " did not report " + name);
    }
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    int runs = 30;
    bool quiet = true;
    std::string game, reference;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--game" && i + 1 < argc)
            game = argv[++i]; // another build of the game's child, to compare two builds
        else if (arg == "--verbose")
            quiet = false;
        else if (arg == "--header")
            quivara::bench::printTableHeader();
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--header] [--verbose] [--game PATH]\n", argv[0]);
            return 2;
        }
    }
    const auto dir = std::filesystem::canonical("/proc/self/exe").parent_path();
    if (game.empty())
        game = dir / "quivara_bench_startup_game";
    reference = dir / "quivara_bench_startup_reference";

    try {
        // One unmeasured start each fills the page cache.
        // The splash may rightly close before it was ever painted: it is counted, not required.
        const std::vector<std::string> gameReports{"ready", "tick", "frmunjugador"};
        const std::vector<std::string> referenceReports{"ready", "reference"};
        runChild(game, gameReports, quiet);
        runChild(reference, referenceReports, quiet);

        std::vector<double> ready, bareReady, splash, tickToWindow, onePlayer, gameMemory, bare, bareMemory;
        for (int i = 0; i < runs; ++i) {
            // Alternate which side goes first, so neither always follows the other.
            for (int side = 0; side < 2; ++side) {
                if ((side == 0) == (i % 2 == 0)) {
                    const ChildRun r = runChild(game, gameReports, quiet);
                    ready.push_back(r.paintedMs.at("ready"));
                    if (r.paintedMs.count("frmSplash"))
                        splash.push_back(r.paintedMs.at("frmSplash"));
                    tickToWindow.push_back(r.paintedMs.at("frmunjugador") - r.paintedMs.at("tick"));
                    onePlayer.push_back(r.paintedMs.at("frmunjugador"));
                    gameMemory.push_back(r.peakMiB);
                } else {
                    const ChildRun r = runChild(reference, referenceReports, quiet);
                    bare.push_back(r.paintedMs.at("reference"));
                    bareReady.push_back(r.paintedMs.at("ready"));
                    bareMemory.push_back(r.peakMiB);
                }
            }
        }

        const double ref = median(bare);
        const double window = median(onePlayer);
        const double limit = kSplashIntervalMs + 1.25 * ref;
        const double refMemory = median(bareMemory);
        const double memory = median(gameMemory);
        using quivara::bench::printTableRow;
        printTableRow({"Start-up: toolkit up (QApplication made)", "ms", median(ready), median(bareReady)});
        const std::string splashRow = "Start-up: splash painted (" + std::to_string(splash.size()) + " of "
                                      + std::to_string(runs) + " starts)";
        printTableRow({splashRow, "ms", splash.empty() ? std::optional<double>() : median(splash), ref});
        printTableRow({"Start-up: splash tick to one-player painted", "ms", median(tickToWindow)});
        printTableRow({"Start-up: one-player window painted", "ms", window, ref,
                       format("<= 66 + 1.25 x ref = %.1f ms", limit), window <= limit});
        printTableRow({"Start-up: one-player beyond the 66 ms splash", "ms", window - kSplashIntervalMs, ref,
                       "<= 1.25x", window - kSplashIntervalMs <= 1.25 * ref});
        printTableRow({"Start-up: peak resident memory", "MiB", memory, refMemory, "<= 1.3x",
                       memory <= 1.3 * refMemory});
    } catch (const std::exception &e) {
        std::fprintf(stderr, "start-up benchmark: %s\n", e.what());
        return 1;
    }
    return 0;
}
