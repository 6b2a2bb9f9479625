#include "guided/tool_window.h"

#include "main_window/controls.h"
#include "platform/window_title.h"

#include <QWidget>

void makeToolWindow(QWidget* window, int widthTwips, int heightTwips)
{
    window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(controls::twipsToPixels(widthTwips), controls::twipsToPixels(heightTwips));
    platform::showNoTitleText(window);
}
