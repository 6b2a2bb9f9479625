#pragma once

#include <QWidget>
#include <array>

class Form1;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class Shape;

// The orientation prompt shown before each guided orientation: how to hold
// the antenna, with that arm of the direction cross blinking.
class Form4 : public QWidget {
    Q_OBJECT
public:
    explicit Form4(Form1& main);

    QPlainTextEdit* Text1;
    Shape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5;
    QTimer* Timer1;
    QPushButton *Command1, *Command2;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCross(QWidget* frame);
    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    Shape* armOfStep() const;

    Form1& m_main;
};

// Opens the prompt for the current guided step.
void OpenPromptWindow(Form1& form);
