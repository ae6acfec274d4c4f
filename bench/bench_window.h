#pragma once
// A real window for the benchmarks that measure what a player's window costs: the program's SDL
// display opened on a virtual X server of the benchmark's own (Xvfb, 1920 by 1080 in 24 bits, so
// the window is the screen scaled twice, as on an ordinary laptop), started once for the process
// and stopped at its end. Its own server makes the figures the same wherever they are taken and
// lets the server's processor time be read beside the program's. Without Xvfb the display named
// by DISPLAY serves (the server's time then unknown); without either the benchmark is skipped.

#include "platform/display/sdl_backend.h"

#include "bench_program.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace q71::bench {

class VirtualScreen {
public:
    /// The process's screen, started at the first call.
    static VirtualScreen& get() {
        static VirtualScreen screen;
        return screen;
    }

    /// True when a display can be opened; else `why()` says what is missing.
    bool ready() const { return why_.empty(); }
    const std::string& why() const { return why_; }

    /// The processor time of the benchmark's own X server so far (seconds), when it has one.
    std::optional<double> serverProcessorSeconds() const {
        if (server_ <= 0)
            return std::nullopt;
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(server_));
        std::FILE* file = std::fopen(path, "r");
        if (!file)
            return std::nullopt;
        // Fields 14 and 15 (user and system time in clock ticks) follow the name in parentheses.
        unsigned long user = 0, system = 0;
        const int read = std::fscanf(file, "%*d (%*[^)]) %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu",
                                     &user, &system);
        std::fclose(file);
        if (read != 2)
            return std::nullopt;
        return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
    }

    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    ~VirtualScreen() {
        if (server_ <= 0)
            return;
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }

private:
    VirtualScreen() {
        if (startServer())
            return;
        if (const char* display = std::getenv("DISPLAY"); display && *display)
            return;
        why_ = "no X server: Xvfb is not installed (scripts/setup installs it) and DISPLAY is not set";
    }

    // The path of a program on PATH, or empty.
    static std::string onPath(const char* name) {
        const char* path = std::getenv("PATH");
        std::string folders = path ? path : "/usr/bin:/bin";
        for (std::size_t at = 0; at <= folders.size();) {
            const std::size_t end = std::min(folders.find(':', at), folders.size());
            const std::string candidate = folders.substr(at, end - at) + "/" + name;
            if (end > at && access(candidate.c_str(), X_OK) == 0)
                return candidate;
            at = end + 1;
        }
        return {};
    }

    // Xvfb picks a free display and writes its number to the descriptor it is given.
    bool startServer() {
        const std::string xvfb = onPath("Xvfb");
        int pipeEnds[2];
        if (xvfb.empty() || pipe(pipeEnds) != 0)
            return false;
        const char* args[] = {"Xvfb",         "-displayfd", "3",   "-screen",  "0",
                              "1920x1080x24", "-nolisten",  "tcp", "-noreset", nullptr};
        const pid_t parent = getpid();
        const pid_t pid = fork();
        if (pid == 0) {
            // The server ends with the benchmark, however the benchmark ends.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent)
                _exit(1);
            const int nothing = open("/dev/null", O_WRONLY);
            dup2(pipeEnds[1], 3);
            dup2(nothing, 1);
            dup2(nothing, 2);
            execv(xvfb.c_str(), const_cast<char* const*>(args));
            _exit(127);
        }
        close(pipeEnds[1]);
        std::string number;
        pollfd wait{pipeEnds[0], POLLIN, 0};
        char c = 0;
        while (pid > 0 && poll(&wait, 1, 10000) == 1 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeEnds[0]);
        if (pid > 0 && number.empty()) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        if (number.empty())
            return false;
        server_ = pid;
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        return true;
    }

    pid_t server_ = -1;
    std::string why_;
};

/// Runs the program in a real window until something posts the quit; false (and the benchmark
/// skipped with the reason) when no window can be opened or the program ended with an error.
inline bool runProgramInWindow(benchmark::State& state, TimerProc script) {
    VirtualScreen& screen = VirtualScreen::get();
    if (!screen.ready()) {
        state.SkipWithError(screen.why().c_str());
        return false;
    }
    ::setenv("SDL_VIDEODRIVER", "x11", 1);
    std::string error;
    std::unique_ptr<SdlBackend> window = SdlBackend::open(error);
    if (!window) {
        static std::string message;
        message = "the window did not open: " + error;
        state.SkipWithError(message.c_str());
        return false;
    }
    return runProgramOn(state, *window, script);
}

} // namespace q71::bench
