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
    QLineEdit* Form1::*readout;
};

const Axis Vertical{0,
                    2,
                    &AlignmentState::PlusVValue,
                    &AlignmentState::MinusVValue,
                    &AlignmentState::VertDifference,
                    &AlignmentState::VertDirection,
                    u"Arriba",
                    u"Abajo",
                    &Form1::Text14};
const Axis Horizontal{1,
                      3,
                      &AlignmentState::MinusHValue,
                      &AlignmentState::PlusHValue,
                      &AlignmentState::HorzDifference,
                      &AlignmentState::HorzDirection,
                      u"Derecha",
                      u"Izquierda",
                      &Form1::Text5};

// The word names the side with the larger total; the figure is half the
// difference in degrees. A typed total that no byte can hold leaves the
// correction as it was.
void recomputeCorrection(Form1& form, const Axis& axis)
{
    const auto first = toByte(Val(form.Text10[axis.firstBox]->text()));
    const auto second = toByte(Val(form.Text10[axis.secondBox]->text()));
    if (!first || !second)
        return;
    form.State.*axis.firstValue = *first;
    form.State.*axis.secondValue = *second;
    if (*first > *second) {
        form.State.*axis.direction = QString::fromUtf16(axis.firstWins);
        form.State.*axis.difference = *first - *second;
    } else if (*first < *second) {
        form.State.*axis.direction = QString::fromUtf16(axis.secondWins);
        form.State.*axis.difference = *second - *first;
    } else {
        form.State.*axis.direction = u"Perfecto"_s;
        form.State.*axis.difference = 0;
    }
    if (form.State.GuidedStep == orientationOfRow(axis.secondBox)->step)
        (form.*axis.readout)
            ->setText(form.State.*axis.direction + u' ' + NumberText(form.State.*axis.difference / 2.0) + u"º"_s);
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
        recomputeCorrection(*this, Vertical);
    else if (index == Horizontal.secondBox)
        recomputeCorrection(*this, Horizontal);
}

void Form1::writeText10(int index, const QString& text)
{
    Text10[index]->setText(text);
    Text10_Change(index);
}
