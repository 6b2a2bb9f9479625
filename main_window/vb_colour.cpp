#include "main_window/vb_colour.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace vbcolour {

namespace {
constexpr quint32 SystemColourBit = 0x80000000;
constexpr int SystemWindowIndex = 5;
constexpr int SystemWindowTextIndex = 8;
} // namespace

QColor toQColor(quint32 colour)
{
    if (colour & SystemColourBit) {
        const QPalette palette = QApplication::palette();
        switch (colour & 0xFF) {
        case SystemWindowIndex: return palette.color(QPalette::Base);
        case SystemWindowTextIndex: return palette.color(QPalette::Text);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void setBackColor(QWidget* box, quint32 colour)
{
    box->setProperty("BackColor", colour);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, toQColor(colour));
    box->setPalette(palette);
}

void setForeColor(QWidget* box, quint32 colour)
{
    box->setProperty("ForeColor", colour);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, toQColor(colour));
    box->setPalette(palette);
}

quint32 backColor(const QWidget* box)
{
    const QVariant colour = box->property("BackColor");
    return colour.isValid() ? colour.toUInt() : WindowBackground;
}

} // namespace vbcolour
