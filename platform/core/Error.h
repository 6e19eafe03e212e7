// The one error type of the program: every failure is thrown as an Error that knows its kind.
#pragma once

#include <stdexcept>
#include <string>

enum class ErrorKind { Overflow, FloatingPointFault, File, Drawing, Dialog, Clipboard };

// The kind in words, as the user sees it at the head of an error message.
const char *errorKindName(ErrorKind kind);

class Error : public std::runtime_error
{
public:
    Error(ErrorKind kind, const std::string &detail) : std::runtime_error(detail), kind_(kind) { }

    ErrorKind kind() const noexcept { return kind_; }
    // "Overflow: <detail>", the text a message box shows.
    std::string message() const;

private:
    ErrorKind kind_;
};
