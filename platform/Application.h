// The program's run-time: set up before the first window, and the event loop.
#pragma once

#include <memory>

class Application
{
public:
    struct Native; // the backend's application object
    // The program takes no command-line options; the arguments are ignored.
    Application(int argc, char *argv[]);
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Runs until the last window is closed; returns the program's exit status.
    int run();

private:
    std::unique_ptr<Native> native_;
};
