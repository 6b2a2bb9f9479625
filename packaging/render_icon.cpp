// Draws the program's SVG icon as square PNG files for the icon theme.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    QSvgRenderer svg{QString::fromLocal8Bit(argv[1])};
    for (int i = 2; i < argc; i += 2) {
        const int side = QByteArray(argv[i]).toInt();
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        if (!image.save(QString::fromLocal8Bit(argv[i + 1])))
            return 1;
    }
    return 0;
}
