#include "guided/measurement_window.h"

#include "guided/tool_window.h"
#include "main_window/controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

using namespace controls;

namespace {

// Only a move to another of the program's windows makes the next activation
// count; a message box or another program does not.
bool leftForOwnWindow()
{
    QWidget* active = QApplication::activeWindow();
    return active && !qobject_cast<QMessageBox*>(active);
}

QLineEdit* chartLine(QWidget* frame, const QString& name, int top)
{
    QLineEdit* line = textBox(frame, name, twips(120, top, 1935, 240), {}, ReadOnly | Fixedsys);
    line->setFocusPolicy(Qt::NoFocus);
    return line;
}

} // namespace

Form2::Form2(QWidget* mainWindow) : QWidget(mainWindow)
{
    setObjectName(u"Form2"_s);
    makeToolWindow(this, 6525, 2865);
    move(twips(8385, 5385, 0, 0).topLeft());

    QGroupBox* frame1 = frame(this, u"Frame1"_s, twips(120, 0, 6375, 2295));
    QGroupBox* frame8 = frame(frame1, u"Frame8"_s, twips(120, 120, 2175, 1575));
    Text2 = chartLine(frame8, u"Text2"_s, 240);
    Text3 = chartLine(frame8, u"Text3"_s, 480);
    Text4 = chartLine(frame8, u"Text4"_s, 720);
    Text9 = chartLine(frame8, u"Text9"_s, 960);
    Text10 = chartLine(frame8, u"Text10"_s, 1200);
    QGroupBox* frame2 = frame(frame1, u"Frame2"_s, twips(2400, 120, 3855, 1575));
    List1 = list(frame2, u"List1"_s, twips(120, 240, 3615, 1230));
    ProgressBar1 = progressBar(frame1, u"ProgressBar1"_s, twips(120, 1800, 6135, 375), 15);
    Command1 = button(this, u"Command1"_s, twips(840, 2400, 5295, 375), u"COMPLETADO"_s);
    Command1->setEnabled(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

// The window comes up as the active one, so opening it clears it at once;
// after that, every time it is brought back to the front clears it again.
void Form2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    m_deactivatedSinceShown = false;
    Form_Activate();
}

bool Form2::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate && leftForOwnWindow())
        m_deactivatedSinceShown = true;
    else if (event->type() == QEvent::WindowActivate && m_deactivatedSinceShown)
        Form_Activate();
    return QWidget::event(event);
}

void Form2::Form_Activate()
{
    clearLines({Text10, Text2, Text3, Text4, Text9});
    List1->clear();
    ProgressBar1->setValue(1);
}

// Once its run has ended the window waits for "COMPLETADO": closed through its
// frame then, it would leave the guided alignment with no way on.
void Form2::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous() && Command1->isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

void Form2::enableCompletado()
{
    Command1->setEnabled(true);
    Command1->setFocus();
}

void Form2::Command1_Click()
{
    emit completed();
}
