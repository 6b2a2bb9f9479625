#include "guided/prompt_window.h"

#include "core/reset_alignment.h"
#include "guided/measurement_pattern.h"
#include "guided/tool_window.h"
#include "main_window/controls.h"
#include "main_window/form1.h"
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

QString promptText(int step)
{
    static const char* const directions[] = {
        "vertical positiva (arriba)", "horizontal negativa (derecha)",
        "vertical negativa (abajo)", "horizontal positiva (izquierda)"};
    if (step < 1 || step > 4)
        return {};
    return QStringLiteral("Oriente su antena en la posicion recomendada por la ultima medida tomada, en caso de "
                          "ser la primera orientala ligeramente en posición %1, después pulse aceptar cuando "
                          "este preparado para comenzar los patrones de medida.")
        .arg(QString::fromLatin1(directions[step - 1]));
}

} // namespace

Form4::Form4(Form1& main) : QWidget(&main), m_main(main)
{
    setObjectName(QStringLiteral("Form4"));
    makeToolWindow(this, 7305, 3315);

    QGroupBox* frame1 = frame(this, QStringLiteral("Frame1"), twips(120, 0, 7095, 3255));
    frame(frame1, QStringLiteral("Frame3"), twips(120, 240, 4215, 2175));
    buildCross(frame(frame1, QStringLiteral("Frame2"), twips(4440, 240, 2535, 2775)));
    Command1 = button(frame1, QStringLiteral("Command1"), twips(120, 2520, 2655, 495), QStringLiteral("ACEPTAR"));
    Command2 = button(frame1, QStringLiteral("Command2"), twips(3000, 2520, 1335, 495), QStringLiteral("DETENER"));

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
    Text1->setPlainText(promptText(m_main.State.GuidedStep));
    Timer1->start();
}

Shape* Form4::armOfStep() const
{
    switch (m_main.State.GuidedStep) {
    case 1: return Shape2;
    case 2: return Shape4;
    case 3: return Shape5;
    case 4: return Shape3;
    default: return nullptr;
    }
}

void Form4::Timer1_Timer()
{
    if (Shape* arm = armOfStep())
        arm->setBackStyle(arm->isOpaque() ? Shape::Transparent : Shape::Opaque);
}

void Form4::Command1_Click()
{
    hide();
    close();
    RunMeasurementPattern(m_main);
}

void Form4::Command2_Click()
{
    close();
    ResetAlignment(m_main);
}

// Closed through its frame, the prompt would leave the guided alignment with
// every button disabled: that close abandons it as "DETENER" does.
void Form4::closeEvent(QCloseEvent* event)
{
    m_main.PromptWindow.clear();
    event->accept();
    if (event->spontaneous())
        ResetAlignment(m_main);
}

void OpenPromptWindow(Form1& form)
{
    if (!form.PromptWindow)
        form.PromptWindow = new Form4(form);
    form.PromptWindow->show();
}
