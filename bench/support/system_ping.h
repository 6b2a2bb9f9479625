#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace bench {

// What the system's ping (iputils) printed about one run.
struct PingRun {
    QList<double> times; // each reply's time as printed, ms (whole ms from 100 ms on)
    double minMs = 0;    // from the summary, to the microsecond
    double meanMs = 0;
    double maxMs = 0;
    double interPacketGapMs = 0; // from the flood summary "ipg/ewma"
    int received = 0;
    QString failure; // empty when ping ran and ended
};

// Runs `command` (ping, possibly behind "ip netns exec") and reads its output.
PingRun runPing(const QStringList& command, int timeoutMs);

} // namespace bench
