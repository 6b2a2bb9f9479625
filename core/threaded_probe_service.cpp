#include "core/threaded_probe_service.h"

#include <QPointer>

using namespace Qt::StringLiterals;

ThreadedProbeService::ThreadedProbeService(QObject* parent) : ProbeService(parent), m_worker(u"probe"_s)
{
}

ThreadedProbeService::~ThreadedProbeService()
{
    m_wakeup.wake();
}

bool ThreadedProbeService::socketsStartup()
{
    return SocketsStartup();
}

QString ThreadedProbeService::startupFailure() const
{
    return SocketsStartupFailure();
}

void ThreadedProbeService::echoProbe(const QString& address, const EchoReply& reply, QObject* receiver, Done done)
{
    auto probe = [this, address, reply, receiver = QPointer(receiver), done = std::move(done)]() mutable {
        EchoReply record = reply;
        const qint32 status = EchoProbe(address, record, &m_wakeup, &m_helper);
        SocketsCleanup();
        // Queued to the service, which drops the call if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [status, record, receiver, done = std::move(done)] {
                if (receiver)
                    done(status, record);
            },
            Qt::QueuedConnection);
    };
    m_worker.post(std::move(probe));
}

void ThreadedProbeService::alignmentEnded()
{
    m_worker.post([this] { m_helper.end(); });
}
