#pragma once

#include <QString>

// The dotted address four octet boxes give: their texts joined by "." exactly
// as typed, with no trimming and no check. An empty box gives an empty part.
QString dottedAddress(const QString& first, const QString& second, const QString& third, const QString& fourth);
