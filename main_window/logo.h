#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn from the SVG files built into it.
QPixmap logoPicture();
QIcon programIcon();
