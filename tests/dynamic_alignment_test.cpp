// The dynamic alignment as its user works it: the passes drawn on the chart,
// the indicator and the log, the speed slider and "DETENER"; and how both
// measuring windows draw a graded probe.
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

const QString PassLine = u"Ultimo valor para alineacion"_s;
const QString IcmpNoticeTitle = u"No se puede enviar ICMP"_s;
constexpr quint32 Green = 0x0000FF00, Blue = 0x00C00000, DarkPurple = 0x00400040, Red = 0x000000FF;

} // namespace

class DynamicAlignmentTest : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::setPauseSpeedup(100); } // 500 ms pauses take 5 ms

    void bothWindowsDrawEachGrade_data()
    {
        QTest::addColumn<qint32>("previous");
        QTest::addColumn<int>("previousGrade");
        QTest::addColumn<qint32>("status");
        QTest::addColumn<qint32>("time");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("grade");      // stored by the guided pattern
        QTest::addColumn<quint32>("colour"); // of the dynamic indicator
        // The first probe leaves a grade and a colour that the second must
        // change, or keep when it falls in a gap.
        const auto row = [](const QString& name, qint32 status, qint32 time, const char* cells, int grade,
                            quint32 colour) {
            const auto [before, gradeBefore] = !*cells         ? std::pair{12, 2}
                                               : colour == Red ? std::pair{7, 1}
                                                               : std::pair{100, 5};
            QTest::newRow(qPrintable(name))
                << before << gradeBefore << status << time << QString(cells) << grade << colour;
        };
        for (const auto& [time, column, grade, colour] : {std::tuple{0, "|||||", 1, Green},
                                                          {7, "|||||", 1, Green},
                                                          {11, " ||||", 2, Blue},
                                                          {20, " ||||", 2, Blue},
                                                          {25, "  |||", 3, DarkPurple},
                                                          {40, "  |||", 3, DarkPurple},
                                                          {45, "   ||", 4, Red},
                                                          {70, "   ||", 4, Red},
                                                          {76, "    |", 5, Red},
                                                          {999, "    |", 5, Red}})
            row(u"%1 ms"_s.arg(time), 0, time, column, grade, colour);
        for (int gap : {8, 9, 10, 21, 24, 41, 44, 71, 75, -3})
            row(u"gap %1 ms"_s.arg(gap), 0, gap, "", 2, Blue);
        row("timed out", EchoStatus::TimedOut, 1000, "    -", 6, Red);
        row("unreachable", EchoStatus::DestinationHostUnreachable, 3, "    -", 6, Red);
        // Nothing sent: the record, and so the logged time, stays as it was.
        row("refused address", -1, 0, "    -", 6, Red);
    }

    // The second probe of a guided pattern and of a dynamic run.
    void bothWindowsDrawEachGrade()
    {
        QFETCH(qint32, previous);
        QFETCH(int, previousGrade);
        QFETCH(qint32, status);
        QFETCH(qint32, time);
        QFETCH(QString, column);
        QFETCH(int, grade);
        const QString logged = NumberText(status == -1 ? previous : time);
        WindowDriver guided;
        guided.calcular();
        QVERIFY(guided.measure({{0, previous}, {status, time}}));
        for (const QString& line : guided.measurementChart())
            QCOMPARE(line.size(), column.isEmpty() ? 14 : 15);
        if (!column.isEmpty())
            QCOMPARE(::column(guided.measurementChart(), 1), column);
        QCOMPARE(guided.measurementLines()[1], "Ultimo valor para alineacion +Vertical" + logged);
        QCOMPARE(guided.total(0), QString(" %1").arg(previousGrade + grade + 13)); // the rest of grade 1

        WindowDriver dynamic;
        dynamic.probe.hold(true);
        dynamic.probe.script(EchoStatus::Success, previous);
        dynamic.probe.script(status, time);
        dynamic.iniciar();
        QVERIFY(dynamic.completePasses(2));
        for (const QString& line : dynamic.dynamicChart())
            QCOMPARE(line.size(), column.isEmpty() ? 1 : 2);
        if (!column.isEmpty())
            QCOMPARE(::column(dynamic.dynamicChart(), 1), column);
        QTEST(dynamic.form.Shape1->backColor(), "colour");
        QVERIFY(dynamic.form.Shape1->isOpaque());
        QCOMPARE(dynamic.passLines(), QStringList({PassLine + NumberText(previous), PassLine + logged}));
        QCOMPARE(dynamic.form.List2->currentRow(), dynamic.form.List2->count() - 1);
    }

    // The chart restarts at the 15th pass, whether or not each pass drew a
    // column: this run's first falls in a gap and shows the designed colour.
    void chartRestartsAfter14Passes()
    {
        WindowDriver d;
        QVERIFY(!d.form.Shape1->isOpaque());
        d.probe.hold(true);
        d.probe.script(EchoStatus::Success, 9);
        const int linesBefore = d.form.List2->count() + 1;
        d.iniciar();
        QVERIFY(d.completePasses(1));
        QCOMPARE(d.dynamicChart(), QStringList(5, QString()));
        QVERIFY(d.form.Shape1->isOpaque());
        QCOMPARE(d.form.Shape1->backColor(), DarkPurple);
        int passes = 1;
        for (const auto& [more, columns] : {std::pair{13, 13}, {1, 1}, {13, 14}, {1, 1}}) {
            QVERIFY(d.completePasses(more));
            passes += more;
            QCOMPARE(d.dynamicChart(), QStringList(5, QString(columns, u'|')));
            QCOMPARE(d.form.List2->count(), linesBefore + passes);
            QCOMPARE(d.form.List2->currentRow(), d.form.List2->count() - 1);
        }
    }

    void sliderSetsPauseFromNextPass()
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
        for (qsizetype pass = 1; pass < passTimes.size(); ++pass) {
            const qint64 period = passTimes[pass] - passTimes[pass - 1];
            // The pause running when the slider moved keeps its length.
            if (pass <= movedAt)
                QVERIFY2(period >= ShortPause && period < LongPause, qPrintable(QString::number(period)));
            else
                QVERIFY2(period >= LongPause, qPrintable(QString::number(period)));
        }
    }

    void passWithoutEchoFacilityShowsNoConnectivity_data()
    {
        QTest::addColumn<bool>("refusedAtProbe");
        QTest::newRow("none at start-up") << false;
        QTest::newRow("probe refused") << true;
    }

    void passWithoutEchoFacilityShowsNoConnectivity()
    {
        QFETCH(bool, refusedAtProbe);
        WindowDriver d;
        const QString reason = u"Sin permiso para ICMP"_s;
        // A good probe first: the passes after it must not repeat it.
        QTest::keyClick(d.form.Slider1, Qt::Key_End);
        d.probe.hold(true);
        d.probe.script(EchoStatus::Success, 3);
        d.probe.script(EchoStatus::Success, 3);
        d.iniciar();
        QVERIFY(d.completePasses(1));
        refusedAtProbe ? d.probe.refuseProbes(reason) : d.probe.setStartupFailure(reason);
        d.probe.hold(false);
        d.probe.release();
        QTRY_VERIFY(d.passLines().size() >= 5);

        QCOMPARE(d.probe.probeCount() > 2, refusedAtProbe);
        const QStringList chart = d.dynamicChart();
        for (int index = 0; index < 5; ++index)
            QCOMPARE(column(chart, index), index < 2 ? "|||||" : "    -");
        QCOMPARE(d.form.Shape1->backColor(), Red);
        QVERIFY(d.form.Shape1->isOpaque());
        QCOMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
        QCOMPARE(openMessageBoxes(IcmpNoticeTitle).first()->text(), reason);
        openMessageBoxes(IcmpNoticeTitle).first()->close();

        // A new run starts from nothing: no full column from the zeroed
        // record, and the user is told again.
        d.click("Command7");
        QTRY_VERIFY(!d.dynamicRunning());
        d.click("Command6");
        QTRY_VERIFY(d.passLines().size() >= 3);
        QCOMPARE(column(d.dynamicChart(), 0), "    -");
        QCOMPARE(column(d.dynamicChart(), 2), "    -");
        QCOMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
        QCOMPARE(d.probe.probeCount() > 2, refusedAtProbe);
    }

    void logKeepsNewest1000Lines()
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

    void afterDetener_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("duringProbe");
        QTest::newRow("nothing, during a probe") << "" << true;
        QTest::newRow("nothing, during a pause") << "" << false;
        QTest::newRow("INICIAR") << "INICIAR" << true;
        QTest::newRow("CALCULAR") << "CALCULAR" << true;
    }

    // "DETENER" swaps the buttons at once; the loop then ends with one reset
    // at the top of its next pass, or at once, with none, when a new start
    // takes over while it still waits on its probe: "CALCULAR" would otherwise
    // clear the stop request before the loop saw it, leaving it probing beside
    // the guided run.
    void afterDetener()
    {
        QFETCH(QString, then);
        QFETCH(bool, duringProbe);
        platform::setPauseSpeedup(10);
        WindowDriver d;
        QSignalSpy resets(d.form.List2->model(), &QAbstractItemModel::modelReset);
        QTest::keyClick(d.form.Slider1, Qt::Key_End);
        d.probe.hold(duringProbe);
        d.iniciar();
        QVERIFY(waitUntil([&] { return duringProbe ? d.probe.probePending() : d.passLines().size() == 1; }));
        d.click("Command7");
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
        QVERIFY(d.form.List2->count() > 0);
        if (then == "INICIAR") {
            d.click("Command6");
            QTRY_COMPARE(d.probe.probeCount(), 2);
            QVERIFY(d.completePasses(3));
            QCOMPARE(d.dynamicChart().front().size(), 3);
        } else {
            if (then == "CALCULAR") {
                showPage(d.form, 0);
                d.calcular();
                QVERIFY(!d.dynamicRunning());
            }
            d.probe.release();
            QTRY_VERIFY(!d.dynamicRunning());
            QTest::qWait(300);
            QCOMPARE(d.probe.probeCount(), 1);
        }
        QCOMPARE(d.passLines().size(), then == "INICIAR" ? 3 : 0);
        QCOMPARE(resets.size(), then.isEmpty() ? 1 : 0);
        if (then.isEmpty()) { // the reset's, not just the log emptied
            QCOMPARE(d.form.Text1[0]->text(), "0");
            QVERIFY(!d.form.Shape1->isOpaque());
        }
    }
};

QTEST_MAIN(DynamicAlignmentTest)
#include "dynamic_alignment_test.moc"
