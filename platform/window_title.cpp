#include "platform/window_title.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void emptyNameProperties(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_atom_t utf8 = atomNamed(connection, "UTF8_STRING");
    const xcb_atom_t netName = atomNamed(connection, "_NET_WM_NAME");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netName, utf8, 8, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}

// Qt names the native window as it makes it, before the window is shown.
class TitleEraser : public QObject {
public:
    TitleEraser(QWidget* window, xcb_connection_t* connection) : QObject(window), m_connection(connection) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            emptyNameProperties(m_connection, static_cast<xcb_window_t>(static_cast<QWidget*>(watched)->winId()));
        return false;
    }

private:
    xcb_connection_t* m_connection;
};

} // namespace

void showNoTitleText(QWidget* window)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection())
        window->installEventFilter(new TitleEraser(window, x11->connection()));
    else
        // A blank is written as it is, and shows nothing.
        window->setWindowTitle(u" "_s);
}

} // namespace platform
