#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The number a text box holds: blanks, tabs and line feeds are ignored
// anywhere; then an optional sign, digits with one ".", an optional E or D
// exponent; "&H" and "&O" read hexadecimal and octal whole numbers. Reading
// stops at the first other character; no number gives 0. The point is always
// ".", whatever the desktop's language. Too large a number gives infinity.
double Val(const QString& text);

// The nearest whole number, a half going to the even neighbour; nothing when
// that falls outside 0..255.
std::optional<quint8> toByte(double value);
