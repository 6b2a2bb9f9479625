#pragma once

class QProcess;

namespace bench {

// Asks a child to end (SIGTERM), and kills it when it has not within a few
// seconds.
void stopProcess(QProcess& process);

} // namespace bench
