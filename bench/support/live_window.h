#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class Form1;
class QPushButton;

namespace bench {

// Shows a page and types an address into its "IP Receptor" boxes, as a user would.
void typeDynamicAddress(Form1& form, const QString& address);
void typeGuidedAddress(Form1& form, const QString& address);

void click(QPushButton* button);

// Lets the program's events run until `done` holds or `timeoutMs` passes;
// gives whether `done` held.
bool runEventsUntil(const std::function<bool()>& done, int timeoutMs);
void runEventsFor(int ms);

// Counts the passes of the dynamic loop by the lines they log, and notes on
// one clock when every `noteEvery`-th pass logged its line.
class PassLog {
public:
    // `noted`, when given, runs right after each noted pass.
    explicit PassLog(Form1& form, int noteEvery = 1, std::function<void()> noted = {});
    ~PassLog();
    PassLog(const PassLog&) = delete;
    PassLog& operator=(const PassLog&) = delete;

    int passes() const { return passes_; }
    // monotonicMs() of passes noteEvery, 2 noteEvery...
    const QList<double>& times() const { return times_; }

private:
    QMetaObject::Connection watching_;
    QList<double> times_;
    int passes_ = 0;
};

} // namespace bench
