#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "network/test_network.h"
#include "support/pass_log.h"
#include "support/recording_tone_player.h"
#include "support/window_driver.h"
#include "timing/event_wait_meter.h"
#include "timing/thread_times.h"

#include <QDebug>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <numeric>

namespace {

constexpr int LoopDelay = 500;
constexpr int ProbeTimeout = 1000;
// What a pass may take on average beyond its probe and its pause.
constexpr qint64 PassOverhead = 10;
constexpr qint64 MaxEventDelay = 50;

QString millisecondsText(const QList<double>& values)
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

QList<double> gaps(const QList<double>& times)
{
    QList<double> gaps;
    for (qsizetype i = 1; i < times.size(); ++i)
        gaps.append(times[i] - times[i - 1]);
    return gaps;
}

// Runs the dynamic page of a window on real probes, as a user would, and
// notes when each pass logs its line on two clocks: the wall's, and the
// wall's less the time this thread stood ready to run while other programs
// held every processor. The second is what the program itself is answerable
// for, so a busy test machine does not make the window look slow.
class LiveRun {
public:
    explicit LiveRun(const QString& address)
        : m_form(m_probe, m_tones, m_voice),
          m_passes(m_form, 1, [this] { m_queuedAtPass.append(threadTimes(currentThread()).queuedMs); })
    {
        m_form.show();
        typeDynamicAddress(m_form, address);
    }

    Form1& form() { return m_form; }
    ThreadedProbeService& probe() { return m_probe; }
    // The first paint loads the fonts, which is no part of what is timed.
    bool waitUntilShown() { return QTest::qWaitForWindowExposed(&m_form); }

    QPushButton* button(const char* name) const { return m_form.findChild<QPushButton*>(QLatin1StringView(name)); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    bool stopped() const { return !m_form.findChild<QObject*>(u"RunDynamicAlignment"_s); }
    QStringList chart() const { return texts(&m_form, {"Text12", "Text8", "Text7", "Text13", "Text10(4)"}); }
    quint32 indicatorColour() const { return controlOf(&m_form, u"Shape1"_s)->property("BackColor").toUInt(); }
    int passes() const { return m_passes.passes(); }
    int logLines() const { return controlOf<QListWidget>(&m_form, u"List2"_s)->count(); }

    // Each pass takes its probe and its pause, and the passes do not drift.
    void verifyPeriods(int expected) const
    {
        const QList<double> wall = gaps(m_passes.times());
        QVERIFY(!wall.isEmpty());
        for (double period : wall)
            QVERIFY2(period >= expected, qPrintable(millisecondsText(wall)));
        const QList<double> own = gaps(ownTimes());
        const double total = std::accumulate(own.begin(), own.end(), 0.0);
        QVERIFY2(total <= double(own.size() * (expected + PassOverhead)), qPrintable(millisecondsText(own)));
    }

private:
    QList<double> ownTimes() const
    {
        QList<double> own;
        for (qsizetype pass = 0; pass < m_passes.times().size(); ++pass)
            own.append(m_passes.times()[pass] - m_queuedAtPass[pass]);
        return own;
    }

    ThreadedProbeService m_probe;
    RecordingTonePlayer m_tones;
    RecordingSpeaker m_voice;
    OrienzoWindow m_form;
    QList<double> m_queuedAtPass; // how long this thread had stood ready to run, at each pass's line
    PassLog m_passes;
};

} // namespace

class DynamicNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void passesKeepTheirPeriodAndTheWindowAnswers_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("passes"); // logged by then
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
        EventWaitMeter meter(run.form());
        runEventsFor(3 * period + LoopDelay / 2);

        QCOMPARE(run.passes(), passes);
        QCOMPARE(echoRequestsSentHere() - requestsBefore, quint64(4));
        QCOMPARE(run.chart(), chartOf(column, passes));
        QTEST(run.indicatorColour(), "indicatorColour");
        run.verifyPeriods(period);
        QVERIFY(meter.waits().size() > 100);
        QVERIFY2(meter.worstOwn().ownMs() < MaxEventDelay, qPrintable(QString::number(meter.worstOwn().ownMs())));

        run.click("Command7");
        QVERIFY(run.button("Command6")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(run.stopped(), period + LoopDelay);
        QCOMPARE(run.logLines(), 0);
    }
};

QTEST_MAIN(DynamicNetworkTest)
#include "dynamic_network_test.moc"
