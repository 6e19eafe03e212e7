// A top-level window made from a form description: its controls by name, its menus and its
// client area in twips.
#pragma once

#include "platform/Controls.h"
#include "platform/core/FormDescription.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Form
{
public:
    struct Native; // the backend's window
    Form();
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    Native &native() const { return *native_; }

    // Makes the window, its controls, menus and focus order from the description; the client
    // area gets the description's size at the screen's dpi, and a later resize moves nothing.
    // The description must outlive the form: a move to a screen of another dpi lays the window
    // out again from it.
    void load(const FormDescription &description);

    // A control or menu the description named; a name it did not give is a programming fault.
    template<typename T> T &control(std::string_view name) const
    {
        return dynamic_cast<T &>(controlNamed(name));
    }

    void Show();
    // Closes the window; the program ends when its last window is closed.
    void Unload();

    // The client area's size in twips, and twips per device pixel of the window's screen:
    // 1440 / its effective dpi (logical dpi times the device pixel ratio).
    double ScaleWidth() const;
    double ScaleHeight() const;
    double twipsPerPixel() const;

    // Local files dropped anywhere on the window, in the order the drag listed them. A drag that
    // carries anything else (a folder, a remote address) is refused whole, and a drop is always
    // a copy. The handler runs under the error guard once the drop has been answered.
    using DropHandler = std::function<void(const std::vector<std::string> &paths)>;
    void onFilesDropped(DropHandler handler);

private:
    Control &controlNamed(std::string_view name) const;

    std::unique_ptr<Native> native_;
    std::map<std::string, std::unique_ptr<Control>, std::less<>> controls_;
};

// Test hook: while set, it runs before each control of a form is made, and what it throws fails
// the making as a failure of the window system would. Pass an empty function to remove it.
using ControlCreationHook = std::function<void(const ControlRow &row)>;
void setControlCreationHook(ControlCreationHook hook);
// Each backend calls this as it starts to make a control.
void runControlCreationHook(const ControlRow &row);
