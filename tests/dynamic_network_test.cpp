#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "main_window/shape.h"
#include "network/test_network.h"
#include "support/recording_tone_player.h"
#include "support/window_driver.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <numeric>

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
    QStringList texts;
    for (qint64 value : values)
        texts.append(QString::number(value));
    return texts.join(QLatin1String(", "));
}

// Runs the dynamic page of a window on real probes, as a user would, and
// notes when each pass logs its line.
class LiveRun {
public:
    explicit LiveRun(const QString& address) : form_(probe_, tones_)
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
    QObject& window() { return form_; }

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

    // The chart columns drawn so far, top cell first.
    QStringList columns() const
    {
        const QStringList lines{form_.Text12->text(), form_.Text8->text(), form_.Text7->text(), form_.Text13->text(),
                                form_.Text10[4]->text()};
        QStringList columns(lines.front().size());
        for (const QString& line : lines)
            for (qsizetype column = 0; column < qMin(line.size(), columns.size()); ++column)
                columns[column] += line[column];
        return columns;
    }

    quint32 indicatorColour() const { return form_.Shape1->property("BackColor").toUInt(); }
    int passes() const { return int(passTimes_.size()); }
    int logLines() const { return form_.List2->count(); }

    // From each pass's list line to the next one's, on one of the clocks.
    QList<qint64> periods(qint64 Instant::*clock = &Instant::wall) const
    {
        QList<qint64> periods;
        for (qsizetype pass = 1; pass < passTimes_.size(); ++pass)
            periods.append(passTimes_[pass].*clock - passTimes_[pass - 1].*clock);
        return periods;
    }

    // Each pass takes its probe and its pause, and the passes do not drift.
    void verifyPeriods(qint64 expected) const
    {
        const QList<qint64> wall = periods();
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
    OrienzoWindow form_;
    ThreadClock clock_;
    QList<Instant> passTimes_;
};

// Measures how long events wait on the UI thread: every 10 ms it posts an
// event to the window and a zero timer, and notes how late its own tick is.
class EventDelayMeter : public QObject {
public:
    explicit EventDelayMeter(QObject& window) : window_(window), lastTick_(clock_.now())
    {
        window_.installEventFilter(this);
        ticks_.setTimerType(Qt::PreciseTimer);
        connect(&ticks_, &QTimer::timeout, this, &EventDelayMeter::tick);
        ticks_.start(TickMs);
    }

    qint64 worstOwn() const { return worst_.own; }
    qint64 worstWall() const { return worst_.wall; }
    int samples() const { return samples_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &window_ || event->type() != MeasuredEvent)
            return false;
        note(static_cast<Posted*>(event)->postedAt, 0);
        return true;
    }

private:
    static constexpr int TickMs = 10;
    static constexpr QEvent::Type MeasuredEvent = QEvent::User;

    struct Posted : QEvent {
        explicit Posted(Instant at) : QEvent(MeasuredEvent), postedAt(at) {}
        Instant postedAt;
    };

    void tick()
    {
        const Instant now = clock_.now();
        note(lastTick_, TickMs);
        lastTick_ = now;
        QCoreApplication::postEvent(&window_, new Posted(now));
        QTimer::singleShot(0, this, [this, now] { note(now, 0); });
    }

    void note(Instant since, qint64 expected)
    {
        const Instant now = clock_.now();
        worst_.wall = qMax(worst_.wall, now.wall - since.wall - expected);
        worst_.own = qMax(worst_.own, now.own - since.own - expected);
        ++samples_;
    }

    QObject& window_;
    QTimer ticks_;
    ThreadClock clock_;
    Instant lastTick_;
    Instant worst_{0, 0};
    int samples_ = 0;
};

} // namespace

class DynamicNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void loopbackRunDrawsGoodColumnsAtLoopDelay();
    void silentAddressShowsNoConnectivityAndStaysResponsive();
};

void DynamicNetworkTest::loopbackRunDrawsGoodColumnsAtLoopDelay()
{
    LiveRun run(QStringLiteral("127.0.0.1"));
    if (!run.probe().socketsStartup())
        QSKIP(qPrintable(run.probe().startupFailure()));
    run.click("Command6");
    run.runFor(6 * LoopDelay + LoopDelay / 2);

    QVERIFY(run.passes() >= 6);
    for (const QString& column : run.columns())
        QCOMPARE(column, QStringLiteral("|||||"));
    QCOMPARE(run.indicatorColour(), 0x0000FF00u);
    qInfo("pass periods at LoopDelay %d ms on 127.0.0.1: %s ms", LoopDelay, qPrintable(millisecondsText(run.periods())));
    run.verifyPeriods(LoopDelay);

    run.click("Command7");
    QTRY_VERIFY_WITH_TIMEOUT(run.stopped(), 2 * LoopDelay);
    QCOMPARE(run.logLines(), 0);
}

void DynamicNetworkTest::silentAddressShowsNoConnectivityAndStaysResponsive()
{
    TestNetwork network;
    if (!network.isReady())
        QSKIP(qPrintable(network.failure()));
    NamespaceVisit visit(network.proberNamespace());
    QVERIFY(visit.isActive());

    LiveRun run(QString::fromLatin1(TestNetwork::ResponderAddress));
    if (!run.probe().socketsStartup())
        QSKIP(qPrintable(run.probe().startupFailure()));
    const quint64 requestsBefore = echoRequestsSentHere();
    run.click("Command6");
    EventDelayMeter meter(run.window());
    // Until the middle of the fourth probe's wait.
    run.runFor(4 * (ProbeTimeout + LoopDelay) - ProbeTimeout);

    QCOMPARE(run.passes(), 3);
    QCOMPARE(echoRequestsSentHere() - requestsBefore, quint64(4));
    for (const QString& column : run.columns())
        QCOMPARE(column, QStringLiteral("    -"));
    QCOMPARE(run.indicatorColour(), 0x000000FFu);
    qInfo("pass periods at LoopDelay %d ms on a silent address: %s ms; worst event delay %lld ms over %d events"
          " (%lld ms counting the time the machine kept the thread waiting)",
          LoopDelay, qPrintable(millisecondsText(run.periods())), meter.worstOwn(), meter.samples(),
          meter.worstWall());
    run.verifyPeriods(ProbeTimeout + LoopDelay);
    QVERIFY(meter.samples() > 500);
    QVERIFY2(meter.worstOwn() < MaxEventDelay, qPrintable(QString::number(meter.worstOwn())));

    // Stopped in the middle of a probe's wait: the buttons change at once,
    // the run ends after that pass.
    run.click("Command7");
    QVERIFY(run.button("Command6")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(run.stopped(), ProbeTimeout + 2 * LoopDelay);
    QCOMPARE(run.logLines(), 0);
}

QTEST_MAIN(DynamicNetworkTest)
#include "dynamic_network_test.moc"
