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
        QTEST(dynamic.control<Shape>("Shape1")->backColor(), "colour");
        QVERIFY(dynamic.control<Shape>("Shape1")->isOpaque());
        QCOMPARE(dynamic.passLines(), QStringList({PassLine + NumberText(previous), PassLine + logged}));
        const auto* log = dynamic.control<QListWidget>("List2");
        QCOMPARE(log->currentRow(), log->count() - 1);
    }

    // The chart restarts at the 15th pass, whether or not each pass drew a
    // column: this run's first falls in a gap and shows the designed colour.
    void chartRestartsAfter14Passes()
    {
        WindowDriver d;
        const auto* indicator = d.control<Shape>("Shape1");
        const auto* log = d.control<QListWidget>("List2");
        QVERIFY(!indicator->isOpaque());
        d.probe.hold(true);
        d.probe.script(EchoStatus::Success, 9);
        const int linesBefore = log->count() + 1;
        d.iniciar();
        QVERIFY(d.completePasses(1));
        QCOMPARE(d.dynamicChart(), QStringList(5, QString()));
        QVERIFY(indicator->isOpaque());
        QCOMPARE(indicator->backColor(), DarkPurple);
        int passes = 1;
        for (const auto& [more, columns] : {std::pair{13, 13}, {1, 1}, {13, 14}, {1, 1}}) {
            QVERIFY(d.completePasses(more));
            passes += more;
            QCOMPARE(d.dynamicChart(), QStringList(5, QString(columns, u'|')));
            QCOMPARE(log->count(), linesBefore + passes);
            QCOMPARE(log->currentRow(), log->count() - 1);
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
        const auto* log = d.control<QListWidget>("List2");
        connect(log->model(), &QAbstractItemModel::rowsInserted, &d.form, [&] {
            if (lines(log).last().startsWith(PassLine))
                passTimes.append(clock.elapsed());
        });
        d.iniciar();
        QTRY_VERIFY(passTimes.size() >= 4);

        auto* slider = d.control<QSlider>("Slider1");
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(slider->value(), 2500);
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
        QTest::keyClick(d.control<QSlider>("Slider1"), Qt::Key_End);
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
        const auto* indicator = d.control<Shape>("Shape1");
        QCOMPARE(indicator->backColor(), Red);
        QVERIFY(indicator->isOpaque());
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
        const auto* log = d.control<QListWidget>("List2");
        connect(log->model(), &QAbstractItemModel::rowsInserted, &waiting, [&] {
            if (++passes == Passes) {
                d.probe.hold(true);
                waiting.quit();
            }
        });
        QTimer::singleShot(60'000, &waiting, &QEventLoop::quit);
        waiting.exec();
        QCOMPARE(passes, Passes);
        QCOMPARE(log->count(), 1000);
        QCOMPARE(log->currentRow(), 999);
        QCOMPARE(log->item(999)->text(), PassLine + NumberText(Passes - 1));
        QCOMPARE(log->item(0)->text(), PassLine + NumberText(Passes - 1000));
    }

    void startWaitsForTheStoppedRunsReset_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("duringProbe"); // else during the pause
        for (const char* start : {"", "INICIAR", "CALCULAR"})
            for (const bool duringProbe : {true, false})
                QTest::addRow("%s, last %s", *start ? start : "nothing", duringProbe ? "probe" : "pause")
                    << QString::fromLatin1(start) << duringProbe;
    }

    // Three passes, then "DETENER", which tells the probes that the alignment
    // has ended, as its reset does again: the run still shows the pass of a
    // probe that is out, and ends with its reset at the top of its next pass. A
    // start pressed meanwhile, twice, is handled once, after that reset:
    // "INICIAR" shows the new run alone, "CALCULAR" finds the guided boxes
    // back at "0" and refuses them.
    void startWaitsForTheStoppedRunsReset()
    {
        QFETCH(QString, start);
        QFETCH(bool, duringProbe);
        platform::setPauseSpeedup(5); // pauses of 100 ms, and 500 ms at the slowest
        const int oldProbes = duringProbe ? 4 : 3;
        WindowDriver d;
        const auto* log = d.control<QListWidget>("List2");
        const QStringList guidedStartLog = lines(d.control<QListWidget>("List1"));
        QSignalSpy resets(log->model(), &QAbstractItemModel::modelReset);
        typeGuidedAddress(d.form, "127.0.0.1");
        d.probe.hold(true);
        for (int probe = 0; probe < oldProbes; ++probe)
            d.probe.script(EchoStatus::Success, 50);
        d.iniciar();
        QVERIFY(d.completePasses(duringProbe ? 3 : 2));
        if (!duringProbe) { // the clicks come well inside this last pause
            QTest::keyClick(d.control<QSlider>("Slider1"), Qt::Key_End);
            QVERIFY(d.answerProbe([&] { return d.passLines().size() == 3; }));
        }
        d.click("Command7");
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
        QCOMPARE(d.probe.alignmentEnds(), 1);
        if (!start.isEmpty()) {
            showPage(d.form, start == "INICIAR" ? 1 : 0);
            for (int press = 0; press < 2; ++press)
                d.click(start == "INICIAR" ? "Command6" : "Command1");
        }
        QCOMPARE(resets.size(), 0);
        QCOMPARE(d.passLines().size(), 3);
        d.probe.release();
        QVERIFY(waitUntil([&] { return resets.size() == 1; }));
        QCOMPARE(d.probe.probeCount(), oldProbes);
        QCOMPARE(d.probe.alignmentEnds(), 2);

        if (start == "INICIAR") {
            QVERIFY(d.completePasses(2));
            QCOMPARE(lines(log), QStringList({"Iniciando alineacion de antena", PassLine + " 1", PassLine + " 1"}));
            QCOMPARE(d.dynamicChart(), QStringList(5, "||"));
            QCOMPARE(d.enabledButtons(), QStringList{"DETENER"});
            return;
        }
        QTRY_VERIFY(!d.dynamicRunning());
        QCOMPARE(log->count(), 0);
        QCOMPARE(d.dynamicChart(), QStringList(5, QString()));
        QCOMPARE(texts(&d.form, {"Text1(3)", "Text1(2)", "Text1(1)", "Text1(0)"}), QStringList(4, "0"));
        QCOMPARE(lines(d.control<QListWidget>("List1")), guidedStartLog);
        QCOMPARE(openMessageBoxes("Error").size(), start == "CALCULAR" ? 1 : 0);
        QVERIFY(!d.prompt());
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
        QTest::qWait(50);
        QCOMPARE(d.probe.probeCount(), oldProbes);
    }
};

QTEST_MAIN(DynamicAlignmentTest)
#include "dynamic_alignment_test.moc"
