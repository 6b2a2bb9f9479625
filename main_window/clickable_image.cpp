#include "main_window/clickable_image.h"

#include <QKeyEvent>
#include <QMouseEvent>

ClickableImage::ClickableImage(QWidget* parent, const QString& name, QRect place, const QPixmap& picture)
    : QLabel(parent)
{
    setObjectName(name);
    setGeometry(place);
    setPixmap(picture);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickableImage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
        emit clicked();
    else
        QLabel::keyPressEvent(event);
}
