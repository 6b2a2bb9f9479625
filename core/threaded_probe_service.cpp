#include "core/threaded_probe_service.h"

#include <QPointer>

ThreadedProbeService::ThreadedProbeService(QObject* parent)
    : ProbeService(parent)
{
    workerContext_.moveToThread(&worker_);
    worker_.start();
}

ThreadedProbeService::~ThreadedProbeService()
{
    wakeup_.wake();
    worker_.quit();
    worker_.wait();
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
        const qint32 status = EchoProbe(address, record, &wakeup_);
        SocketsCleanup();
        // Queued to the service, which drops the call if it is gone by then.
        QMetaObject::invokeMethod(this, [status, record, receiver, done = std::move(done)] {
            if (receiver)
                done(status, record);
        }, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&workerContext_, std::move(probe), Qt::QueuedConnection);
}
