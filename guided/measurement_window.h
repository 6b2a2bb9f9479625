#pragma once

#include "main_window/chart_lines.h"

#include <QWidget>

class Form1;
class QListWidget;
class QProgressBar;
class QPushButton;

// The measurement window: one guided pattern's chart, list and progress,
// and "COMPLETADO", which moves the guided alignment on.
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Form1& main);

    QLineEdit *Text2, *Text3, *Text4, *Text9, *Text10;
    QListWidget* List1;
    QProgressBar* ProgressBar1;
    QPushButton* Command1;

    // The chart lines, top line first.
    ChartLines chartLines() const { return {Text2, Text3, Text4, Text9, Text10}; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Activate();
    void Command1_Click();

    Form1& m_main;
    bool m_deactivatedSinceShown = false;
};

// The open measurement window, or a new one, still hidden.
Form2& MeasurementWindowOf(Form1& form);
