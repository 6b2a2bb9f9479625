#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "main_window/shape.h"
#include "network/test_network.h"
#include "support/recording_tone_player.h"
#include "support/window_driver.h"

#include <QAbstractItemModel>
#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

constexpr int LoopDelay = 500;
constexpr int ProbeTimeout = 1000;
// What a pass may take on average beyond its probe and its pause.
constexpr qint64 PassOverhead = 10;
constexpr qint64 MaxEventDelay = 50;

// A moment in milliseconds on two clocks: the wall's, and the wall's less the
// time this thread stood ready to run while other programs held every
// processor. The second is what the program itself is answerable for, so a
// busy test machine does not make the window look slow.
struct Instant {
    qint64 wall;
    qint64 own;
};

class ThreadClock {
public:
    ThreadClock() : waitedAtStart_(waitedMs()) { wall_.start(); }

    Instant now() const
    {
        const qint64 wall = wall_.elapsed();
        return {wall, wall - (waitedMs() - waitedAtStart_)};
    }

private:
    static qint64 waitedMs()
    {
        QFile stat(QStringLiteral("/proc/thread-self/schedstat"));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        return stat.readAll().split(' ').value(1).toLongLong() / 1'000'000;
    }

    QElapsedTimer wall_;
    qint64 waitedAtStart_;
};

QString millisecondsText(const QList<qint64>& values)
{
    QString text;
    QDebug(&text).noquote() << values << "ms";
    return text;
}

// The five chart lines, top first, after `count` passes that each drew `column`.
QStringList chartOf(const QString& column, int count)
{
    QStringList lines;
    for (const QChar cell : column)
        lines.append(QString(count, cell));
    return lines;
}

// Runs the dynamic page of a window on real probes, as a user would, and
// notes when each pass logs its line.
class LiveRun {
public:
    explicit LiveRun(const QString& address) : form_(probe_, tones_, voice_)
    {
        form_.show();
        showPage(form_, 1);
        typeAddress(form_, DynamicTargetBoxes, address);
        QObject::connect(form_.List2->model(), &QAbstractItemModel::rowsInserted, &form_, [this] {
            if (form_.List2->item(form_.List2->count() - 1)->text().startsWith(QLatin1String("Ultimo valor")))
                passTimes_.append(clock_.now());
        });
    }

    ThreadedProbeService& probe() { return probe_; }
    // The first paint loads the fonts, which is no part of what is timed.
    bool waitUntilShown() { return QTest::qWaitForWindowExposed(&form_); }

    QPushButton* button(const char* name) const { return form_.findChild<QPushButton*>(QLatin1String(name)); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Lets the window's own events run, undisturbed, for `ms` milliseconds.
    void runFor(int ms)
    {
        QEventLoop running;
        QTimer::singleShot(ms, &running, &QEventLoop::quit);
        running.exec();
    }

    bool stopped() const { return !form_.findChild<QObject*>(QStringLiteral("RunDynamicAlignment")); }
    QStringList chart() const
    {
        return {form_.Text12->text(), form_.Text8->text(), form_.Text7->text(), form_.Text13->text(),
                form_.Text10[4]->text()};
    }
    quint32 indicatorColour() const { return form_.Shape1->property("BackColor").toUInt(); }
    int passes() const { return int(passTimes_.size()); }
    int logLines() const { return form_.List2->count(); }

    // From each pass's list line to the next one's, on one of the clocks.
    QList<qint64> periods(qint64 Instant::*clock) const
    {
        QList<qint64> periods;
        for (qsizetype pass = 1; pass < passTimes_.size(); ++pass)
            periods.append(passTimes_[pass].*clock - passTimes_[pass - 1].*clock);
        return periods;
    }

    // Each pass takes its probe and its pause, and the passes do not drift.
    void verifyPeriods(qint64 expected) const
    {
        const QList<qint64> wall = periods(&Instant::wall);
        QVERIFY(!wall.isEmpty());
        for (qint64 period : wall)
            QVERIFY2(period >= expected, qPrintable(millisecondsText(wall)));
        const QList<qint64> own = periods(&Instant::own);
        const qint64 total = std::accumulate(own.begin(), own.end(), qint64(0));
        QVERIFY2(total <= own.size() * (expected + PassOverhead), qPrintable(millisecondsText(own)));
    }

private:
    ThreadedProbeService probe_;
    RecordingTonePlayer tones_;
    RecordingSpeaker voice_;
    OrienzoWindow form_;
    ThreadClock clock_;
    QList<Instant> passTimes_;
};

// Notes how late the UI thread handles the ticks of a 10 ms timer.
class EventDelayMeter {
public:
    EventDelayMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start(TickMs);
    }

    qint64 worst() const { return worst_; }
    int ticks() const { return ticks_; }

private:
    static constexpr int TickMs = 10;

    void tick()
    {
        const qint64 now = clock_.now().own;
        worst_ = qMax(worst_, now - lastTick_ - TickMs);
        lastTick_ = now;
        ++ticks_;
    }

    ThreadClock clock_;
    QTimer timer_;
    qint64 lastTick_ = 0;
    qint64 worst_ = 0;
    int ticks_ = 0;
};

} // namespace

class DynamicNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void passesKeepTheirPeriodAndTheWindowAnswers_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("passes");  // logged by then
        QTest::addColumn<QString>("column");
        QTest::addColumn<quint32>("indicatorColour");
        QTest::newRow("loopback") << u"127.0.0.1"_s << LoopDelay << 4 << u"|||||"_s << 0x0000FF00u;
        QTest::newRow("silent address") << QString::fromLatin1(TestNetwork::ResponderAddress)
                                        << ProbeTimeout + LoopDelay << 3 << u"    -"_s << 0x000000FFu;
    }

    // Runs three pass periods and half a pause more: into the fourth probe's
    // wait where nothing answers, into the fourth pause where loopback answers
    // at once. Stopped there, the buttons change at once and the run ends
    // after that pass.
    void passesKeepTheirPeriodAndTheWindowAnswers()
    {
        QFETCH(QString, address);
        QFETCH(int, period);
        QFETCH(int, passes);
        QFETCH(QString, column);
        TestNetwork network;
        if (!network.isReady())
            QSKIP(qPrintable(network.failure()));
        NamespaceVisit visit(network.proberNamespace());
        QVERIFY(visit.isActive());
        LiveRun run(address);
        if (!run.probe().socketsStartup())
            QSKIP(qPrintable(run.probe().startupFailure()));
        QVERIFY(run.waitUntilShown());
        const quint64 requestsBefore = echoRequestsSentHere();
        run.click("Command6");
        EventDelayMeter meter;
        run.runFor(3 * period + LoopDelay / 2);

        QCOMPARE(run.passes(), passes);
        QCOMPARE(echoRequestsSentHere() - requestsBefore, quint64(4));
        QCOMPARE(run.chart(), chartOf(column, passes));
        QTEST(run.indicatorColour(), "indicatorColour");
        run.verifyPeriods(period);
        QVERIFY(meter.ticks() > 100);
        QVERIFY2(meter.worst() < MaxEventDelay, qPrintable(QString::number(meter.worst())));

        run.click("Command7");
        QVERIFY(run.button("Command6")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(run.stopped(), period + LoopDelay);
        QCOMPARE(run.logLines(), 0);
    }
};

QTEST_MAIN(DynamicNetworkTest)
#include "dynamic_network_test.moc"
