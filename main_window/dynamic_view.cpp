#include "main_window/form1.h"

#include "core/number_text.h"
#include "core/probe_service.h"
#include "main_window/chart_lines.h"
#include "main_window/controls.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace {

// A run of a whole day keeps only its newest lines.
constexpr int MaxLogLines = 1000;

quint32 indicatorColour(quint8 gradeCode)
{
    constexpr quint32 Blue = 0x00C00000;
    constexpr quint32 DarkPurple = 0x00400040;
    switch (gradeCode) {
    case 1: return vbcolour::Green;
    case 2: return Blue;
    case 3: return DarkPurple;
    default: return vbcolour::Red;
    }
}

} // namespace

void Form1::attachDynamicCommands(std::function<void()> Command6_Click, std::function<void()> Command7_Click,
                                  std::function<void(int position)> Slider1_Change)
{
    connect(Command6, &QPushButton::clicked, this,
            [this, iniciar = std::move(Command6_Click)] { startAfterStoppedRun(iniciar); });
    connect(Command7, &QPushButton::clicked, this, std::move(Command7_Click));
    connect(Slider1, &QSlider::valueChanged, this, std::move(Slider1_Change));
}

void Form1::BuildDynamicTarget()
{
    State.DynamicTargetIP = joinOctets({10, 11, 12, 13});
}

void Form1::showRunStarted()
{
    List2->addItem(u"Iniciando alineacion de antena"_s);
    showButtonsFor(Activity::DynamicRun);
}

void Form1::showRunStopped()
{
    showButtonsFor(Activity::Idle);
    Probe.alignmentEnded();
}

void Form1::clearChart()
{
    clearLines({Text13, Text7, Text8, Text12, Text10[4]});
}

void Form1::drawColumn(const Grade& grade)
{
    appendColumn({Text12, Text8, Text7, Text13, Text10[4]}, grade, State);
    Shape1->setBackStyle(Shape::Transparent);
    Shape1->setBackColor(indicatorColour(grade.code));
}

void Form1::showIndicator()
{
    Shape1->setBackStyle(Shape::Opaque);
}

void Form1::logPass(qint32 roundTrip)
{
    controls::addLineAndSelect(List2, u"Ultimo valor para alineacion"_s + NumberText(roundTrip));
    while (List2->count() > MaxLogLines)
        delete List2->takeItem(0);
}
