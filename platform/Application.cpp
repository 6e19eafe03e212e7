// Start-up as every backend does it: the main window is made under the error guard, because a
// failure there has no event loop to carry on in.
#include "platform/Application.h"

#include "platform/ErrorGuard.h"
#include "platform/Form.h"

int Application::run(const std::function<std::unique_ptr<Form>()> &makeMainWindow)
{
    std::unique_ptr<Form> mainWindow;
    runGuarded(nullptr, [&] { mainWindow = makeMainWindow(); });
    if (!mainWindow)
        return 1;
    mainWindow->Show();
    return run();
}
