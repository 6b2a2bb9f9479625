#include "main_window/form1.h"

#include "core/box_value.h"
#include "core/guided_orientation.h"
#include "core/number_text.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"

#include <QLineEdit>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The arm's colour for a sum; none above 90.
std::optional<quint32> armColour(double value)
{
    if (value < 15)
        return vbcolour::Red;
    if (value <= 20)
        return vbcolour::Green;
    if (value <= 40)
        return vbcolour::Blue;
    if (value <= 90)
        return vbcolour::Red;
    return std::nullopt;
}

// One axis of the readout: the two boxes compared and where the result is
// kept. It is shown while the second box's orientation is measured.
struct Axis {
    int firstBox, secondBox;
    quint8 AlignmentState::*firstValue;
    quint8 AlignmentState::*secondValue;
    quint8 AlignmentState::*difference;
    QString AlignmentState::*direction;
    const char16_t* firstWins;
    const char16_t* secondWins;
};

const Axis Vertical{0,
                    2,
                    &AlignmentState::PlusVValue,
                    &AlignmentState::MinusVValue,
                    &AlignmentState::VertDifference,
                    &AlignmentState::VertDirection,
                    u"Arriba",
                    u"Abajo"};
const Axis Horizontal{1,
                      3,
                      &AlignmentState::MinusHValue,
                      &AlignmentState::PlusHValue,
                      &AlignmentState::HorzDifference,
                      &AlignmentState::HorzDirection,
                      u"Derecha",
                      u"Izquierda"};

// The word names the side with the larger total; the figure is half the
// difference in degrees. A typed total that no byte can hold leaves the
// correction as it was.
void recomputeCorrection(AlignmentState& state, const std::array<QLineEdit*, 5>& sums, const Axis& axis,
                         QLineEdit* readout)
{
    const auto first = toByte(Val(sums[axis.firstBox]->text()));
    const auto second = toByte(Val(sums[axis.secondBox]->text()));
    if (!first || !second)
        return;
    state.*axis.firstValue = *first;
    state.*axis.secondValue = *second;
    if (*first > *second) {
        state.*axis.direction = QString::fromUtf16(axis.firstWins);
        state.*axis.difference = *first - *second;
    } else if (*first < *second) {
        state.*axis.direction = QString::fromUtf16(axis.secondWins);
        state.*axis.difference = *second - *first;
    } else {
        state.*axis.direction = u"Perfecto"_s;
        state.*axis.difference = 0;
    }
    if (state.GuidedStep == orientationOfRow(axis.secondBox)->step)
        readout->setText(state.*axis.direction + u' ' + NumberText(state.*axis.difference / 2.0) + u"º"_s);
}

} // namespace

void Form1::Text10_Change(int index)
{
    const GuidedOrientation* orientation = orientationOfRow(index);
    if (!orientation)
        return;
    if (const auto colour = armColour(Val(Text10[index]->text())))
        Shape6[orientation->mainArm]->setBackColor(*colour);
    if (index == Vertical.secondBox)
        recomputeCorrection(State, Text10, Vertical, Text14);
    else if (index == Horizontal.secondBox)
        recomputeCorrection(State, Text10, Horizontal, Text5);
}

void Form1::writeText10(int index, const QString& text)
{
    Text10[index]->setText(text);
    Text10_Change(index);
}
