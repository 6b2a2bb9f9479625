#pragma once

#include <QtGlobal>

namespace bench {

// VmRSS of a process (this one by default) in KiB, or -1 when unreadable.
qint64 residentKiB(qint64 pid = 0);

} // namespace bench
