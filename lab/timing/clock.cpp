#include "timing/clock.h"

double monotonicMs()
{
    return monotonicMs(std::chrono::steady_clock::now());
}

double monotonicMs(std::chrono::steady_clock::time_point at)
{
    return std::chrono::duration<double, std::milli>(at.time_since_epoch()).count();
}
