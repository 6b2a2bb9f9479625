// orienzo-echo: sends Orienzo's ICMP echo requests, one alignment long,
// where the program with the windows may not open a ping socket. It alone
// carries CAP_NET_RAW, as a permitted file capability: it keeps that one
// capability, in its permitted set only, and raises it into the effective
// set just to open each probe's raw socket. It takes no argument and reads
// no environment and no file.
//
// Requests come on standard input, one a line, "<address> <sequence>", and
// each gets one line on standard output, "<status> <milliseconds>
// <address>", or "unavailable <errno>" when no raw socket could be opened.
// It ends at the end of its input, and with the thread that started it. A
// bad request is refused on standard error, with exit status 2, and nothing
// is sent for it.

#include "capabilities.h"
#include "platform/echo_exchange.h"
#include "platform/echo_helper_protocol.h"
#include "platform/icmp_socket.h"

#include <cerrno>
#include <csignal>
#include <string>
#include <string_view>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

enum ExitStatus { Ended = 0, Refused = 2, Unsafe = 3 };

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

struct InputLine {
    std::string text;
    bool complete = false; // ended by its newline
};

// The next line of standard input, read a byte at a time so that nothing
// past it is taken, and no further than one byte past the longest request.
InputLine readLine()
{
    InputLine line;
    char byte = 0;
    while (line.text.size() <= platform::LongestRequestLine) {
        const ssize_t length = ::read(STDIN_FILENO, &byte, 1);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            break;
        if (byte == '\n') {
            line.complete = true;
            break;
        }
        line.text += byte;
    }
    return line;
}

std::string answer(const platform::EchoHelperRequest& request)
{
    const int raw = capabilities::openRawSocketWithNetRaw();
    if (raw < 0)
        return platform::unavailableLine(errno);
    platform::IcmpSocket socket(platform::RawIcmpDescriptor{raw});
    return platform::echoAnswerLine(platform::exchangeEcho(socket, request.target, request.sequence, -1));
}

} // namespace

int main(int argc, char*[])
{
    // Ends with the thread that started it, even when that crashes. The
    // starter cannot ask for it: starting a program that carries a
    // capability clears it. A starter that ended before the request took
    // hold has left this helper to another parent; one that ended even
    // earlier has closed its input, which ends it at its first read.
    const pid_t starter = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != starter)
        return Ended;
    // Its user must not reach into it, as a debugger could, while it may
    // still raise its capability or holds a raw socket.
    if (::prctl(PR_SET_DUMPABLE, 0) != 0)
        return refuse("could not keep others out of it", Unsafe);
    if (!capabilities::keepOnlyNetRawPermitted())
        return refuse("could not drop its other capabilities", Unsafe);
    if (argc > 1)
        return refuse("takes no arguments: requests come on standard input, one a line", Refused);

    for (InputLine line = readLine(); line.complete || !line.text.empty(); line = readLine()) {
        if (!line.complete && line.text.size() <= platform::LongestRequestLine)
            return refuse("the input ended in the middle of a request", Refused);
        const auto request = platform::readEchoRequestLine(line.text);
        if (const auto* refusal = std::get_if<std::string>(&request))
            return refuse(*refusal, Refused);
        const std::string answered = answer(std::get<platform::EchoHelperRequest>(request));
        if (!capabilities::holdOnlyNetRawPermitted())
            return refuse("could not lower its capability again", Unsafe);
        writeAll(STDOUT_FILENO, answered);
    }
    return Ended;
}
