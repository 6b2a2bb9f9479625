// The dynamic alignment as its user works it: "INICIAR", the passes drawn on
// the chart, the indicator and the log, the speed slider and "DETENER".
#include "core/number_text.h"
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

namespace {

// 500 ms pauses take 5 ms.
constexpr int FastClock = 100;

const QString PassLine = QStringLiteral("Ultimo valor para alineacion");
const QString StartLine = QStringLiteral("Iniciando alineacion de antena");
const QString IcmpNoticeTitle = QStringLiteral("No se puede enviar ICMP");

constexpr quint32 Green = 0x0000FF00, Blue = 0x00C00000, DarkPurple = 0x00400040, Red = 0x000000FF;

bool buttonsShowRunning(const WindowDriver& d, bool running)
{
    return d.form.Command1->isEnabled() == !running && d.form.Command6->isEnabled() == !running
        && d.form.Command7->isEnabled() == running;
}

} // namespace

class DynamicAlignmentTest : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::setPauseSpeedup(FastClock); }
    void startLogsAndSwapsButtons();
    void refusesUnsetAddress();
    void gradesEachPass_data();
    void gradesEachPass();
    void firstPassInGapKeepsDesignedColour();
    void chartRestartsAfter14Columns();
    void sliderSetsPauseFromNextPass();
    void stopEndsRunWithOneReset_data();
    void stopEndsRunWithOneReset();
    void passWithoutEchoFacilityShowsNoConnectivity();
    void logKeepsNewest1000Lines();
    void newRunTakesOverStoppingRun();
    void guidedStartEndsStoppingRun();
};

void DynamicAlignmentTest::startLogsAndSwapsButtons()
{
    WindowDriver d;
    d.probe.hold(true);
    const int currentRow = d.form.List2->currentRow();
    d.iniciar();

    QCOMPARE(lines(d.form.List2).last(), StartLine);
    QCOMPARE(d.form.List2->currentRow(), currentRow);
    QVERIFY(buttonsShowRunning(d, true));
    QVERIFY(d.completePasses(1));
    QCOMPARE(d.form.List2->item(d.form.List2->count() - 2)->text(), StartLine);
    QCOMPARE(d.probe.addresses().first(), "127.0.0.1");
}

