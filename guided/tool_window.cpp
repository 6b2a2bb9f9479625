#include "guided/tool_window.h"

#include "main_window/controls.h"
#include "platform/window_title.h"

#include <QEvent>
#include <QWidget>

namespace {

// A tool window comes to the front as the active window each time it is
// shown, so that the keyboard goes with it: whoever holds the antenna walks
// the guided alignment with one key, without looking for the window.
class ActivateWhenShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            auto* window = static_cast<QWidget*>(watched);
            window->raise();
            window->activateWindow();
        }
        return false;
    }
};

} // namespace

void makeToolWindow(QWidget* window, int widthTwips, int heightTwips)
{
    window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(controls::twipsToPixels(widthTwips), controls::twipsToPixels(heightTwips));
    platform::showNoTitleText(window);
    window->installEventFilter(new ActivateWhenShown(window));
}
