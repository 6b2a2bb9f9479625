#include "desktop/window_actions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

void typeAddress(QWidget& form, const QList<int>& boxes, const QString& address)
{
    const QStringList octets = address.split(u'.');
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        auto* box = controlOf<QLineEdit>(&form, u"Text1(%1)"_s.arg(boxes[i]));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, octets.value(i));
    }
}

void showPage(QWidget& form, int page)
{
    QTabBar* tabs = controlOf<QTabWidget>(&form, u"TabStrip1"_s)->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
}

void typeGuidedAddress(QWidget& form, const QString& address)
{
    showPage(form, 0);
    typeAddress(form, GuidedTargetBoxes, address);
}

void typeDynamicAddress(QWidget& form, const QString& address)
{
    showPage(form, 1);
    typeAddress(form, DynamicTargetBoxes, address);
}

QWidget* openWindow(const QString& name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    return nullptr;
}

QPushButton* buttonOf(const QString& window, const QString& button)
{
    QWidget* open = openWindow(window);
    return open ? open->findChild<QPushButton*>(button) : nullptr;
}

bool runEventsUntil(const std::function<bool()>& done, int timeoutMs)
{
    constexpr int LookEveryMs = 100;
    QEventLoop events;
    QElapsedTimer waited;
    waited.start();
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &events, [&] {
        if (done() || waited.elapsed() >= timeoutMs)
            events.quit();
    });
    look.start(LookEveryMs);
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
