#include "main_window/form1.h"

#include "core/guided_orientation.h"
#include "core/number_text.h"
#include "core/probe_service.h"
#include "core/spoken_guidance.h"
#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/shape.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

void Form1::attachGuidedCommands(std::function<void()> Command1_Click, std::function<void()> Command3_Click)
{
    connect(Command1, &QPushButton::clicked, this,
            [this, calcular = std::move(Command1_Click)] { startAfterStoppedRun(calcular); });
    connect(Command3, &QPushButton::clicked, this, std::move(Command3_Click));
}

void Form1::BuildGuidedTarget()
{
    State.GuidedTargetIP = joinOctets({3, 2, 1, 0});
}

void Form1::showAlignmentStarted()
{
    showButtonsFor(Activity::GuidedAlignment);
    List1->addItem(u"Iniciando alineacion de antena"_s);
}

void Form1::logMeasuringStarted(const GuidedOrientation& orientation)
{
    controls::addLineAndSelect(List1, u"Calculando valores para alineacion "_s + orientation.direction);
}

void Form1::runCue()
{
    Timer1->setEnabled(true);
}

void Form1::tickCueIfDue()
{
    Timer1->handlePendingTick();
}

// Every sample rewrites all four sums, whichever orientation it measures; a
// bar keeps its value while its sum is beyond what it can show.
void Form1::showSums()
{
    for (const GuidedOrientation& row : guidedOrientations())
        writeText10(row.row, NumberText(State.*row.total));
    for (const GuidedOrientation& row : guidedOrientations()) {
        QProgressBar* bar = sumBar(row.row);
        const qint16 total = State.*row.total;
        if (bar->maximum() >= total)
            controls::setBarValue(bar, total);
    }
}

void Form1::showOrientationMeasured()
{
    soundChime();
    Timer1->setEnabled(false);
    ProgressBar3->setValue(State.GuidedStep);
}

void Form1::showOrientationCompleted(const GuidedOrientation* measured)
{
    Timer1->setEnabled(false);
    Text6->setText(QString());
    if (measured)
        Shape6[measured->mainArm]->setBackStyle(Shape::Opaque);
}

void Form1::showAlignmentFinished()
{
    showButtonsFor(Activity::GuidedFinished);
    List1->addItem(u"Test finalizado."_s);
    controls::addLineAndSelect(List1, u"Revise los parametros de correcion."_s);
    Probe.alignmentEnded();
}

void Form1::sayCorrections()
{
    speak(spokenResult(Text14->text(), Text5->text()));
}
