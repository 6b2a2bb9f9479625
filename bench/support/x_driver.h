#pragma once

#include <QList>
#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <optional>

namespace bench {

// The keyboard and mouse of an X display, worked through lab/desktop/x-driver
// as a user would work them: keys go to the window holding the keyboard
// focus, clicks to the window under the pointer.
class XDriver {
public:
    struct Window {
        quint64 id = 0;
        QRect geometry; // on the screen
    };

    explicit XDriver(const QString& display);

    // Whether xdotool, which the driver works through, is installed at all.
    static bool available();

    // The mapped top-level windows of a process, whatever their titles.
    QList<Window> visibleWindowsOf(qint64 pid) const;
    // Gives the window the keyboard focus, as a window manager would on a click.
    bool focus(quint64 window) const;
    // Types a dotted address into the focused "IP Receptor" box and the three after it.
    void typeAddress(const QString& address) const;
    // Keys as xdotool names them: "Tab", "ctrl+a".
    void key(const QString& keys) const;
    // A left click at this point of the window.
    void click(quint64 window, QPoint at) const;

private:
    // Runs the driver; gives its output, or nothing when it failed.
    std::optional<QByteArray> run(const QStringList& arguments) const;

    QProcessEnvironment m_environment;
};

} // namespace bench
