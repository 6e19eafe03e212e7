// The open-file dialog component: a form-style filter, the chosen name, and a modal dialog.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Form;

// Invisible until ShowOpen; one dialog serves every ShowOpen for the component's life.
class OpenFileDialog
{
public:
    struct Native; // the backend's dialog
    explicit OpenFileDialog(Form &owner);
    ~OpenFileDialog();
    OpenFileDialog(const OpenFileDialog &) = delete;
    OpenFileDialog &operator=(const OpenFileDialog &) = delete;

    Native &native() const { return *native_; }

    // Properties, read and written as plain fields the way the window's code uses them.
    // "Description|pattern|Description|pattern...", patterns separated by ';'.
    std::string Filter;
    // The chosen file's path (UTF-8) after ShowOpen.
    std::string FileName;

    // Lets the user pick one existing file and waits for the answer: FileName becomes its path,
    // or the empty string when the dialog is cancelled. A malformed filter is a dialog error.
    void ShowOpen();

    // Test hook: stands in for the dialog. It gets the filter and returns the chosen path, or an
    // empty string for a cancelled dialog.
    using Chooser = std::function<std::string(const std::string &filter)>;
    void setChooser(Chooser replacement) { chooser_ = std::move(replacement); }

private:
    std::unique_ptr<Native> native_;
    Chooser chooser_;
};
