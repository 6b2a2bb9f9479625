#include "platform/sound_output.h"

#include <pulse/error.h>
#include <pulse/simple.h>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Room in the server for most of a tone, so that a worker thread held up by
// a busy machine does not leave gaps in it.
constexpr pa_usec_t BufferedUsec = 100'000;
// Playing starts once this much is in, less than any tone, so a tone is
// heard as soon as it is written.
constexpr pa_usec_t StartUsec = 20'000;

QString reasonFor(int error)
{
    switch (error) {
    case PA_ERR_CONNECTIONREFUSED: return u"no hay ningún servidor de sonido en marcha"_s;
    case PA_ERR_INVALIDSERVER: return u"la dirección del servidor de sonido no es válida"_s;
    case PA_ERR_ACCESS:
    case PA_ERR_AUTHKEY: return u"el servidor de sonido no da permiso a este programa"_s;
    case PA_ERR_TIMEOUT: return u"el servidor de sonido no responde"_s;
    case PA_ERR_CONNECTIONTERMINATED:
    case PA_ERR_KILLED: return u"se cortó la conexión con el servidor de sonido"_s;
    case PA_ERR_NOENTITY: return u"no hay ningún dispositivo de salida"_s;
    case PA_ERR_PROTOCOL:
    case PA_ERR_VERSION: return u"el servidor de sonido no es compatible con este programa"_s;
    default: return u"el servidor de sonido no acepta la reproducción"_s;
    }
}

QString failureText(int error)
{
    return u"No hay salida de sonido: %1 (código %2)."_s.arg(reasonFor(error)).arg(error);
}

} // namespace

SoundOutput::~SoundOutput()
{
    close();
}

bool SoundOutput::open(int sampleRate)
{
    if (m_stream)
        return true;
    const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate), 1};
    const std::uint32_t serverDefault = static_cast<std::uint32_t>(-1);
    const auto bytesFor = [&format](pa_usec_t usec) {
        return static_cast<std::uint32_t>(pa_usec_to_bytes(usec, &format));
    };
    const pa_buffer_attr buffer{serverDefault, bytesFor(BufferedUsec), bytesFor(StartUsec), serverDefault,
                                serverDefault};
    int error = 0;
    m_stream = pa_simple_new(nullptr, "Orienzo wireless", PA_STREAM_PLAYBACK, nullptr, "Alineación por sonido", &format,
                             nullptr, &buffer, &error);
    m_failure = m_stream ? QString() : failureText(error);
    return m_stream != nullptr;
}

bool SoundOutput::isOpen() const
{
    return m_stream != nullptr;
}

bool SoundOutput::write(std::span<const std::int16_t> samples)
{
    int error = 0;
    if (m_stream && pa_simple_write(m_stream, samples.data(), samples.size_bytes(), &error) == 0)
        return true;
    m_failure = failureText(m_stream ? error : PA_ERR_BADSTATE);
    close();
    return false;
}

std::chrono::microseconds SoundOutput::unplayed() const
{
    int error = 0;
    const pa_usec_t latency = m_stream ? pa_simple_get_latency(m_stream, &error) : 0;
    return std::chrono::microseconds(error == 0 ? latency : 0);
}

void SoundOutput::close()
{
    if (m_stream)
        pa_simple_free(m_stream);
    m_stream = nullptr;
}

QString SoundOutput::failure() const
{
    return m_failure;
}

} // namespace platform
