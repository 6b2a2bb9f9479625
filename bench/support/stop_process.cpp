#include "support/stop_process.h"

#include <QProcess>

namespace bench {

namespace {

constexpr int GraceMs = 10'000;

} // namespace

void stopProcess(QProcess& process)
{
    process.terminate();
    if (process.waitForFinished(GraceMs))
        return;
    process.kill();
    process.waitForFinished();
}

} // namespace bench
