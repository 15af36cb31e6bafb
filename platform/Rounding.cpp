#include "platform/Rounding.h"

#include <cmath>
#include <limits>

namespace platform {

qint64 RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 as a double; anything at or beyond it cannot be represented.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit) return std::numeric_limits<qint64>::max();
    if (value < -limit) return std::numeric_limits<qint64>::min();
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = lower;
    if (fraction > 0.5) {
        result = lower + 1.0;
    } else if (fraction == 0.5) {
        result = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    }
    if (result >= limit) return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(result);
}

qint16 SaturateInt16(qint64 value) {
    if (value > std::numeric_limits<qint16>::max()) return std::numeric_limits<qint16>::max();
    if (value < std::numeric_limits<qint16>::min()) return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(value);
}

qint32 SaturateInt32(qint64 value) {
    if (value > std::numeric_limits<qint32>::max()) return std::numeric_limits<qint32>::max();
    if (value < std::numeric_limits<qint32>::min()) return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(value);
}

} // namespace platform
