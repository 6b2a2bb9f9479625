#include "main_window/logo.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace {

// Rendered at the screen's density so that it stays sharp when scaled.
QPixmap render(const QString& resource, QSize size)
{
    const qreal density = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture(size * density);
    picture.setDevicePixelRatio(density);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QSvgRenderer(resource).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

} // namespace

QPixmap logoPicture()
{
    return render(u":/orienzo/logo.svg"_s, QSize(216, 52));
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(render(u":/orienzo/orienzo.svg"_s, QSize(side, side)));
    return icon;
}
