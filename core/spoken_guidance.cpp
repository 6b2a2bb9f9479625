#include "core/spoken_guidance.h"

#include "core/box_value.h"
#include "core/guided_orientation.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

// "Perfecto" needs no figure; one degree is singular.
QString spokenCorrection(const QString& axis, const QString& readout)
{
    const QString direction = readout.section(u' ', 0, 0);
    QString said = axis + u": "_s + direction.toLower();
    if (direction != u"Perfecto") {
        const double degrees = Val(readout.section(u' ', 1));
        said += u", "_s + QLocale(QLocale::Spanish).toString(degrees) + (degrees == 1 ? u" grado"_s : u" grados"_s);
    }
    return said + u'.';
}

} // namespace

QString spokenPrompt(const GuidedOrientation& orientation)
{
    return u"Orientación %1 de cuatro: antena ligeramente %2. Pulse aceptar cuando esté preparado."_s.arg(
        orientation.spokenNumber, orientation.spokenWay);
}

QString spokenResult(const QString& verticalReadout, const QString& horizontalReadout)
{
    return u"Alineación terminada. "_s + spokenCorrection(u"Vertical"_s, verticalReadout) + u' '
           + spokenCorrection(u"Horizontal"_s, horizontalReadout);
}
