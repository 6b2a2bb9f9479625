#include "main_window/drawn_once_frame.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

DrawnOnceFrame::DrawnOnceFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void DrawnOnceFrame::paintEvent(QPaintEvent*)
{
    if (drawing_.isNull()) {
        drawing_ = QPixmap(size() * devicePixelRatioF());
        drawing_.setDevicePixelRatio(devicePixelRatioF());
        drawing_.fill(Qt::transparent);
        QPainter painter(&drawing_);
        // As a painter on the frame itself would start.
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
    }
    QPainter(this).drawPixmap(0, 0, drawing_);
}

void DrawnOnceFrame::resizeEvent(QResizeEvent* event)
{
    drawing_ = QPixmap();
    QGroupBox::resizeEvent(event);
}

// Enabling, a new palette, font or style all change how it looks.
void DrawnOnceFrame::changeEvent(QEvent* event)
{
    drawing_ = QPixmap();
    QGroupBox::changeEvent(event);
}
