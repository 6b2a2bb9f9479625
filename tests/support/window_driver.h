#pragma once

#include <QList>
#include <QString>

class Form1;
class QMessageBox;
class QPushButton;
class QWidget;

// What a user does with the windows and sees of them, for the tests and the
// benchmarks that drive the real controls.

// The "IP Receptor" boxes of each page, first octet first.
inline const QList<int> GuidedTargetBoxes{3, 2, 1, 0};
inline const QList<int> DynamicTargetBoxes{10, 11, 12, 13};

// Replaces the text of each box with its octet of `address`, key by key.
void typeAddress(Form1& form, const QList<int>& boxes, const QString& address);
// Clicks the tab of page 0 (guided) or 1 (dynamic).
void showPage(Form1& form, int page);

// A visible top-level window by object name ("Form2", "Form4"), or null.
QWidget* openWindow(const QString& name);
// A button of a visible top-level window, or null.
QPushButton* buttonOf(const QString& window, const QString& button);
// The visible message boxes with this title.
QList<QMessageBox*> openMessageBoxes(const QString& title);
