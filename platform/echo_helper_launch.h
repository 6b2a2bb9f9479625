#pragma once

#include "platform/echo_helper_protocol.h"

#include <QString>

// The program with the windows never holds a privilege: it loads plugins,
// styles and input methods that its user may choose. Where no ping socket
// may be opened, each probe runs the echo helper, a small program without Qt
// that alone may open a raw socket, sends the one request and answers.
namespace platform {

// Where the package installs the helper, seen from the installed program,
// else where the build tree holds it, for a program run from there.
QString echoHelperPath();

// 0 when the helper at `path` will be let open a raw socket: it carries
// CAP_NET_RAW as a file capability, or root runs it. Else ENOENT when it is
// missing, EPERM when it would be refused.
int echoHelperReadiness(const QString& path);

// Runs the helper for one request and gives what it answered; an
// `openError` of EPROTO when it ended without a readable answer. A readable
// `stopDescriptor` (-1 for none) ends the helper at once, with a timeout as
// the outcome. No helper is left running on return.
EchoHelperAnswer runEchoHelper(const QString& path, const EchoHelperRequest& request, int stopDescriptor);

} // namespace platform
