#pragma once

#include <QProcess>
#include <QString>

namespace bench {

// A virtual X server (Xvfb) of the benchmark's own, on a display it picks
// itself and names once it accepts clients; stopped again when this goes.
class VirtualScreen {
public:
    VirtualScreen();
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // Whether Xvfb is installed at all.
    static bool available();

    QString display() const { return m_display; }
    // Empty once the server accepts clients.
    QString failure() const { return m_failure; }

private:
    QProcess m_server;
    QString m_display;
    QString m_failure;
};

} // namespace bench
