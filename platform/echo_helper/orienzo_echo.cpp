// orienzo-echo: sends one ICMP echo request for Orienzo and says how it went,
// where the program with the windows may not open a ping socket. It alone
// carries CAP_NET_RAW, as a permitted file capability: it raises it to open
// its raw socket and drops every capability before it reads its arguments
// or the network. It reads no environment and no file.
//
//   orienzo-echo ADDRESS SEQUENCE
//
// Standard input is its lifeline: it ends at once when that closes or
// anything comes on it. Its answer is one line on standard output,
// "<status> <milliseconds> <address>", or "unavailable <errno>" when no raw
// socket could be opened. Bad arguments are refused on standard error, with
// exit status 2, and nothing is sent.

#include "capabilities.h"
#include "platform/echo_exchange.h"
#include "platform/echo_helper_protocol.h"
#include "platform/icmp_socket.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <string_view>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

namespace {

enum ExitStatus { Answered = 0, Unavailable = 1, Refused = 2, Unsafe = 3 };

void writeAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

int refuse(std::string_view why, ExitStatus status)
{
    writeAll(STDERR_FILENO, "orienzo-echo: ");
    writeAll(STDERR_FILENO, why);
    writeAll(STDERR_FILENO, "\n");
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    // Ends with the thread that started it, even when that crashes. The
    // starter cannot ask for it: starting a program that carries a
    // capability clears it. A starter that ended even before this has closed
    // the lifeline, which ends the wait for the reply at once.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // Once its capability is dropped its raw socket is still open, and the
    // user who started it must not take the socket over, as a debugger could.
    if (::prctl(PR_SET_DUMPABLE, 0) != 0)
        return refuse("could not keep others out of it", Unsafe);
    const int raw = capabilities::openRawSocketWithNetRaw();
    const int openError = errno;
    if (!capabilities::dropAll())
        return refuse("could not drop its capabilities", Unsafe);

    const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
    const auto request = platform::readEchoHelperArguments(arguments);
    if (const auto* refusal = std::get_if<std::string>(&request))
        return refuse(*refusal, Refused);
    if (raw < 0) {
        writeAll(STDOUT_FILENO, platform::unavailableLine(openError));
        return Unavailable;
    }
    platform::IcmpSocket socket(platform::RawIcmpDescriptor{raw});
    const auto& [target, sequence] = std::get<platform::EchoHelperRequest>(request);
    writeAll(STDOUT_FILENO, platform::echoAnswerLine(platform::exchangeEcho(socket, target, sequence, STDIN_FILENO)));
    return Answered;
}
