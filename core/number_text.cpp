#include "core/number_text.h"

#include <cmath>

using namespace Qt::StringLiterals;

QString NumberText(double n)
{
    const QString sign = n < 0 ? u"-"_s : u" "_s;
    QString digits = QString::number(std::fabs(n), 'g', 15).toUpper();
    if (digits.startsWith(u"0."_s))
        digits.remove(0, 1);
    return sign + digits;
}
