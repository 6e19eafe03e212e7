// Kind names and the full message text of an Error.
#include "platform/core/Error.h"

const char *errorKindName(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::FloatingPointFault:
        return "Floating-point fault";
    case ErrorKind::File:
        return "File error";
    case ErrorKind::Drawing:
        return "Drawing error";
    case ErrorKind::Dialog:
        return "Dialog error";
    case ErrorKind::Clipboard:
        return "Clipboard error";
    }
    return "Error";
}

std::string Error::message() const { return std::string(errorKindName(kind_)) + ": " + what(); }
