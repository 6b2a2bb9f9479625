#include "timing/thread_times.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <unistd.h>

using namespace Qt::StringLiterals;

ThreadTimes threadTimes(pid_t thread)
{
    QFile stat(u"/proc/self/task/%1/schedstat"_s.arg(thread));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> fields = stat.readAll().split(' ');
    return {fields.value(0).toDouble() / 1e6, fields.value(1).toDouble() / 1e6};
}

double queuedMsOfAllThreads()
{
    double queued = 0;
    for (const QString& thread : QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        queued += threadTimes(pid_t(thread.toInt())).queuedMs;
    return queued;
}

pid_t currentThread()
{
    return ::gettid();
}
