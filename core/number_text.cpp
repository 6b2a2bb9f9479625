#include "core/number_text.h"

#include <cmath>

QString NumberText(double n)
{
    const QString sign = n < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    QString digits = QString::number(std::fabs(n), 'g', 15).toUpper();
    if (digits.startsWith(QLatin1String("0.")))
        digits.remove(0, 1);
    return sign + digits;
}
