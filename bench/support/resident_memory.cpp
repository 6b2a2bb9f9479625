#include "support/resident_memory.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace bench {

qint64 residentKiB(qint64 pid)
{
    QFile status(pid ? u"/proc/%1/status"_s.arg(pid) : u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // Files under /proc tell no size, so they are read whole.
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace bench
