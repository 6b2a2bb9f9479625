#pragma once

#include <QList>
#include <QProcess>
#include <QString>

namespace bench {

// Watches the echo requests and replies on the wire of a network namespace
// with tcpdump, for as long as it lives, so that the probe's own times can be
// held against the moments the packets really passed.
class WireCapture {
public:
    // Starts tcpdump inside `namespaceName` and waits until it listens.
    explicit WireCapture(const QString& namespaceName);
    ~WireCapture();
    WireCapture(const WireCapture&) = delete;
    WireCapture& operator=(const WireCapture&) = delete;

    bool isListening() const { return m_listening; }
    // Stops watching; gives the time from each request to its reply, in the
    // order the requests went out (unanswered ones left out), ms.
    QList<double> roundTrips();

private:
    QProcess m_tcpdump;
    bool m_listening = false;
};

} // namespace bench
