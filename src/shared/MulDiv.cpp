#include "shared/MulDiv.h"

#include <cstdint>
#include <cstdlib>

namespace ly {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t product = int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = std::abs(product);
    const int64_t divisor = std::abs(int64_t(c));
    const int64_t quotient = (magnitude + divisor / 2) / divisor;
    const int64_t result = negative ? -quotient : quotient;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return int(result);
}

} // namespace ly
