#pragma once
// Number conversions shared by every folder: one rounding rule, one saturation rule.
#include <QtGlobal>

namespace platform {

// Rounds to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2),
// independent of the floating-point rounding mode. NaN gives 0; values beyond the
// 64-bit range saturate.
qint64 RoundHalfEven(double value);

// Stores a number into a 16-bit field without wrapping: clamps to -32768..32767.
qint16 SaturateInt16(qint64 value);

// The same for 32-bit fields.
qint32 SaturateInt32(qint64 value);

} // namespace platform
