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

// CAP_NET_RAW in the permitted set, and nothing else.
Sets netRawPermittedOnly()
{
    Sets sets{};
    sets[CAP_TO_INDEX(CAP_NET_RAW)].permitted = CAP_TO_MASK(CAP_NET_RAW);
    return sets;
}

// The effective set made the permitted one, which holds CAP_NET_RAW at most,
// or emptied.
bool raiseEffective(bool raised)
{
    Sets sets{};
    if (!read(sets))
        return false;
    for (auto& set : sets)
        set.effective = raised ? set.permitted : 0;
    return write(sets);
}

} // namespace

bool keepOnlyNetRawPermitted()
{
    Sets sets{};
    if (!read(sets))
        return false;
    const Sets allowed = netRawPermittedOnly();
    for (std::size_t index = 0; index < sets.size(); ++index)
        sets[index] = {0, sets[index].permitted & allowed[index].permitted, 0};
    return write(sets) && holdOnlyNetRawPermitted();
}

int openRawSocketWithNetRaw()
{
    // Refused when the permitted set lacks it; the socket then says why.
    raiseEffective(true);
    const int descriptor = platform::openRawIcmpDescriptor();
    const int openError = errno;
    raiseEffective(false);
    errno = openError;
    return descriptor;
}

bool holdOnlyNetRawPermitted()
{
    Sets sets{};
    return read(sets) && std::ranges::equal(sets, netRawPermittedOnly(), [](const auto& held, const auto& allowed) {
               return held.effective == 0 && held.inheritable == 0 && (held.permitted & ~allowed.permitted) == 0;
           });
}

} // namespace capabilities
