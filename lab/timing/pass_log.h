#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QWidget;

// Counts the passes of the dynamic loop by the lines they log in the main
// window, and notes when every `noteEvery`-th pass logged its line, and how
// long this thread had stood ready to run by then while other programs held
// every processor: the wall's time less that is what the program itself is
// answerable for, so that a busy machine does not make the window look slow.
class PassLog {
public:
    // `noted`, when given, runs right after each noted pass.
    explicit PassLog(QWidget& window, int noteEvery = 1, std::function<void()> noted = {});
    ~PassLog();
    PassLog(const PassLog&) = delete;
    PassLog& operator=(const PassLog&) = delete;

    int passes() const { return m_passes; }
    // monotonicMs() of passes noteEvery, 2 noteEvery...
    const QList<double>& times() const { return m_times; }
    // threadTimes().queuedMs of this thread at the same passes.
    const QList<double>& queuedAt() const { return m_queuedAt; }

private:
    QMetaObject::Connection m_watching;
    QList<double> m_times;
    QList<double> m_queuedAt;
    int m_passes = 0;
};
