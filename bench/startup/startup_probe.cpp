// Starts a program on the X display and reports, from outside, how long it
// took to map its first top-level window and to draw into it, and how much
// memory it held then. The program is ended once it has drawn.
//   startup_probe COMMAND [ARG...]
// prints one line: map_ms paint_ms rss_kb hwm_kb
// With STARTUP_PROBE_SMAPS=FILE set, the program's memory map at that moment
// is copied to FILE, to see what the memory is made of.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// VmRSS (held now) and VmHWM (the peak so far) of a process, in kB.
void ReadMemory(pid_t pid, long& rss, long& hwm) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) rss = std::atol(line.c_str() + 6);
        if (line.rfind("VmHWM:", 0) == 0) hwm = std::atol(line.c_str() + 6);
    }
}

// A window worth waiting for: a normal top-level one at least this big, not
// a tooltip or a 1x1 helper window.
bool IsMainWindow(Display* display, Window window) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, window, &a)) return false;
    return !a.override_redirect && a.width >= 200 && a.height >= 100;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COMMAND [ARG...]\n", argv[0]);
        return 2;
    }
    // The server may still be busy with the previous run's client.
    Display* display = nullptr;
    for (int attempt = 0; attempt < 50 && !display; ++attempt) {
        display = XOpenDisplay(nullptr);
        if (!display) usleep(100000);
    }
    if (!display) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    // Every window made, mapped or drawn into under the root is seen.
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        std::perror("startup_probe: exec");
        _exit(127);
    }
    if (pid < 0) return 2;

    Window shown = 0;
    double mapMs = -1, paintMs = -1;
    long rss = 0, hwm = 0;
    const int fd = ConnectionNumber(display);
    while (paintMs < 0) {
        // The program may end (or fail) before showing anything.
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "startup_probe: the program ended before it drew a window\n");
            return 1;
        }
        if (!XPending(display)) {
            fd_set in;
            FD_ZERO(&in);
            FD_SET(fd, &in);
            timeval wait{0, 20000};
            select(fd + 1, &in, nullptr, nullptr, &wait);
            continue;
        }
        XEvent e;
        XNextEvent(display, &e);
        if (e.type == CreateNotify && e.xcreatewindow.parent == root) {
            // Watched from its creation, so the first drawing is not missed.
            XDamageCreate(display, e.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (e.type == MapNotify && !shown && IsMainWindow(display, e.xmap.window)) {
            shown = e.xmap.window;
            mapMs = MsSince(start);
        } else if (e.type == damageEvent + XDamageNotify && shown &&
                   reinterpret_cast<XDamageNotifyEvent*>(&e)->drawable == shown) {
            paintMs = MsSince(start);
            ReadMemory(pid, rss, hwm);
            if (const char* smaps = std::getenv("STARTUP_PROBE_SMAPS")) {
                std::ifstream from("/proc/" + std::to_string(pid) + "/smaps");
                std::ofstream(smaps) << from.rdbuf();
            }
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::printf("%.1f %.1f %ld %ld\n", mapMs, paintMs, rss, hwm);
    XCloseDisplay(display);
    return 0;
}
