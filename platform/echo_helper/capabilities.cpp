#include "capabilities.h"

#include "platform/icmp_socket.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace capabilities {
namespace {

// Written with the system calls themselves: a library for them would be one
// more shared library in a program that carries a privilege.
using Sets = std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3>;

bool read(Sets& sets)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, sets.data()) == 0;
}

bool write(const Sets& sets)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, sets.data()) == 0;
}

bool isEmpty(const Sets& sets)
{
    return std::ranges::all_of(
        sets, [](const auto& set) { return set.effective == 0 && set.permitted == 0 && set.inheritable == 0; });
}

} // namespace

int openRawSocketWithNetRaw()
{
    Sets sets{};
    // Refused when the permitted set lacks it; the socket then says why.
    if (read(sets)) {
        sets[CAP_TO_INDEX(CAP_NET_RAW)].effective |= CAP_TO_MASK(CAP_NET_RAW);
        write(sets);
    }
    return platform::openRawIcmpDescriptor();
}

bool dropAll()
{
    Sets sets{};
    return write(Sets{}) && read(sets) && isEmpty(sets);
}

} // namespace capabilities
