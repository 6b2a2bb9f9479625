#pragma once

#include <QList>
#include <QObject>
#include <functional>

class Form1;

// Counts the passes of the dynamic loop by the lines they log, and notes on
// one clock when every `noteEvery`-th pass logged its line.
class PassLog {
public:
    // `noted`, when given, runs right after each noted pass.
    explicit PassLog(Form1& form, int noteEvery = 1, std::function<void()> noted = {});
    ~PassLog();
    PassLog(const PassLog&) = delete;
    PassLog& operator=(const PassLog&) = delete;

    int passes() const { return m_passes; }
    // monotonicMs() of passes noteEvery, 2 noteEvery...
    const QList<double>& times() const { return m_times; }

private:
    QMetaObject::Connection m_watching;
    QList<double> m_times;
    int m_passes = 0;
};
