#pragma once

#include <QColor>
#include <QtGlobal>

class QWidget;

// Colours are kept as the numbers the windows were designed with: 0x00BBGGRR,
// or with the high bit set a desktop colour (0x80000005: the background of
// text areas in the current palette).
namespace vbcolour {

constexpr quint32 Black = 0x00000000;
constexpr quint32 White = 0x00FFFFFF;
constexpr quint32 Red = 0x000000FF;
constexpr quint32 Green = 0x0000FF00;
constexpr quint32 Blue = 0x00FF0000;
constexpr quint32 Grey = 0x00808080;
constexpr quint32 WindowBackground = 0x80000005;

QColor toQColor(quint32 colour);

// A text box's background and text colours, kept as numbers so that a later
// comparison sees the number that was set, not what it resolved to.
void setBackColor(QWidget* box, quint32 colour);
void setForeColor(QWidget* box, quint32 colour);
quint32 backColor(const QWidget* box);

} // namespace vbcolour
