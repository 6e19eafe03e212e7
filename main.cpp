// Start-up: the main window is the program; nothing else runs before it.
#include "Form1/Form1.h"
#include "platform/Application.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    return app.run([] { return std::make_unique<Form1>(); });
}
