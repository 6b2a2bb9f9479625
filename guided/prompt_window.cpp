#include "guided/prompt_window.h"

#include "core/guided_orientation.h"
#include "guided/tool_window.h"
#include "main_window/controls.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

using namespace Qt::StringLiterals;

using namespace controls;

namespace {

QString promptText(const GuidedOrientation& orientation)
{
    return u"Oriente su antena en la posicion recomendada por la ultima medida tomada, en caso de "
           u"ser la primera orientala ligeramente en posición %1, después pulse aceptar cuando "
           u"este preparado para comenzar los patrones de medida."_s.arg(orientation.promptWords);
}

} // namespace

Form4::Form4(QWidget* mainWindow, const GuidedOrientation* orientation)
    : QWidget(mainWindow), m_orientation(orientation)
{
    setObjectName(u"Form4"_s);
    makeToolWindow(this, 7305, 3315);

    QGroupBox* frame1 = frame(this, u"Frame1"_s, twips(120, 0, 7095, 3255));
    frame(frame1, u"Frame3"_s, twips(120, 240, 4215, 2175));
    buildCross(frame(frame1, u"Frame2"_s, twips(4440, 240, 2535, 2775)));
    Command1 = button(frame1, u"Command1"_s, twips(120, 2520, 2655, 495), u"ACEPTAR"_s);
    Command2 = button(frame1, u"Command2"_s, twips(3000, 2520, 1335, 495), u"DETENER"_s);
    // Return or Space alone answers the prompt.
    Command1->setFocus();

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(u"Text1"_s);
    Text1->setGeometry(twips(360, 480, 3975, 1815));
    Text1->setReadOnly(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(50);

    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    // "DETENER" is the cancel button.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, Command2, &QPushButton::click);
    Form_Load();
}

void Form4::buildCross(QWidget* frame)
{
    using Kind = Shape::Kind;
    Shape2 =
        new Shape(frame, u"Shape2"_s, twips(960, 240, 615, 855), Kind::Rectangle, vbcolour::Green, Shape::Transparent);
    Shape3 =
        new Shape(frame, u"Shape3"_s, twips(120, 1080, 855, 615), Kind::Rectangle, vbcolour::Green, Shape::Transparent);
    Shape4 = new Shape(frame, u"Shape4"_s, twips(1560, 1080, 855, 615), Kind::Rectangle, vbcolour::Green,
                       Shape::Transparent);
    Shape5 =
        new Shape(frame, u"Shape5"_s, twips(960, 1680, 615, 855), Kind::Rectangle, vbcolour::Green, Shape::Transparent);
    Shape1 =
        new Shape(frame, u"Shape1"_s, twips(1080, 1080, 375, 615), Kind::RoundedSquare, vbcolour::Grey, Shape::Opaque);
}

void Form4::Form_Load()
{
    if (m_orientation)
        Text1->setPlainText(promptText(*m_orientation));
    Timer1->start();
}

void Form4::Timer1_Timer()
{
    if (!m_orientation)
        return;
    auto* arm = findChild<Shape*>(u"Shape%1"_s.arg(m_orientation->promptArm));
    arm->setBackStyle(arm->isOpaque() ? Shape::Transparent : Shape::Opaque);
}

void Form4::Command1_Click()
{
    hide();
    close();
    emit accepted();
}

void Form4::Command2_Click()
{
    close();
    emit stopped();
}

// Closed through its frame, the prompt would leave the guided alignment with
// every button disabled: that close abandons it as "DETENER" does.
void Form4::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (event->spontaneous())
        emit stopped();
}
