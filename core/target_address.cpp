#include "core/target_address.h"

QString dottedAddress(const QString& first, const QString& second, const QString& third, const QString& fourth)
{
    return first + u'.' + second + u'.' + third + u'.' + fourth;
}
