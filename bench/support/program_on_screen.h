#pragma once

#include "support/window_layout.h"
#include "support/x_driver.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <optional>

namespace bench {

// The real program running on an X display, driven with the keyboard and the
// mouse. Its main window is the first it maps; the prompt and the measurement
// window are told apart by their sizes, as their titles may be empty.
class ProgramOnScreen {
public:
    // Starts the program and waits for its main window.
    ProgramOnScreen(const QString& program, const QString& display, const WindowLayout& layout);
    // Ends the program.
    ~ProgramOnScreen();
    ProgramOnScreen(const ProgramOnScreen&) = delete;
    ProgramOnScreen& operator=(const ProgramOnScreen&) = delete;

    // Empty once the main window is up.
    QString failure() const { return m_failure; }
    qint64 pid() const { return m_process.processId(); }

    // Gives the main window the keyboard focus, as a window manager would
    // when it comes up.
    bool focusMainWindow() const;
    // Clicks the first of a row of octet boxes of the main window and types
    // a dotted address into the row, replacing what it held.
    void typeAddress(const QString& firstBox, const QString& address) const;
    // Ctrl+Tab, and waits for the main window to change to the dynamic
    // page's height; false when it did not.
    bool showDynamicPage() const;

    // "Form1", "Form2" or "Form4", when mapped.
    std::optional<XDriver::Window> openWindow(const QString& name) const;
    // Waits until that window is mapped (true) or the deadline passes.
    bool waitForWindow(const QString& name, QDeadlineTimer deadline) const;
    // Clicks a control of an open window; false when the window is not open.
    bool click(const QString& window, const QString& control) const;

private:
    const WindowLayout& m_layout;
    XDriver m_driver;
    QProcess m_process;
    quint64 m_mainWindow = 0;
    QString m_failure;
};

} // namespace bench
