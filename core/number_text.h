#pragma once

#include <QString>

// A number as list lines and text boxes show it: a blank in place of the sign
// when it is not negative, "." as the point, no zero before the point and no
// trailing zeros (12 -> " 12", 0.5 -> " .5", -7.5 -> "-7.5").
QString NumberText(double n);
