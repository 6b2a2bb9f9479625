// The guided alignment as its user goes through it: the prompt before each
// orientation, the measurement window, the main window's cue and the legend;
// one orientation also with real echo requests to this machine.
#include "core/guided_orientation.h"
#include "core/spoken_guidance.h"
#include "core/threaded_probe_service.h"
#include "guided/guided_alignment.h"
#include "main_window/cue_timer.h"
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

namespace {

constexpr quint32 Black = 0x00000000, WindowBackground = 0x80000005;
const QString IcmpNoticeTitle = u"No se puede enviar ICMP"_s;

QString promptText(const QString& position)
{
    return u"Oriente su antena en la posicion recomendada por la ultima medida tomada, en caso de ser "
           u"la primera orientala ligeramente en posición "_s
           + position + u", después pulse aceptar cuando este preparado para comenzar los patrones de medida."_s;
}

Shape* promptShape(const char* name)
{
    return controlOf<Shape>(WindowDriver::prompt(), QLatin1StringView(name));
}

bool blinks(Shape* arm)
{
    return QTest::qWaitFor([arm] { return arm->isOpaque(); }, 1000)
           && QTest::qWaitFor([arm] { return !arm->isOpaque(); }, 1000);
}

} // namespace

class GuidedAlignmentTest : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::setPauseSpeedup(100); } // 500 ms pauses take 5 ms

    void fullAlignmentThroughFourOrientations()
    {
        struct Orientation {
            QString direction, prompt;
            const char* promptArm;
            int mainArm;
            ScriptedProbeService::Outcome outcome;
            QString total;
            int bar;
            QString time, column;
        };
        const Orientation orientations[] = {
            {"+Vertical", "vertical positiva (arriba)", "Shape2", 0, {0, 3}, " 15", 15, " 3", "|||||"},
            {"-Horizontal", "horizontal negativa (derecha)", "Shape4", 1, {0, 12}, " 30", 30, " 12", " ||||"},
            {"-Vertical", "vertical negativa (abajo)", "Shape5", 3, {0, 30}, " 45", 30, " 30", "  |||"},
            {"+Horizontal",
             "horizontal positiva (izquierda)",
             "Shape3",
             2,
             {EchoStatus::TimedOut, 0},
             " 90",
             30,
             " 0",
             "    -"},
        };
        WindowDriver d;
        const auto* log = d.control<QListWidget>("List1");
        const auto* cueLine = d.control<QLineEdit>("Text6");
        d.calcular();
        for (int step = 0; step < 4; ++step) {
            const Orientation& o = orientations[step];
            QCOMPARE(d.promptText(), promptText(o.prompt));
            QVERIFY(blinks(promptShape(o.promptArm)));
            QVERIFY(promptShape("Shape1")->isOpaque());
            QVERIFY(d.measure(QList<ScriptedProbeService::Outcome>(15, o.outcome)));

            QCOMPARE(lines(log).last(), "Calculando valores para alineacion " + o.direction);
            QCOMPARE(d.measurementLines(), QStringList(15, "Ultimo valor para alineacion " + o.direction + o.time));
            for (int row = 0; row < 5; ++row)
                QCOMPARE(d.measurementChart()[row], QString(15, o.column[row]));
            QCOMPARE(d.total(step), o.total);
            QCOMPARE(d.sumBar(step)->value(), o.bar);
            QCOMPARE(d.control<QProgressBar>("ProgressBar3")->value(), step + 1);
            QCOMPARE(d.enabledButtons(), QStringList());
            QVERIFY(!d.control<CueTimer>("Timer1")->isEnabled()); // the cue stops with the last sample

            d.completado();
            QVERIFY(!d.measurement());
            QVERIFY(d.arms()[o.mainArm]->isOpaque());
            QCOMPARE(cueLine->text(), QString());
        }
        QVERIFY(!d.prompt());
        QCOMPARE(lines(log).mid(log->count() - 2),
                 QStringList({"Test finalizado.", "Revise los parametros de correcion."}));
        QCOMPARE(log->currentRow(), log->count() - 1);
        QCOMPARE(d.enabledButtons(), QStringList{"BORRAR DATOS"});
        for (const Shape* arm : d.arms())
            QVERIFY(arm->isOpaque());
        QCOMPARE(d.probe.addresses(), QStringList(60, "127.0.0.1"));
        QCOMPARE(d.probe.alignmentEnds(), 1);
    }

    void guidanceSaidAloud_data()
    {
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("Sonido on") << true;
        QTest::newRow("Sonido off") << false;
    }

    // With "Sonido" on each prompt says which orientation comes, "ACEPTAR"
    // leaves the samples' tones alone, and the end says both corrections once;
    // "BORRAR DATOS" silences it. With "Sonido" off nothing is said.
    void guidanceSaidAloud()
    {
        QFETCH(bool, soundOn);
        WindowDriver d;
        if (soundOn)
            d.click("SoundSwitch");
        d.calcular();
        QStringList expected;
        for (const qint32 time : {12, 3, 3, 45}) { // sums 30, 15, 15 and 60
            expected << spokenPrompt(*orientationOfStep(d.state().GuidedStep));
            QCOMPARE(d.voice.said, soundOn ? expected : QStringList());
            QCOMPARE(d.voice.speaking, soundOn);
            QVERIFY(d.measureTimes(time));
            QVERIFY(!d.voice.speaking);
            d.completado();
        }
        expected << "Alineación terminada. Vertical: arriba, 7,5 grados. Horizontal: izquierda, 22,5 grados.";
        QCOMPARE(d.voice.said, soundOn ? expected : QStringList());
        QCOMPARE(d.tones.played.size(), soundOn ? 64 : 0);
        d.click("Command2");
        QVERIFY(!d.voice.speaking);
    }

    // With the real pause: the cue changes at most once per sample, so the arm
    // blinks about once a second and the cue line never flashes fast.
    void cueBlinksAtThePaceOfTheSamples()
    {
        platform::setPauseSpeedup(1);
        WindowDriver d;
        QList<qint64> changes;
        QList<int> samplesAtChange;
        QString seenCue;
        QElapsedTimer clock;
        const auto* cueLine = d.control<QLineEdit>("Text6");
        const auto cue = [&] { return std::pair(d.arms()[0]->isOpaque(), cueLine->property("BackColor")); };
        auto last = cue();
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (cue() == last)
                return;
            last = cue();
            changes << clock.elapsed();
            samplesAtChange << d.probe.probeCount();
            if (last.first)
                seenCue = cueLine->text();
        });
        d.calcular();
        clock.start();
        watch.start(1);
        d.aceptar();
        QVERIFY(waitUntil(WindowDriver::runEnded, 10000));
        QVERIFY2(changes.size() >= 10, qPrintable(QString::number(changes.size())));
        QCOMPARE(seenCue, "Alineando en +Vertical");
        for (qsizetype i = 1; i < changes.size(); ++i)
            QVERIFY2(samplesAtChange[i] > samplesAtChange[i - 1], "two cue changes within one sample");
        for (qsizetype i = 3; i < changes.size(); ++i)
            QVERIFY2(changes[i] - changes[i - 3] >= 1000, "more than 3 cue changes in a second");
    }

    void cueTick_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("arm"); // of Shape6; none outside the four steps
        QTest::addColumn<QString>("cue");
        QTest::newRow("+Vertical") << 1 << 0 << "Alineando en +Vertical";
        QTest::newRow("-Horizontal") << 2 << 1 << "Alineando en -Horizontal";
        QTest::newRow("-Vertical") << 3 << 3 << "Alineando en -Vertical";
        QTest::newRow("+Horizontal") << 4 << 2 << "Alineando en +Horizontal";
        QTest::newRow("finished") << 5 << -1 << "";
    }

    // A tick shows or hides the measured arm, names the orientation as it shows
    // it, and swaps the cue line's colours; the line is designed white, so the
    // first tick gives dark text on the window colour.
    void cueTick()
    {
        QFETCH(int, step);
        QFETCH(int, arm);
        QFETCH(QString, cue);
        WindowDriver d;
        d.state().GuidedStep = qint16(step);
        const QColor window = QApplication::palette().color(QPalette::Base);
        auto* cueLine = d.control<QLineEdit>("Text6");
        for (int tick = 1; tick <= 4; ++tick) {
            cueLine->clear();
            d.control<CueTimer>("Timer1")->Timer1_Timer();
            const bool shown = tick % 2 == 1;
            for (int other = 0; other < 4; ++other)
                QCOMPARE(d.arms()[other]->isOpaque(), other == arm && shown);
            QCOMPARE(cueLine->text(), shown ? cue : QString());
            QCOMPARE(cueLine->property("BackColor").toUInt(), shown ? WindowBackground : Black);
            QCOMPARE(cueLine->palette().color(QPalette::Base), shown ? window : QColor(Qt::black));
            QCOMPARE(cueLine->palette().color(QPalette::Text), shown ? QColor(Qt::black) : window);
        }
    }

    void sumsCoverAllFifteenSlotsEverySample_data()
    {
        QTest::addColumn<qint32>("firstTime");
        QTest::addColumn<int>("firstGrade");
        QTest::addColumn<int>("keptBar"); // the last sum a bar of 30 can show
        QTest::newRow("grade 5, then 1") << 80 << 5 << 30;
        QTest::newRow("grade 4, then 1") << 45 << 4 << 28;
    }

    // A first run of these grades, then a second one of grade 1 of the same
    // orientation, which no button offers: every sample rewrites all four sums.
    void sumsCoverAllFifteenSlotsEverySample()
    {
        QFETCH(qint32, firstTime);
        QFETCH(int, firstGrade);
        QFETCH(int, keptBar);
        WindowDriver d;
        d.calcular();
        d.probe.hold(true);
        d.aceptar();
        qsizetype listed = 0;
        for (int sample = 1; sample <= 30; ++sample) {
            const bool first = sample <= 15;
            const int taken = first ? sample : sample - 15;
            if (sample == 16) {
                d.form.findChild<GuidedAlignment*>()->accept();
                listed = d.measurementLines().size();
            }
            for (int row = 1; row < 4; ++row)
                d.sumBox(row)->setText("x");
            d.probe.script(0, first ? firstTime : 3);
            QVERIFY(d.answerProbe([&] { return d.measurement() && d.measurementLines().size() == listed + taken; }));
            const int sum = first ? firstGrade * sample : taken + firstGrade * (15 - taken);
            QCOMPARE(d.total(0), QString(" %1").arg(sum));
            QCOMPARE(d.sumBar(0)->value(), sum > 30 ? keptBar : sum);
            for (int row = 1; row < 4; ++row)
                QCOMPARE(d.total(row), " 0");
            QCOMPARE(controlOf<QProgressBar>(d.measurement(), "ProgressBar1")->value(), taken);
            if (first)
                QCOMPARE(d.runEnded(), taken == 15);
        }
    }

    void leavingThePromptAbandons_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"DETENER", "through the frame", "with Escape"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    // Three orientations of samples without a grade, which store the last
    // grade, none before any: the sums stay " 0", yet each rewrite runs the
    // readout. The prompt for the fourth, left without an answer, abandons the
    // alignment.
    void leavingThePromptAbandons()
    {
        QFETCH(QString, how);
        WindowDriver d;
        d.click("SoundSwitch");
        const auto* log = d.control<QListWidget>("List1");
        const QStringList startLog = lines(log);
        d.calcular();
        for (int step = 1; step <= 3; ++step) {
            QVERIFY(d.measureTimes(9));
            QCOMPARE(d.measurementChart(), QStringList(5, QString()));
            QCOMPARE(d.total(step - 1), " 0");
            d.completado();
        }
        QCOMPARE(d.control<QLineEdit>("Text14")->text(), "Perfecto  0º");
        QCOMPARE(d.promptText(), promptText("horizontal positiva (izquierda)"));
        if (how == "DETENER") {
            d.detener();
        } else if (how == "through the frame") {
            closeThroughFrame(d.prompt());
        } else {
            QVERIFY(QTest::qWaitForWindowActive(d.prompt()));
            auto* text = controlOf<QPlainTextEdit>(d.prompt(), "Text1");
            text->setFocus();
            QTest::keyClick(text, Qt::Key_Escape);
        }
        QVERIFY(!d.prompt());
        QVERIFY(!d.voice.speaking);
        QCOMPARE(lines(log), startLog);
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
        QCOMPARE(d.probe.probeCount(), 45);

        d.calcular();
        QCOMPARE(d.promptText(), promptText("vertical positiva (arriba)"));
        QVERIFY(blinks(promptShape("Shape2")));
        for (const char* still : {"Shape3", "Shape4", "Shape5"})
            QVERIFY(!promptShape(still)->isOpaque());
    }

    // One orientation measured with real echo requests to this machine.
    void loopbackOrientationIsAllGood()
    {
        ThreadedProbeService probe;
        if (!probe.socketsStartup())
            QSKIP(qPrintable(probe.startupFailure()));
        WindowDriver d(&probe);
        d.calcular();
        d.aceptar();
        QVERIFY(waitUntil(WindowDriver::runEnded, 30000));
        const QRegularExpression line("^Ultimo valor para alineacion \\+Vertical \\d+$");
        QCOMPARE(d.measurementLines().filter(line).size(), 15);
        QCOMPARE(d.measurementChart(), QStringList(5, QString(15, u'|')));
        QCOMPARE(d.total(0), " 15");
        d.completado();
        QVERIFY(d.prompt());
    }

    // Closed through its frame during a run, the measurement window opens
    // again, empty, at the next sample; once the run has ended, it stays until
    // "COMPLETADO", and coming back to it clears it.
    void closingTheMeasurementWindow()
    {
        WindowDriver d;
        d.calcular();
        d.probe.hold(true);
        d.aceptar();
        for (int sample = 1; sample <= 3; ++sample)
            QVERIFY(d.answerProbe([&] { return d.measurement() && d.measurementLines().size() == sample; }));
        QVERIFY(waitUntil([&] { return d.probe.probePending(); }));
        QPointer<QWidget> first = d.measurement();
        closeThroughFrame(first);
        QTRY_VERIFY(!first);
        d.probe.hold(false);
        d.probe.release();
        QTRY_VERIFY(d.runEnded());
        QCOMPARE(d.measurementLines().size(), 12);
        QCOMPARE(d.measurementChart()[0].size(), 12);
        QCOMPARE(d.total(0), " 15");

        QWidget* measurement = d.measurement();
        closeThroughFrame(measurement);
        QTest::qWait(20);
        QVERIFY(d.runEnded());
        d.form.activateWindow();
        QTRY_VERIFY(d.form.isActiveWindow());
        QCOMPARE(d.measurementLines().size(), 12);
        measurement->activateWindow();
        QTRY_VERIFY(d.measurementLines().isEmpty());
        QCOMPARE(d.measurementChart(), QStringList(5, QString()));
        QCOMPARE(controlOf<QProgressBar>(measurement, "ProgressBar1")->value(), 1);
        d.completado();
        QCOMPARE(d.promptText(), promptText("horizontal negativa (derecha)"));
    }

    void unavailableIcmpIsNoConnectionAndToldOnce()
    {
        const QString reason = u"ICMP no permitido: ejecute como administrador"_s;
        WindowDriver d;
        d.probe.setStartupFailure(reason);
        d.calcular();
        d.aceptar();
        QTRY_COMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
        QCOMPARE(openMessageBoxes(IcmpNoticeTitle).front()->text(), reason);
        openMessageBoxes(IcmpNoticeTitle).front()->close();
        // Back from the message box: that activation leaves the chart alone.
        d.measurement()->activateWindow();
        QTRY_VERIFY(d.measurement()->isActiveWindow());
        QTRY_VERIFY(d.runEnded());
        QCOMPARE(d.measurementChart(), QStringList(4, QString(15, u' ')) << QString(15, u'-'));
        QCOMPARE(d.total(0), " 90");

        d.completado();
        QVERIFY(d.measure({}));
        QVERIFY(openMessageBoxes(IcmpNoticeTitle).isEmpty());
        QCOMPARE(d.total(1), " 90");
        QCOMPARE(d.probe.probeCount(), 0);

        d.completado();
        d.detener();
        d.calcular();
        d.aceptar();
        QTRY_COMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
    }

    // "VER LEYENDA" twice shows one legend; closed, it opens afresh.
    void legendOpensOnceWithItsSixteenLines()
    {
        const QStringList expected = {
            " ",
            " ",
            "ValorYY = Inclinacion vertical positiva (arriba)",
            "ValorY  = Inclinacion vertical negativa (abajo)",
            "ValorXX = Inclinacion horizontal positiva (izquierda)",
            "ValorX  = Inclinacion horizontal negativa (derecha)",
            " ",
            " ",
            "Valor numerico = 15 => Alineacion correcta",
            "Valor numerico < 60 => Alineacion normal",
            "Valor numerico = 60 => Alineacion minima",
            "Valor numerico > 60 => Alineacion incorrecta",
            "Valor numerico < 75 => Imposible conectar",
            " ",
            " ",
            "Rango de alineacion 15 ~ 90",
        };
        WindowDriver d;
        for (int opening = 0; opening < 2; ++opening) {
            d.click("Command3");
            d.click("Command3");
            QWidgetList legends = QApplication::topLevelWidgets();
            legends.removeIf([](QWidget* window) { return window->objectName() != "Form3"; });
            QCOMPARE(legends.size(), 1);
            QPointer<QWidget> legend = openWindow("Form3");
            QVERIFY(legend && !legend->parentWidget());
            auto* list = controlOf<QListWidget>(legend, "List1");
            QCOMPARE(lines(list), expected);
            // The "=" of the four value names stand in one column.
            const QFontMetrics metrics(list->font());
            for (int line = 3; line < 6; ++line)
                QCOMPARE(metrics.horizontalAdvance(expected[line].left(expected[line].indexOf('='))),
                         metrics.horizontalAdvance(expected[2].left(expected[2].indexOf('='))));
            legend->close();
            QTRY_VERIFY(!legend);
        }
    }
};

QTEST_MAIN(GuidedAlignmentTest)
#include "guided_alignment_test.moc"
