#include "window_map_watch.h"

#include "timing/clock.h"

#include <cstdlib>
#include <poll.h>
#include <xcb/xcb.h>

WindowMapWatch::WindowMapWatch(const QString& display)
    : m_connection(xcb_connect(display.toLocal8Bit().constData(), nullptr))
{
    if (xcb_connection_has_error(m_connection))
        return;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

WindowMapWatch::~WindowMapWatch()
{
    xcb_disconnect(m_connection);
}

bool WindowMapWatch::isConnected() const
{
    return xcb_connection_has_error(m_connection) == 0;
}

std::optional<double> WindowMapWatch::waitForMap(int timeoutMs)
{
    const double deadline = monotonicMs() + timeoutMs;
    pollfd watched{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    while (isConnected() && monotonicMs() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            const double at = monotonicMs();
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY
                                && !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped)
                return at;
        }
        ::poll(&watched, 1, int(deadline - monotonicMs()) + 1);
    }
    return std::nullopt;
}
