#pragma once

#include <QWidget>

struct GuidedOrientation;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class Shape;

// The orientation prompt shown before each guided orientation: how to hold
// the antenna, with that arm of the direction cross blinking.
class Form4 : public QWidget {
    Q_OBJECT
public:
    // `orientation` is the one to measure next; null shows no text and
    // blinks no arm.
    Form4(QWidget* mainWindow, const GuidedOrientation* orientation);

    QPlainTextEdit* Text1;
    Shape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5;
    QTimer* Timer1;
    QPushButton *Command1, *Command2;

signals:
    void accepted();
    // "DETENER", or the prompt closed without an answer.
    void stopped();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCross(QWidget* frame);
    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();

    const GuidedOrientation* m_orientation;
};
