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

    QString display() const { return display_; }
    // Empty once the server accepts clients.
    QString failure() const { return failure_; }

private:
    QProcess server_;
    QString display_;
    QString failure_;
};

} // namespace bench
