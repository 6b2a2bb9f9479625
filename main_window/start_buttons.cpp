#include "main_window/form1.h"

#include <QPushButton>

void Form1::enableStartButtons()
{
    Command1->setEnabled(true);
    Command6->setEnabled(true);
    Command2->setEnabled(false);
}

void Form1::disableStartButtons()
{
    Command1->setEnabled(false);
    Command6->setEnabled(false);
}

void Form1::showDynamicRunning()
{
    const bool pressedWithKeyboard = Command6->hasFocus();
    disableStartButtons();
    Command7->setEnabled(true);
    if (pressedWithKeyboard)
        Command7->setFocus(Qt::TabFocusReason);
}

void Form1::showDynamicStopped()
{
    const bool pressedWithKeyboard = Command7->hasFocus();
    Command6->setEnabled(true);
    Command7->setEnabled(false);
    Command1->setEnabled(true);
    if (pressedWithKeyboard)
        Command6->setFocus(Qt::TabFocusReason);
}

void Form1::showGuidedFinished()
{
    Command1->setEnabled(false);
    Command2->setEnabled(true);
}

void Form1::takeOverMeasurement(QObject* next)
{
    delete m_measurement.data();
    m_measurement = next;
}
