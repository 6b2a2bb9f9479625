#pragma once

#include <QString>
#include <optional>

struct xcb_connection_t;

// Watches an X server for the first top-level window that a client maps.
class WindowMapWatch {
public:
    explicit WindowMapWatch(const QString& display);
    ~WindowMapWatch();
    WindowMapWatch(const WindowMapWatch&) = delete;
    WindowMapWatch& operator=(const WindowMapWatch&) = delete;

    bool isConnected() const;
    // monotonicMs() when a window (not a menu or tooltip) was next mapped.
    std::optional<double> waitForMap(int timeoutMs);

private:
    xcb_connection_t* m_connection = nullptr;
};
