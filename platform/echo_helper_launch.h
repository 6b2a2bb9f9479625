#pragma once

#include "platform/echo_helper_protocol.h"

#include <QString>
#include <sys/types.h>

// The program with the windows never holds a privilege: it loads plugins,
// styles and input methods that its user may choose. Where no ping socket
// may be opened, the probes of an alignment go through the echo helper, a
// small program without Qt that alone may open a raw socket.
namespace platform {

// Where the package installs the helper, seen from the installed program,
// else where the build tree holds it, for a program run from there.
QString echoHelperPath();

// 0 when the helper at `path` will be let open a raw socket: it carries
// CAP_NET_RAW as a file capability, or root runs it. Else ENOENT when it is
// missing, EPERM when it would be refused.
int echoHelperReadiness(const QString& path);

// One running echo helper, started at the first request and kept for the
// next ones until end(). Used from one thread at a time; the helper ends with
// the thread that started it, should that end first.
class EchoHelper {
public:
    EchoHelper() = default;
    ~EchoHelper();
    EchoHelper(const EchoHelper&) = delete;
    EchoHelper& operator=(const EchoHelper&) = delete;

    // Sends one request through the helper at `path`, started first if none
    // runs, and gives what it answered; an `openError` of EPROTO when it
    // ended without a readable answer. A readable `stopDescriptor` (-1 for
    // none) ends the helper at once, with a timeout as the outcome. A helper
    // that gave no outcome is ended, so that the next request starts afresh.
    EchoHelperAnswer exchange(const QString& path, const EchoHelperRequest& request, int stopDescriptor);
    // Ends the helper at once, if one runs, and leaves nothing of it.
    void end();

private:
    int start(const QString& path);

    pid_t m_process = 0;
    int m_channel = -1; // this side of its standard input and output
};

} // namespace platform
