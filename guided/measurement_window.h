#pragma once

#include "main_window/chart_lines.h"

#include <QWidget>

class QListWidget;
class QProgressBar;
class QPushButton;

// The measurement window: one guided pattern's chart, list and progress,
// and "COMPLETADO", which moves the guided alignment on.
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* mainWindow);

    QLineEdit *Text2, *Text3, *Text4, *Text9, *Text10;
    QListWidget* List1;
    QProgressBar* ProgressBar1;
    QPushButton* Command1;

    // The chart lines, top line first.
    ChartLines chartLines() const { return {Text2, Text3, Text4, Text9, Text10}; }
    // The run has ended: "COMPLETADO" can be pressed, and takes the focus so
    // that Return or Space alone presses it.
    void enableCompletado();

signals:
    void completed();
    // Closed, and so about to go: the next sample opens a new one.
    void closed();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Activate();
    void Command1_Click();

    bool m_deactivatedSinceShown = false;
};
