#include "platform/echo_wakeup.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

EchoWakeup::EchoWakeup() : m_descriptor(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

EchoWakeup::~EchoWakeup()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void EchoWakeup::wake()
{
    const std::uint64_t one = 1;
    // Nobody reads the counter, so it stays readable; a failed write means it
    // is full, that is, long woken.
    [[maybe_unused]] const ssize_t written = ::write(m_descriptor, &one, sizeof one);
}

int EchoWakeup::descriptor() const
{
    return m_descriptor;
}

} // namespace platform
