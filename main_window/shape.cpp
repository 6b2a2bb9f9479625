#include "main_window/shape.h"

#include "main_window/vb_colour.h"

#include <QPainter>

Shape::Shape(QWidget* parent, const QString& name, QRect place, Kind kind, quint32 colour, int backStyle)
    : QWidget(parent), m_kind(kind), m_backColor(colour), m_backStyle(backStyle)
{
    setObjectName(name);
    setGeometry(place);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBackStyle(int style)
{
    if (style == m_backStyle)
        return;
    m_backStyle = style;
    update();
}

void Shape::setBackColor(quint32 colour)
{
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(isOpaque() ? QBrush(vbcolour::toQColor(m_backColor)) : Qt::NoBrush);
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (m_kind) {
    case Kind::Rectangle: painter.drawRect(outline); break;
    case Kind::RoundedSquare: {
        const qreal side = qMin(outline.width(), outline.height());
        QRectF square(0, 0, side, side);
        square.moveCenter(outline.center());
        painter.drawRoundedRect(square, side / 6, side / 6);
        break;
    }
    case Kind::Circle: {
        const qreal side = qMin(outline.width(), outline.height());
        QRectF circle(0, 0, side, side);
        circle.moveCenter(outline.center());
        painter.drawEllipse(circle);
        break;
    }
    }
}
