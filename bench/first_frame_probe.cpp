// How long a program takes from its start to its first drawn frame, seen from outside as a
// player sees it: the probe starts the program on the X display in DISPLAY, waits for its window
// to be mapped, and reads the window's pixels until any of them is no longer black (the game's
// first frame is the logo on white; the window shows black until its first present). It needs
// no help from the program: no debug line, no environment variable.
//
//   first_frame_probe RUNS COMMAND [ARG...]
//
// Prints each run's time to the mapped window and to the first frame in milliseconds, and the
// processor time the program had used by then, all threads and the drawing (main) thread alone,
// from /proc (on a busy machine the wall time is mostly waiting for a core; the processor time of
// the drawing thread plus the frame loop's first wait is what an idle machine would take). Then
// the fastest and the median run: other programs on a shared machine only ever add time, so the
// fastest run is the closest figure to the program's own cost.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kGiveUpAfter = std::chrono::seconds(30);

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A window that goes away between the map and the read makes the read fail; that is no error
// here, only a window not drawn yet.
int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

bool AnyPixelLit(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    bool lit = false;
    for (int y = 0; y < image->height && !lit; ++y)
        for (int x = 0; x < image->width && !lit; ++x)
            lit = (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
    XDestroyImage(image);
    return lit;
}

// User and system time of a process (all its threads) or of one of its threads, in milliseconds.
double CpuMs(const std::string& statFile) {
    std::ifstream in(statFile);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t end = text.rfind(')'); // the name may hold spaces
    if (end == std::string::npos) return -1;
    std::istringstream fields(text.substr(end + 2));
    std::string skip;
    for (int i = 3; i < 14; ++i)
        fields >> skip;
    double utime = 0, stime = 0;
    fields >> utime >> stime;
    return (utime + stime) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

pid_t Start(char** command) {
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    return child;
}

void Stop(pid_t child) {
    kill(child, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

struct Run {
    double mapped = -1;
    double firstFrame = -1;
    double cpu = -1;           // all threads
    double mainThreadCpu = -1; // the thread that draws; the others (sound, soundfont) run beside
};

// One start of the command: the new top-level window is the first one mapped after the start.
Run Measure(Display* display, char** command) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // events from before the start do not count
    Run run;
    const Clock::time_point start = Clock::now();
    const pid_t child = Start(command);
    Window window = 0;
    while (Clock::now() - start < kGiveUpAfter && run.firstFrame < 0) {
        while (XPending(display) > 0) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == MapNotify && window == 0 && !e.xmap.override_redirect) {
                window = e.xmap.window;
                run.mapped = MsSince(start);
            }
        }
        if (window != 0 && AnyPixelLit(display, window)) {
            run.firstFrame = MsSince(start);
            const std::string proc = "/proc/" + std::to_string(child);
            run.cpu = CpuMs(proc + "/stat");
            run.mainThreadCpu = CpuMs(proc + "/task/" + std::to_string(child) + "/stat");
        }
        if (waitpid(child, nullptr, WNOHANG) == child) return run; // ended before drawing
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    Stop(child);
    XSelectInput(display, root, NoEventMask);
    return run;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS COMMAND [ARG...]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_frame_probe: no X display (DISPLAY)\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXErrors);
    std::vector<double> frames, mainThread;
    for (int i = 1; i <= runs; ++i) {
        const Run run = Measure(display, argv + 2);
        if (run.firstFrame < 0) {
            std::printf("run %d: no frame was drawn\n", i);
            return 1;
        }
        std::printf("run %d: window mapped after %.1f ms, first frame after %.1f ms; processor "
                    "time %.0f ms, %.0f ms of it the drawing thread's\n",
                    i, run.mapped, run.firstFrame, run.cpu, run.mainThreadCpu);
        frames.push_back(run.firstFrame);
        mainThread.push_back(run.mainThreadCpu);
    }
    std::printf("first frame: fastest %.1f ms, median %.1f ms of %d runs; the drawing thread's "
                "processor time: least %.0f ms\n",
                *std::min_element(frames.begin(), frames.end()), Median(frames), runs,
                *std::min_element(mainThread.begin(), mainThread.end()));
    XCloseDisplay(display);
    return 0;
}