void DynamicAlignmentTest::refusesUnsetAddress()
{
    WindowDriver d;
    const QStringList startLog = lines(d.form.List2);
    d.iniciar("0.0.0.0");
    QTest::qWait(20);

    const QList<QMessageBox*> boxes = openMessageBoxes(QStringLiteral("Error"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first()->text(), "Debe especificar como minimo la IP del equipo Receptor");
    QCOMPARE(lines(d.form.List2), startLog);
    QVERIFY(buttonsShowRunning(d, false));
    QVERIFY(!d.dynamicRunning());
    QCOMPARE(d.probe.probeCount(), 0);
}

void DynamicAlignmentTest::gradesEachPass_data()
{
    QTest::addColumn<qint32>("previous");
    QTest::addColumn<qint32>("status");
    QTest::addColumn<qint32>("roundTrip");
    QTest::addColumn<QString>("column");
    QTest::addColumn<quint32>("colour");

    // The first pass sets a colour that the second must change, or keep.
    const auto graded = [](const char* name, qint32 status, qint32 roundTrip, const char* column, quint32 colour) {
        QTest::newRow(name) << (colour == Red ? 0 : 100) << status << roundTrip << QString::fromLatin1(column) << colour;
    };
    graded("0 ms", 0, 0, "|||||", Green);
    graded("7 ms", 0, 7, "|||||", Green);
    graded("11 ms", 0, 11, " ||||", Blue);
    graded("20 ms", 0, 20, " ||||", Blue);
    graded("25 ms", 0, 25, "  |||", DarkPurple);
    graded("40 ms", 0, 40, "  |||", DarkPurple);
    graded("45 ms", 0, 45, "   ||", Red);
    graded("70 ms", 0, 70, "   ||", Red);
    graded("76 ms", 0, 76, "    |", Red);
    graded("timed out", EchoStatus::TimedOut, 0, "    -", Red);
    graded("unreachable", EchoStatus::DestinationHostUnreachable, 3, "    -", Red);
    graded("failed", -1, 0, "    -", Red);
    for (qint32 gap : {8, 10, 21, 24, 41, 44, 71, 75, -1})
        QTest::addRow("gap %d ms", gap) << 12 << 0 << gap << QString() << Blue;
}

void DynamicAlignmentTest::gradesEachPass()
{
    QFETCH(qint32, previous);
    QFETCH(qint32, status);
    QFETCH(qint32, roundTrip);
    QFETCH(QString, column);
    QFETCH(quint32, colour);
    WindowDriver d;
    d.probe.hold(true);
    d.probe.script(EchoStatus::Success, previous);
    d.probe.script(status, roundTrip);
    d.iniciar();
    QVERIFY(d.completePasses(2));

    for (const QString& line : d.dynamicChart())
        QCOMPARE(line.size(), column.isEmpty() ? 1 : 2);
    if (!column.isEmpty())
        QCOMPARE(::column(d.dynamicChart(), 1), column);
    QCOMPARE(d.form.Shape1->backColor(), colour);
    QVERIFY(d.form.Shape1->isOpaque());
    // A failed probe leaves the record, and so the logged time, as it was.
    const qint32 logged = status == -1 ? previous : roundTrip;
    QCOMPARE(d.passLines(), QStringList({PassLine + NumberText(previous), PassLine + NumberText(logged)}));
    QCOMPARE(d.form.List2->currentRow(), d.form.List2->count() - 1);
}

void DynamicAlignmentTest::firstPassInGapKeepsDesignedColour()
{
    WindowDriver d;
    QVERIFY(!d.form.Shape1->isOpaque());
    d.probe.hold(true);
    d.probe.script(EchoStatus::Success, 9);
    d.iniciar();
    QVERIFY(d.completePasses(1));
    QCOMPARE(d.dynamicChart(), QStringList(5, QString()));
    QVERIFY(d.form.Shape1->isOpaque());
    QCOMPARE(d.form.Shape1->backColor(), DarkPurple);
}

void DynamicAlignmentTest::chartRestartsAfter14Columns()
{
    WindowDriver d;
    d.probe.hold(true);
    const int linesBefore = d.form.List2->count() + 1;
    d.iniciar();
    int passes = 0;
    for (const auto& [more, columns] : {std::pair{14, 14}, {1, 1}, {13, 14}, {1, 1}}) {
        QVERIFY(d.completePasses(more));
        passes += more;
        QCOMPARE(d.dynamicChart(), QStringList(5, QString(columns, u'|')));
        QCOMPARE(d.form.List2->count(), linesBefore + passes);
        QCOMPARE(d.form.List2->currentRow(), d.form.List2->count() - 1);
    }
}

void DynamicAlignmentTest::sliderSetsPauseFromNextPass()
{
    constexpr int Speedup = 20;
    constexpr int ShortPause = 500 / Speedup;
    constexpr int LongPause = 2500 / Speedup;
    platform::setPauseSpeedup(Speedup);
    QElapsedTimer clock;
    clock.start();
    QList<qint64> passTimes;
    WindowDriver d;
    connect(d.form.List2->model(), &QAbstractItemModel::rowsInserted, &d.form, [&] {
        if (lines(d.form.List2).last().startsWith(PassLine))
            passTimes.append(clock.elapsed());
    });
    d.iniciar();
    QTRY_VERIFY(passTimes.size() >= 4);

    QTest::keyClick(d.form.Slider1, Qt::Key_End);
    QCOMPARE(d.form.Slider1->value(), 2500);
    const qsizetype movedAt = passTimes.size();
    QTRY_VERIFY_WITH_TIMEOUT(passTimes.size() >= movedAt + 4, 5000);
    for (qsizetype pass = 1; pass < movedAt; ++pass) {
        const qint64 period = passTimes[pass] - passTimes[pass - 1];
        QVERIFY2(period >= ShortPause && period < LongPause, qPrintable(QString::number(period)));
    }
    // The pause running when the slider moved keeps its length.
    for (qsizetype pass = movedAt + 1; pass < passTimes.size(); ++pass) {
        const qint64 period = passTimes[pass] - passTimes[pass - 1];
        QVERIFY2(period >= LongPause, qPrintable(QString::number(period)));
    }
}

void DynamicAlignmentTest::stopEndsRunWithOneReset_data()
{
    QTest::addColumn<bool>("duringProbe");
    QTest::newRow("during a probe") << true;
    QTest::newRow("during a pause") << false;
}

void DynamicAlignmentTest::stopEndsRunWithOneReset()
{
    QFETCH(bool, duringProbe);
    platform::setPauseSpeedup(10);
    WindowDriver d;
    QSignalSpy resets(d.form.List2->model(), &QAbstractItemModel::modelReset);
    QTest::keyClick(d.form.Slider1, Qt::Key_End);
    d.probe.hold(duringProbe);
    d.iniciar();
    QVERIFY(waitUntil([&] { return duringProbe ? d.probe.probePending() : d.passLines().size() == 1; }));

    d.click("Command7");
    QVERIFY(buttonsShowRunning(d, false));
    QVERIFY(d.form.List2->count() > 0);
    QCOMPARE(resets.size(), 0);

    d.probe.release();
    QTRY_VERIFY(!d.dynamicRunning());
    QCOMPARE(resets.size(), 1);
    QCOMPARE(d.form.List2->count(), 0);
    QCOMPARE(d.form.Text1[0]->text(), "0");
    QVERIFY(!d.form.Shape1->isOpaque());

    QTest::qWait(300);
    QCOMPARE(d.probe.probeCount(), 1);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(d.form.List2->count(), 0);
    QVERIFY(d.form.Command6->isEnabled());
}

void DynamicAlignmentTest::passWithoutEchoFacilityShowsNoConnectivity()
{
    WindowDriver d;
    const QString reason = QStringLiteral("Sin permiso para ICMP");
    d.probe.setFailureText(reason);

    // A good probe first: the passes after it must not repeat it.
    QTest::keyClick(d.form.Slider1, Qt::Key_End);
    d.probe.hold(true);
    d.probe.script(EchoStatus::Success, 3);
    d.probe.script(EchoStatus::Success, 3);
    d.iniciar();
    QVERIFY(d.completePasses(1));
    d.probe.setStartupWorks(false);
    d.probe.release();
    QTRY_VERIFY(d.passLines().size() >= 5);

    QCOMPARE(d.probe.probeCount(), 2);
    const QStringList chart = d.dynamicChart();
    QCOMPARE(column(chart, 0), "|||||");
    QCOMPARE(column(chart, 1), "|||||");
    for (int index = 2; index < 5; ++index)
        QCOMPARE(column(chart, index), "    -");
    QCOMPARE(d.form.Shape1->backColor(), Red);
    QVERIFY(d.form.Shape1->isOpaque());
    QCOMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
    QCOMPARE(openMessageBoxes(IcmpNoticeTitle).first()->text(), reason);
    closeMessageBoxes();

    // A new run starts from nothing: no full column from the zeroed record,
    // and the user is told again.
    d.click("Command7");
    QTRY_VERIFY(!d.dynamicRunning());
    d.click("Command6");
    QTRY_VERIFY(d.passLines().size() >= 3);
    QCOMPARE(column(d.dynamicChart(), 0), "    -");
    QCOMPARE(column(d.dynamicChart(), 2), "    -");
    QCOMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
    QCOMPARE(d.probe.probeCount(), 2);
}

void DynamicAlignmentTest::logKeepsNewest1000Lines()
{
    constexpr int Passes = 1010;
    platform::setPauseSpeedup(500);
    WindowDriver d;
    for (qint32 roundTrip = 0; roundTrip < Passes; ++roundTrip)
        d.probe.script(EchoStatus::Success, roundTrip);
    d.iniciar();

    // Waiting in an event loop of its own keeps the passes at the loop's pace.
    QEventLoop waiting;
    int passes = 0;
    connect(d.form.List2->model(), &QAbstractItemModel::rowsInserted, &waiting, [&] {
        if (++passes == Passes) {
            d.probe.hold(true);
            waiting.quit();
        }
    });
    QTimer::singleShot(60'000, &waiting, &QEventLoop::quit);
    waiting.exec();
    QCOMPARE(passes, Passes);
    QCOMPARE(d.form.List2->count(), 1000);
    QCOMPARE(d.form.List2->currentRow(), 999);
    QCOMPARE(d.form.List2->item(999)->text(), PassLine + NumberText(Passes - 1));
    QCOMPARE(d.form.List2->item(0)->text(), PassLine + NumberText(Passes - 1000));
}

void DynamicAlignmentTest::newRunTakesOverStoppingRun()
{
    WindowDriver d;
    QSignalSpy resets(d.form.List2->model(), &QAbstractItemModel::modelReset);
    d.probe.hold(true);
    d.iniciar();
    QVERIFY(waitUntil([&] { return d.probe.probePending(); }));
    d.click("Command7");
    d.click("Command6");
    QTRY_COMPARE(d.probe.probeCount(), 2);

    QVERIFY(d.completePasses(3));
    QCOMPARE(d.passLines().size(), 3);
    QCOMPARE(d.probe.probeCount(), 5);
    QCOMPARE(resets.size(), 0);
    QCOMPARE(d.dynamicChart().front().size(), 3);
}

// "CALCULAR" right after "DETENER" would otherwise clear the stop request
// before the loop saw it, leaving the dynamic run probing beside the guided one.
void DynamicAlignmentTest::guidedStartEndsStoppingRun()
{
    WindowDriver d;
    d.probe.hold(true);
    d.iniciar();
    QVERIFY(waitUntil([&] { return d.probe.probePending(); }));
    d.click("Command7");
    showPage(d.form, 0);
    d.calcular();
    QVERIFY(!d.dynamicRunning());
    d.probe.release();
    QTest::qWait(30);
    QCOMPARE(d.probe.probeCount(), 1);
    QVERIFY(d.passLines().isEmpty());
}

QTEST_MAIN(DynamicAlignmentTest)
#include "dynamic_alignment_test.moc"
