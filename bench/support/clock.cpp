#include "support/clock.h"

#include <chrono>

namespace bench {

double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace bench
