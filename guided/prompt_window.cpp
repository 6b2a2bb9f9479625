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

using namespace controls;

namespace {

QString promptText(const GuidedOrientation& orientation)
{
    return QStringLiteral("Oriente su antena en la posicion recomendada por la ultima medida tomada, en caso de "
                          "ser la primera orientala ligeramente en posición %1, después pulse aceptar cuando "
                          "este preparado para comenzar los patrones de medida.")
        .arg(orientation.promptWords);
}

} // namespace

Form4::Form4(QWidget* mainWindow, const GuidedOrientation* orientation)
    : QWidget(mainWindow), m_orientation(orientation)
{
    setObjectName(QStringLiteral("Form4"));
    makeToolWindow(this, 7305, 3315);

    QGroupBox* frame1 = frame(this, QStringLiteral("Frame1"), twips(120, 0, 7095, 3255));
    frame(frame1, QStringLiteral("Frame3"), twips(120, 240, 4215, 2175));
    buildCross(frame(frame1, QStringLiteral("Frame2"), twips(4440, 240, 2535, 2775)));
    Command1 = button(frame1, QStringLiteral("Command1"), twips(120, 2520, 2655, 495), QStringLiteral("ACEPTAR"));
    Command2 = button(frame1, QStringLiteral("Command2"), twips(3000, 2520, 1335, 495), QStringLiteral("DETENER"));
    // Return or Space alone answers the prompt.
    Command1->setFocus();

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twips(360, 480, 3975, 1815));
    Text1->setReadOnly(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
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
    Shape2 = new Shape(frame, QStringLiteral("Shape2"), twips(960, 240, 615, 855), Kind::Rectangle,
                       vbcolour::Green, Shape::Transparent);
    Shape3 = new Shape(frame, QStringLiteral("Shape3"), twips(120, 1080, 855, 615), Kind::Rectangle,
                       vbcolour::Green, Shape::Transparent);
    Shape4 = new Shape(frame, QStringLiteral("Shape4"), twips(1560, 1080, 855, 615), Kind::Rectangle,
                       vbcolour::Green, Shape::Transparent);
    Shape5 = new Shape(frame, QStringLiteral("Shape5"), twips(960, 1680, 615, 855), Kind::Rectangle,
                       vbcolour::Green, Shape::Transparent);
    Shape1 = new Shape(frame, QStringLiteral("Shape1"), twips(1080, 1080, 375, 615), Kind::RoundedSquare,
                       vbcolour::Grey, Shape::Opaque);
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
    auto* arm = findChild<Shape*>(QStringLiteral("Shape%1").arg(m_orientation->promptArm));
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
