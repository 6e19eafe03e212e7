// What the window-system-free tests share: doctest, and errors that a failed check names by kind.
#pragma once

#include "platform/core/Error.h"

#include <doctest.h>
#include <optional>

// Found by doctest through the argument's type, so a failed check prints "Overflow", not "0".
inline doctest::String toString(ErrorKind kind) { return errorKindName(kind); }
inline doctest::String toString(const std::optional<ErrorKind> &kind)
{
    return kind ? errorKindName(*kind) : "no error";
}

// The kind of the Error that `run` throws, or none when it returns.
template<typename Run> std::optional<ErrorKind> errorOf(Run &&run)
{
    try {
        run();
    } catch (const Error &error) {
        return error.kind();
    }
    return std::nullopt;
}
