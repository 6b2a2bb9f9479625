#include "window_map_watch.h"

#include "timing/clock.h"

#include <cstdlib>
#include <poll.h>
#include <xcb/xcb.h>

WindowMapWatch::WindowMapWatch(const QString& display)
    : connection_(xcb_connect(display.toLocal8Bit().constData(), nullptr))
{
    if (xcb_connection_has_error(connection_))
        return;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

WindowMapWatch::~WindowMapWatch()
{
    xcb_disconnect(connection_);
}

bool WindowMapWatch::isConnected() const
{
    return xcb_connection_has_error(connection_) == 0;
}

std::optional<double> WindowMapWatch::waitForMap(int timeoutMs)
{
    const double deadline = monotonicMs() + timeoutMs;
    pollfd watched{xcb_get_file_descriptor(connection_), POLLIN, 0};
    while (isConnected() && monotonicMs() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
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
