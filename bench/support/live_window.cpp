#include "support/live_window.h"

#include "main_window/form1.h"
#include "support/clock.h"
#include "support/window_driver.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace bench {

namespace {

// Seldom, so that the check itself hardly wakes the thread being measured.
constexpr int CheckEveryMs = 100;

} // namespace

void typeDynamicAddress(Form1& form, const QString& address)
{
    showPage(form, 1);
    typeAddress(form, DynamicTargetBoxes, address);
}

void typeGuidedAddress(Form1& form, const QString& address)
{
    showPage(form, 0);
    typeAddress(form, GuidedTargetBoxes, address);
}

void click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

bool runEventsUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop events;
    QElapsedTimer waited;
    waited.start();
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &events, [&] {
        if (done() || waited.elapsed() >= timeoutMs)
            events.quit();
    });
    check.start(CheckEveryMs);
    if (!done())
        events.exec();
    return done();
}

void runEventsFor(int ms)
{
    QEventLoop events;
    QTimer::singleShot(ms, Qt::PreciseTimer, &events, &QEventLoop::quit);
    events.exec();
}

PassLog::PassLog(Form1& form, int noteEvery, std::function<void()> noted)
{
    QListWidget* list = form.List2;
    watching_ = QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, list,
                     [this, list, noteEvery, noted = std::move(noted)](const QModelIndex&, int row) {
                         if (!list->item(row)->text().startsWith(QLatin1String("Ultimo valor"))
                             || ++passes_ % noteEvery != 0)
                             return;
                         times_.append(monotonicMs());
                         if (noted)
                             noted();
                     });
}

PassLog::~PassLog()
{
    QObject::disconnect(watching_);
}

} // namespace bench
