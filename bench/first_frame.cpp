// Time from starting a program to its first frame on the X screen: the moment
// a pixel of the given colour appears on the screen's middle row. Runs the
// program and a baseline program alternately, each RUNS times, and prints the
// median of each and their ratio, so that the figure means the same on a slow
// or busy machine. Also prints the program's peak resident memory (VmHWM) at
// its first frame.
//   first_frame RUNS RRGGBB -- PROGRAM ARGS... -- BASELINE ARGS...
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include "peak_memory.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct RootScreen {  // the display and its size in pixels
    Display* display;
    int width, height;
};

bool colourOnMiddleRow(const RootScreen& screen, unsigned long colour) {
    Window root = DefaultRootWindow(screen.display);
    XImage* row =
        XGetImage(screen.display, root, 0, screen.height / 2, screen.width, 1, AllPlanes, ZPixmap);
    if (row == nullptr) return false;
    bool found = false;
    for (int x = 0; x < screen.width && !found; ++x)
        found = (XGetPixel(row, x, 0) & 0xffffff) == colour;
    XDestroyImage(row);
    return found;
}

// Polls every millisecond for up to `seconds`; false on time-out.
bool waitUntil(const RootScreen& screen, unsigned long colour, bool shown, double seconds) {
    auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        if (colourOnMiddleRow(screen, colour) == shown) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

struct Launch {
    double milliseconds = -1;  // negative: no frame appeared
    double peakMiB = 0;
};

Launch launchOnce(const RootScreen& screen, unsigned long colour, std::vector<char*> command) {
    Launch launch;
    command.push_back(nullptr);
    pid_t pid = 0;
    auto start = Clock::now();
    if (posix_spawn(&pid, command[0], nullptr, nullptr, command.data(), environ) != 0)
        return launch;
    if (waitUntil(screen, colour, true, 20)) {
        launch.milliseconds =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        launch.peakMiB = peakResidentMiB(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    waitUntil(screen, colour, false, 5);  // the next run starts on a clear screen
    return launch;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Options {
    int runs = 0;
    unsigned long colour = 0;
    std::vector<char*> program, baseline;
};

// RUNS RRGGBB -- PROGRAM ARGS... -- BASELINE ARGS...; false when malformed.
bool parseOptions(std::vector<char*> args, Options& options) {
    if (args.size() < 2) return false;
    auto first = std::find(args.begin() + 2, args.end(), std::string("--"));
    if (first == args.end()) return false;
    auto second = std::find(first + 1, args.end(), std::string("--"));
    if (second == args.end() || first + 1 == second || second + 1 == args.end()) return false;
    options.runs = std::max(1, std::atoi(args[0]));
    options.colour = std::strtoul(args[1], nullptr, 16);
    options.program.assign(first + 1, second);
    options.baseline.assign(second + 1, args.end());
    return true;
}

// Alternates the program and the baseline; false when a frame never came.
bool measure(const RootScreen& screen, const Options& options) {
    std::vector<double> programTimes, baselineTimes, peaks;
    for (int run = 0; run < options.runs; ++run) {
        Launch measured = launchOnce(screen, options.colour, options.program);
        Launch reference = launchOnce(screen, options.colour, options.baseline);
        if (measured.milliseconds < 0 || reference.milliseconds < 0) {
            std::fprintf(stderr, "first_frame: no frame of colour %06lx in run %d\n",
                         options.colour, run + 1);
            return false;
        }
        programTimes.push_back(measured.milliseconds);
        baselineTimes.push_back(reference.milliseconds);
        peaks.push_back(measured.peakMiB);
    }
    double programMedian = median(programTimes), baselineMedian = median(baselineTimes);
    std::printf("start to first frame, median of %d runs: %.1f ms; baseline %.1f ms; ratio %.2f\n",
                options.runs, programMedian, baselineMedian, programMedian / baselineMedian);
    std::printf("peak resident memory at the first frame: %.1f MiB\n", median(peaks));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(std::vector<char*>(argv + 1, argv + argc), options)) {
        std::fprintf(stderr,
                     "usage: first_frame RUNS RRGGBB -- PROGRAM ARGS... -- BASELINE ARGS...\n");
        return 2;
    }
    RootScreen screen{XOpenDisplay(nullptr), 0, 0};
    if (screen.display == nullptr) {
        std::fprintf(stderr, "first_frame: no X display\n");
        return 1;
    }
    screen.width = DisplayWidth(screen.display, DefaultScreen(screen.display));
    screen.height = DisplayHeight(screen.display, DefaultScreen(screen.display));
    bool measured = measure(screen, options);
    XCloseDisplay(screen.display);
    return measured ? 0 : 1;
}
