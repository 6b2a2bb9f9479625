#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// Grade codes of one probe, 1 (best) to 6 (no connection), per 15 slots of a
// guided orientation, indexed 1 to 15 (slot 0 is unused).
using GradeArray = std::array<qint16, 16>;

// The variables that the main window, the secondary windows and both
// measuring procedures share, read and write directly.
struct AlignmentState {
    QString OctetText1, OctetText2, OctetText3, OctetText4;
    QString GuidedTargetIP;
    QString DynamicTargetIP;
    QString LocalAddress;

    qint32 LastRoundTrip = 0;
    quint8 LastGrade = 0;
    qint16 ProbeCount = 0;
    qint16 SampleIndex = 0;
    qint16 GuidedStep = 0;

    GradeArray GradesPlusV{}, GradesMinusH{}, GradesMinusV{}, GradesPlusH{};
    qint16 TotalPlusV = 0, TotalMinusH = 0, TotalMinusV = 0, TotalPlusH = 0;

    quint8 PlusVValue = 0, MinusVValue = 0, VertDifference = 0;
    QString VertDirection;
    quint8 MinusHValue = 0, PlusHValue = 0, HorzDifference = 0;
    QString HorzDirection;

    qint16 LoopDelay = 0;
    bool StopRequested = false;

    QString TraceBar, TraceBlank, TraceDash;
};

// The characters a measuring procedure draws its chart with, set as it starts.
inline void setTraceCharacters(AlignmentState& state)
{
    using namespace Qt::StringLiterals;
    state.TraceBar = u"|"_s;
    state.TraceBlank = u" "_s;
    state.TraceDash = u"-"_s;
}
