#pragma once

#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>

// How the program runs work off the UI thread, for the probe, the tones and
// the voice alike: a worker object made here and moved to a thread of its
// own, which starts at once. Work is queued to the worker and runs there in
// the order it was handed over; what the worker has to tell comes back
// through its signals. Ending quits the thread, and the worker is deleted on
// that thread as it finishes, so that whatever it holds (a sound stream, a
// voice, its timers) is let go where it was used.
template <typename Worker>
class WorkerThread {
public:
    // The name is the thread's, as the system lists it.
    explicit WorkerThread(const QString& name) : m_worker(new Worker)
    {
        m_thread.setObjectName(name);
        m_worker->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread.start();
    }
    // Ends, waiting for the work in hand however long it takes.
    ~WorkerThread() { end(QDeadlineTimer::Forever); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // To connect to its signals; only the work handed to it touches it.
    Worker* worker() const { return m_worker; }
    // Runs `work` on the worker's thread; nothing once the worker has ended.
    template <typename Work>
    void post(Work&& work) const
    {
        if (m_worker)
            QMetaObject::invokeMethod(m_worker, std::forward<Work>(work), Qt::QueuedConnection);
    }
    // The work in hand is finished and the work still queued dropped. True
    // once the worker is gone, false if the deadline came first.
    bool end(QDeadlineTimer deadline)
    {
        m_thread.quit();
        return m_thread.wait(deadline);
    }

private:
    QThread m_thread;
    QPointer<Worker> m_worker; // lives on m_thread, which deletes it as it finishes
};
