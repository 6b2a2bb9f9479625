#pragma once

namespace platform {

// Cuts short the wait of any EchoProbe given this wakeup, so that the program
// can close at once. Once woken it stays woken: it serves only at shutdown.
class EchoWakeup {
public:
    EchoWakeup();
    ~EchoWakeup();
    EchoWakeup(const EchoWakeup&) = delete;
    EchoWakeup& operator=(const EchoWakeup&) = delete;

    void wake();
    // Readable once woken; -1 if the system gave no eventfd, and then waits
    // simply run to their end.
    int descriptor() const;

private:
    int m_descriptor;
};

} // namespace platform
