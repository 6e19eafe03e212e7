// The program's run-time: set up before the first window, and the event loop.
#pragma once

#include <functional>
#include <memory>

class Form;

// The program's name as users see it: the main window's caption, and the title of a message box
// that has no window to take its title from. The two spaces between the words are meant,
// not a slip.
inline constexpr char ProgramName[] = "Kelvane  VOK";

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
    // Makes the main window, shows it and runs as above. A main window that cannot be made is
    // reported in a message box with no owner, and the status is 1.
    int run(const std::function<std::unique_ptr<Form>()> &makeMainWindow);

private:
    std::unique_ptr<Native> native_;
};
