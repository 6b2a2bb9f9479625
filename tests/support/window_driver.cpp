#include "support/window_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

QList<QMessageBox*> openMessageBoxes(const QString& title)
{
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible() && box->windowTitle() == title)
            boxes.append(box);
    return boxes;
}

void paste(QLineEdit* box, const QString& text)
{
    QApplication::clipboard()->setText(text);
    box->selectAll();
    QTest::keySequence(box, QKeySequence::Paste);
}

void typeText(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c == u'\t')
            QTest::keyClick(box, Qt::Key_Tab);
        else if (c == u'\n' || c == u'\r')
            QTest::keyClick(box, Qt::Key_Return);
        else if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            QTest::keyClicks(box, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QStringList lines(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QStringList texts(const QWidget* window, std::initializer_list<const char*> names)
{
    QStringList texts;
    for (const char* name : names)
        texts << controlOf<QLineEdit>(window, QLatin1StringView(name))->text();
    return texts;
}

QString column(const QStringList& chart, int index)
{
    QString cells;
    for (const QString& line : chart)
        cells += line.mid(index, 1);
    return cells;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QTimer wakeUp;
    wakeUp.start(1);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.hasExpired(timeoutMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void closeThroughFrame(QWidget* window)
{
    QCloseEvent event;
    QApplication::sendEvent(window->windowHandle(), &event);
}

QStringList WindowDriver::enabledButtons() const
{
    QStringList captions;
    for (const char* name : {"Command1", "Command2", "Command6", "Command7"})
        if (const auto* button = control<QPushButton>(QLatin1StringView(name)); button->isEnabled())
            captions << button->text();
    return captions;
}

void WindowDriver::calcular(const QString& address)
{
    typeAddress(form, GuidedTargetBoxes, address);
    click(u"Command1"_s);
}

bool WindowDriver::measure(const QList<ScriptedProbeService::Outcome>& outcomes)
{
    for (const auto& outcome : outcomes)
        probe.script(outcome.status, outcome.roundTripTime);
    aceptar();
    return waitUntil(runEnded);
}

void WindowDriver::iniciar(const QString& address)
{
    typeDynamicAddress(form, address);
    click(u"Command6"_s);
}

bool WindowDriver::answerProbe(const std::function<bool()>& recorded)
{
    if (!waitUntil([this] { return probe.probePending(); }))
        return false;
    probe.release();
    return waitUntil(recorded);
}

bool WindowDriver::completePasses(int passes)
{
    for (int pass = 0; pass < passes; ++pass) {
        const auto* log = control<QListWidget>(u"List2"_s);
        const int logged = log->count();
        if (!answerProbe([&] { return log->count() != logged; }))
            return false;
    }
    return waitUntil([this] { return probe.probePending(); });
}
