// Start-up timing on an X display: runs a program and prints the milliseconds from its exec until
// a new top-level window of it is mapped and shows more than one colour (it has been painted).
//
//   startup-probe PROGRAM [ARGUMENTS...]
//
// The program is ended afterwards. Nothing in the program is changed or asked; the probe only
// looks at the X server, the same way for every program.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Windows come and go while the tree is walked; a vanished one is simply skipped.
int ignoreErrors(Display *, XErrorEvent *) { return 0; }

std::set<Window> topLevelWindows(Display *display)
{
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned count = 0;
    std::set<Window> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        windows.insert(children, children + count);
        XFree(children);
    }
    return windows;
}

// A mapped window big enough to be a main window (the toolkit's helper windows are tiny or
// never mapped).
bool isShownMainWindow(Display *display, Window window, XWindowAttributes &attributes)
{
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable
            && attributes.width >= 200 && attributes.height >= 200;
}

// Before its first paint a window shows the root's plain black; a painted one shows its controls.
bool isPainted(Display *display, Window window, const XWindowAttributes &attributes)
{
    XImage *image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool varied = false;
    for (int y = 0; y < attributes.height && !varied; y += 2) {
        for (int x = 0; x < attributes.width; x += 2) {
            if (XGetPixel(image, x, y) != first) {
                varied = true;
                break;
            }
        }
    }
    XDestroyImage(image);
    return varied;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup-probe PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup-probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const std::set<Window> before = topLevelWindows(display);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    int result = 1;
    const auto deadline = start + std::chrono::seconds(30);
    Window found = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "startup-probe: %s ended before showing a window\n", argv[1]);
            return 1;
        }
        XWindowAttributes attributes;
        if (!found) {
            for (Window window : topLevelWindows(display)) {
                if (!before.count(window) && isShownMainWindow(display, window, attributes)) {
                    found = window;
                    break;
                }
            }
        }
        if (found && isShownMainWindow(display, found, attributes)
            && isPainted(display, found, attributes)) {
            const double ms = std::chrono::duration<double, std::milli>(
                                      std::chrono::steady_clock::now() - start)
                                      .count();
            std::printf("%.1f\n", ms);
            result = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (result != 0)
        std::fprintf(stderr, "startup-probe: no painted window from %s\n", argv[1]);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return result;
}
