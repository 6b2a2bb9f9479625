#include "core/threaded_probe_service.h"
#include "platform/pause_clock.h"
#include "support/window_driver.h"

// One orientation measured with real echo requests to this machine.
class GuidedNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void loopbackOrientationIsAllGood();
};

void GuidedNetworkTest::loopbackOrientationIsAllGood()
{
    ThreadedProbeService probe;
    if (!probe.socketsStartup())
        QSKIP(qPrintable(probe.startupFailure()));
    platform::setPauseSpeedup(50);
    WindowDriver d(&probe);
    d.calcular("127.0.0.1");
    d.aceptar();
    QVERIFY(waitUntil(WindowDriver::runEnded, 30000));
    const QStringList lines = d.measurementLines();
    QCOMPARE(lines.size(), 15);
    for (const QString& line : lines)
        QVERIFY(line.startsWith("Ultimo valor para alineacion +Vertical "));
    QCOMPARE(d.measurementChart(), QStringList(5, QString(15, u'|')));
    QCOMPARE(d.total(0), " 15");
    d.completado();
    QVERIFY(d.prompt());
}

QTEST_MAIN(GuidedNetworkTest)
#include "guided_network_test.moc"
