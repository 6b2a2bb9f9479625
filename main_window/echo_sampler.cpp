#include "main_window/echo_sampler.h"

#include "core/probe_service.h"
#include "main_window/measuring_view.h"

namespace {

// As the probe itself reports an echo facility that cannot be opened.
constexpr qint32 NoEchoSocket = -1;

} // namespace

EchoSampler::EchoSampler(MeasuringView& view, QObject* procedure) : QObject(procedure), m_view(view)
{
}

void EchoSampler::startRun()
{
    m_status = 0;
    m_reply = {};
}

void EchoSampler::take(const QString& address, const std::function<void()>& beforeProbe, Done done)
{
    ProbeService& probe = m_view.probe();
    if (!probe.socketsStartup()) {
        m_status = NoEchoSocket;
        tellWhyNoEcho();
        grade(done);
        return;
    }
    if (beforeProbe)
        beforeProbe();
    probe.echoProbe(address, m_reply, this, [this, done = std::move(done)](qint32 status, const EchoReply& reply) {
        m_status = status;
        m_reply = reply;
        if (status == NoEchoSocket)
            tellWhyNoEcho();
        grade(done);
    });
}

// Also when the echo facility started but refused the probe all the same; an
// address that cannot be probed is no failure of the facility.
void EchoSampler::tellWhyNoEcho()
{
    const QString failure = m_view.probe().startupFailure();
    if (!failure.isEmpty())
        m_icmpNotice.tellOnce(m_view.mainWindow(), failure);
}

void EchoSampler::grade(const Done& done)
{
    AlignmentState& state = m_view.state();
    state.LastRoundTrip = m_reply.RoundTripTime;
    done(GradeRoundTrip(m_status, state.LastRoundTrip));
}
