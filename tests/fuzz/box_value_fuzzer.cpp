// Feeds arbitrary text, as a user might type or paste it, to the reading of
// a number from a box and to its conversion to a byte.
#include "core/box_value.h"
#include "core/number_text.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double value = Val(text);
    if (std::isnan(value))
        std::abort();
    if (const auto byte = toByte(value); byte && std::fabs(value - *byte) > 0.5)
        std::abort();
    NumberText(value);
    return 0;
}
