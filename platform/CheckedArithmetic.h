// Arithmetic that raises instead of wrapping or producing non-finite values.
#pragma once

#include "platform/Error.h"

#include <cmath>
#include <cstdint>

// Integer results that do not fit their type are overflow errors.
inline int32_t checkedMul32(int32_t a, int32_t b)
{
    int32_t result;
    if (__builtin_mul_overflow(a, b, &result))
        throw Error(ErrorKind::Overflow, "a 32-bit product is out of range");
    return result;
}

inline int32_t checkedAdd32(int32_t a, int32_t b)
{
    int32_t result;
    if (__builtin_add_overflow(a, b, &result))
        throw Error(ErrorKind::Overflow, "a 32-bit sum is out of range");
    return result;
}

inline uint8_t checkedByte(int32_t value)
{
    if (value < 0 || value > 255)
        throw Error(ErrorKind::Overflow, "a value does not fit in a byte");
    return static_cast<uint8_t>(value);
}

// Stores a wider result as a single and tests it the way the FPU status would be tested
// after the store. Every operand reaching here is finite, so a non-finite single means the
// computation hit an invalid operation (NaN), a division by zero or an overflow (infinity);
// underflow and inexact results stay finite and are not faults. Testing the value rather
// than the FPU flags keeps the check immune to the compiler reordering flag accesses.
// The faulty value is written to `target` before the test, as the stored result would be.
inline float storeSingle(float &target, double value)
{
    target = static_cast<float>(value);
    if (!std::isfinite(target))
        throw Error(ErrorKind::FloatingPointFault,
                    std::isnan(target) ? "invalid floating-point operation"
                                       : "floating-point division by zero or overflow");
    return target;
}

inline float toSingle(double value)
{
    float result;
    return storeSingle(result, value);
}
