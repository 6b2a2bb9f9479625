#include "core/threaded_probe_service.h"

#include <QPointer>

ThreadedProbeService::ThreadedProbeService(QObject* parent) : ProbeService(parent)
{
    m_workerContext.moveToThread(&m_worker);
    m_worker.start();
}

ThreadedProbeService::~ThreadedProbeService()
{
    m_wakeup.wake();
    m_worker.quit();
    m_worker.wait();
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
    QMetaObject::invokeMethod(&m_workerContext, std::move(probe), Qt::QueuedConnection);
}

void ThreadedProbeService::alignmentEnded()
{
    QMetaObject::invokeMethod(
        &m_workerContext, [this] { m_helper.end(); }, Qt::QueuedConnection);
}
