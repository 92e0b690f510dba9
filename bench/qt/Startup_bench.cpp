// Start-up of the Linux tool: from starting the process to its main window shown (mapped by the
// X server and painted in its background colour), on the display in DISPLAY without a window
// manager. scripts/bench-startup runs it on Xvfb. Target: median under 300 ms.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The main window's light blue, and a point of it inside Fra_Sheet, left of the list.
constexpr unsigned long kBackground = 0xC0C0FF;
constexpr int kBackgroundX = 4, kBackgroundY = 300;
constexpr auto kPatience = 10s;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayRef = std::unique_ptr<Display, DisplayCloser>;

class ToolProcess {
public:
    ToolProcess() {
        std::string program = TABORA_TOOL_PATH;
        char* argv[] = {program.data(), nullptr};
        // Qt's remarks on the environment would drown the results.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ToolProcess() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    bool Ended() const {
        int status = 0;
        return waitpid(pid_, &status, WNOHANG) == pid_;
    }

private:
    pid_t pid_ = -1;
};

// The next top-level window the X server maps.
std::optional<Window> WaitForMappedWindow(Display* display, const ToolProcess& tool,
                                          Clock::time_point deadline) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) return event.xmap.window;
        }
        if (tool.Ended()) return std::nullopt;  // another instance runs, or the display failed
        poll(&connection, 1, 1);
    }
    return std::nullopt;
}

// Whether the window shows its background colour yet: the first paint has happened.
bool Painted(Display* display, Window window) {
    XImage* image = XGetImage(display, window, kBackgroundX, kBackgroundY, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel == kBackground;
}

// The value below which the given share of the samples lie (nearest rank).
double Percentile(std::vector<double> samples, double share) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<size_t>(share * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(rank, samples.size() - 1)];
}

void DrainEvents(Display* display) {
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

void BM_StartToMainWindowShown(benchmark::State& state) {
    const DisplayRef display(XOpenDisplay(nullptr));
    if (!display) {
        state.SkipWithError("no X display: run scripts/bench-startup");
        return;
    }
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
    DrainEvents(display.get());
    std::vector<double> shownMs, mappedMs;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        ToolProcess tool;
        if (!tool.Started()) {
            state.SkipWithError("the tool could not be started");
            return;
        }
        const std::optional<Window> window = WaitForMappedWindow(display.get(), tool, start + kPatience);
        if (!window) {
            state.SkipWithError("no window was mapped (is another instance of the tool running?)");
            return;
        }
        const Clock::time_point mapped = Clock::now();
        while (!Painted(display.get(), *window)) {
            if (Clock::now() > start + kPatience) {
                state.SkipWithError("the main window was never painted");
                return;
            }
            std::this_thread::sleep_for(200us);
        }
        const Clock::time_point shown = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        shownMs.push_back(std::chrono::duration<double, std::milli>(shown - start).count());
        mappedMs.push_back(std::chrono::duration<double, std::milli>(mapped - start).count());
        DrainEvents(display.get());
    }
    state.counters["median_ms"] = Percentile(shownMs, 0.5);
    state.counters["p90_ms"] = Percentile(shownMs, 0.9);
    state.counters["max_ms"] = Percentile(shownMs, 1.0);
    state.counters["mapped_median_ms"] = Percentile(mappedMs, 0.5);
}

// One run of 30 starts; the counters give the median and the spread of those starts. (Google
// Benchmark's repetitions abort on these manually timed runs.)
BENCHMARK(BM_StartToMainWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
