#include "core/reset_alignment.h"

#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/form1.h"
#include "main_window/shape.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace {

void resetOctetBoxes(Form1& form)
{
    for (int index : {8, 6, 5, 4, 2, 3, 1, 0})
        form.Text1[index]->setText(QStringLiteral("0"));
}

// Each cleared sum box runs the correction readout as it changes.
void clearResultBoxes(Form1& form)
{
    for (int index = 0; index < 4; ++index)
        form.writeText10(index, QString());
    for (QLineEdit* line : {form.Text12, form.Text8, form.Text7, form.Text13})
        line->clear();
    form.writeText10(4, QString());
    for (QProgressBar* bar : {form.ProgressBar3, form.ProgressBar4, form.ProgressBar5, form.ProgressBar6, form.ProgressBar7})
        controls::setBarValue(bar, bar->minimum());
    for (QLineEdit* box : {form.Text14, form.Text5, form.Text6})
        box->clear();
}

void restartLogs(Form1& form)
{
    form.List1->clear();
    form.List1->addItem(QStringLiteral("Iniciando variables..."));
    form.List1->addItem(QStringLiteral("Encontrada IP local ") + form.State.LocalAddress);
    form.List2->clear();
}

void clearState(AlignmentState& state)
{
    state.LastRoundTrip = 0;
    state.ProbeCount = 0;
    state.TotalPlusV = state.TotalMinusH = state.TotalMinusV = state.TotalPlusH = 0;
    state.SampleIndex = 1;
    state.GuidedStep = 1;
    state.LastGrade = 0;
    state.PlusVValue = state.MinusVValue = state.VertDifference = 0;
    state.MinusHValue = state.PlusHValue = state.HorzDifference = 0;
    for (GradeArray* grades : {&state.GradesPlusV, &state.GradesMinusH, &state.GradesMinusV, &state.GradesPlusH})
        grades->fill(0);
}

} // namespace

void ResetAlignment(Form1& form)
{
    form.Timer1->setEnabled(false);
    resetOctetBoxes(form);
    clearResultBoxes(form);
    restartLogs(form);
    for (Shape* shape : {form.Shape6[0], form.Shape6[1], form.Shape6[2], form.Shape6[3], form.Shape1})
        shape->setBackStyle(Shape::Transparent);
    form.Command1->setEnabled(true);
    form.Command6->setEnabled(true);
    form.Command2->setEnabled(false);
    clearState(form.State);
    form.State.StopRequested = true;
}
