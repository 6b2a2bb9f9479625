#pragma once

#include <QList>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <functional>

// What a user does with the program's windows, in its own process: keys and
// clicks on the real controls, found by their names, and the event loop run
// meanwhile, for the tests and the benchmarks that drive the windows.

// The "IP Receptor" boxes of each page, first octet first.
inline const QList<int> GuidedTargetBoxes{3, 2, 1, 0};
inline const QList<int> DynamicTargetBoxes{10, 11, 12, 13};

// Replaces the text of each box of the main window with its octet of
// `address`, key by key.
void typeAddress(QWidget& form, const QList<int>& boxes, const QString& address);
// Clicks the tab of page 0 (guided) or 1 (dynamic).
void showPage(QWidget& form, int page);
// Shows the page and types the address into its "IP Receptor" boxes.
void typeGuidedAddress(QWidget& form, const QString& address);
void typeDynamicAddress(QWidget& form, const QString& address);

// A visible top-level window by object name ("Form2", "Form4"), or null.
QWidget* openWindow(const QString& name);
// A button of a visible top-level window, or null.
QPushButton* buttonOf(const QString& window, const QString& button);

// A control of `window` by object name; ends the program when missing.
template <typename Control = QWidget>
Control* controlOf(const QWidget* window, const QString& name)
{
    Control* found = window ? window->findChild<Control*>(name) : nullptr;
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline void click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton);
}

// Lets events run until `done`, looking only every 100 ms, seldom enough
// that the looks hardly wake a thread that is measured; false when
// `timeoutMs` passed first.
bool runEventsUntil(const std::function<bool()>& done, int timeoutMs);
// Lets the program's own events run, undisturbed, for `ms` milliseconds.
void runEventsFor(int ms);
