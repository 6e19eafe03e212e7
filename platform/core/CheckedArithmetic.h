// Arithmetic that raises instead of wrapping or producing non-finite values.
#pragma once

#include "platform/core/Error.h"

#include <cmath>
#include <cstdint>
#include <string>

// Integer results that do not fit their type are overflow errors.
// Formed in 64 bits, where neither a product nor a sum of two 32-bit values can overflow.
inline int32_t checkedInt32(int64_t value, const char *what)
{
    if (value < INT32_MIN || value > INT32_MAX)
        throw Error(ErrorKind::Overflow, std::string("a 32-bit ") + what + " is out of range");
    return static_cast<int32_t>(value);
}

inline int32_t checkedMul32(int32_t a, int32_t b)
{
    return checkedInt32(int64_t(a) * b, "product");
}

inline int32_t checkedAdd32(int32_t a, int32_t b) { return checkedInt32(int64_t(a) + b, "sum"); }

// `what` names the value for the message.
inline uint8_t checkedByte(int32_t value, const char *what = "a value")
{
    if (value < 0 || value > 255)
        throw Error(ErrorKind::Overflow, std::string(what) + " does not fit in a byte");
    return static_cast<uint8_t>(value);
}

// Stores a wider result as a single and tests it the way the FPU status would be tested
// after the store. Every operand reaching here is finite, so a non-finite single means the
// computation hit an invalid operation (NaN), a division by zero or an overflow (infinity);
// underflow and inexact results stay finite and are not faults. Testing the value rather
// than the FPU flags keeps the check immune to the compiler reordering flag accesses.
// The faulty value is written to `target` before the test, as the stored result would be.
// `cause`, when given, says in the user's terms what led to the fault.
inline float storeSingle(float &target, double value, const char *cause = nullptr)
{
    target = static_cast<float>(value);
    if (!std::isfinite(target)) {
        std::string message = std::isnan(target) ? "invalid floating-point operation"
                                                 : "floating-point division by zero or overflow";
        if (cause)
            message += std::string(" (") + cause + ")";
        throw Error(ErrorKind::FloatingPointFault, message);
    }
    return target;
}

inline float toSingle(double value)
{
    float result;
    return storeSingle(result, value);
}
