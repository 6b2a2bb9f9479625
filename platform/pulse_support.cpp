#include "platform/pulse_support.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <sys/time.h>

namespace platform {

PulseLock::PulseLock(pa_threaded_mainloop* loop) : m_loop(loop)
{
    pa_threaded_mainloop_lock(m_loop);
}

PulseLock::~PulseLock()
{
    pa_threaded_mainloop_unlock(m_loop);
}

void closePulse(pa_threaded_mainloop*& loop, pa_context*& context, pa_stream*& stream)
{
    pa_threaded_mainloop_stop(loop);
    if (stream) {
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_threaded_mainloop_free(loop);
    stream = nullptr;
    context = nullptr;
    loop = nullptr;
}

std::chrono::steady_clock::time_point steadyAt(const timeval& moment)
{
    const std::chrono::system_clock::time_point wall{std::chrono::seconds(moment.tv_sec)
                                                     + std::chrono::microseconds(moment.tv_usec)};
    return std::chrono::steady_clock::now()
           - std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::system_clock::now() - wall);
}

} // namespace platform
