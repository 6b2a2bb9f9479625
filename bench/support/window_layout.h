#pragma once

#include <QMap>
#include <QPoint>
#include <QSize>
#include <QString>

namespace bench {

// Where the named controls stand in the program's windows, and how big its
// fixed-size windows are, read from those windows built here offscreen, so
// that a benchmark driving the real program clicks what its user sees.
// Needs a QApplication.
class WindowLayout {
public:
    WindowLayout();

    // A window by object name: "Form1" (the main window), "Form2" (the
    // measurement window), "Form4" (the orientation prompt).
    QSize sizeOf(const QString& window) const;
    // The centre of a control by object name ("Command1", "Text1(3)"), in
    // its window's coordinates.
    QPoint centreOf(const QString& window, const QString& control) const;

private:
    QMap<QString, QSize> m_sizes;
    QMap<QString, QPoint> m_centres; // by "window/control"
};

} // namespace bench
