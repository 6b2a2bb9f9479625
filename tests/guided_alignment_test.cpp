// The guided alignment as its user goes through it: the prompt before each
// orientation, the measurement window, the main window's cue and the legend.
#include "core/number_text.h"
#include "guided/guided_alignment.h"
#include "guided/guided_cue.h"
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

// 500 ms pauses take 5 ms.
constexpr int FastClock = 100;
constexpr quint32 Black = 0x00000000, WindowBackground = 0x80000005;
const QString IcmpNoticeTitle = QStringLiteral("No se puede enviar ICMP");
using Outcomes = QList<ScriptedProbeService::Outcome>;

QString promptText(const QString& position)
{
    return QStringLiteral("Oriente su antena en la posicion recomendada por la ultima medida tomada, en caso de ser "
                          "la primera orientala ligeramente en posición ")
        + position + QStringLiteral(", después pulse aceptar cuando este preparado para comenzar los patrones de medida.");
}

// These outcomes first, then samples of 3 ms up to fifteen.
Outcomes samples(Outcomes first)
{
    return first + Outcomes(15 - first.size(), {EchoStatus::Success, 3});
}

Shape* promptShape(const char* name)
{
    return controlOf<Shape>(WindowDriver::prompt(), QLatin1String(name));
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
    void init() { platform::setPauseSpeedup(FastClock); }
    void addressCheck_data();
    void addressCheck();
    void fullAlignmentThroughFourOrientations();
    void grading_data();
    void grading();
    void gapsStoreTheLastGrade();
    void cueBlinksAtThePaceOfTheSamples();
    void cueTick_data();
    void cueTick();
    void sumsCoverAllFifteenSlotsEverySample_data();
    void sumsCoverAllFifteenSlotsEverySample();
    void leavingThePromptAbandons_data();
    void leavingThePromptAbandons();
    void finishedMeasurementWindowWaitsForCompletado();
    void measurementWindowClosedDuringRunOpensAgain();
    void unavailableIcmpIsNoConnectionAndToldOnce();
    void legendOpensOnceWithItsSixteenLines();
};

void GuidedAlignmentTest::addressCheck_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("refused");
    QTest::newRow("0.0.0.0") << "0.0.0.0" << true;
    QTest::newRow("0.0.0.1") << "0.0.0.1" << false;
    QTest::newRow("not an address") << "0.0.0.x" << false;
}

void GuidedAlignmentTest::addressCheck()
{
    QFETCH(QString, address);
    QFETCH(bool, refused);
    WindowDriver d;
    const QStringList startLog = lines(d.form.List1);
    const int selected = d.form.List1->currentRow();
    d.calcular(address);

    const QList<QMessageBox*> boxes = openMessageBoxes(QStringLiteral("Error"));
    QCOMPARE(boxes.size(), refused ? 1 : 0);
    QCOMPARE(d.form.Command1->isEnabled(), refused);
    QCOMPARE(d.form.Command6->isEnabled(), refused);
    QCOMPARE(d.form.List1->currentRow(), selected);
    QCOMPARE(bool(d.prompt()), !refused);
    if (refused) {
        QCOMPARE(boxes.front()->text(), "Debe especificar como minimo la IP del equipo Receptor");
        QCOMPARE(boxes.front()->icon(), QMessageBox::Warning);
        QCOMPARE(lines(d.form.List1), startLog);
    } else {
        QCOMPARE(lines(d.form.List1), startLog + QStringList{"Iniciando alineacion de antena"});
        QCOMPARE(d.promptText(), promptText("vertical positiva (arriba)"));
    }
}

void GuidedAlignmentTest::fullAlignmentThroughFourOrientations()
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
        {"+Horizontal", "horizontal positiva (izquierda)", "Shape3", 2, {EchoStatus::TimedOut, 0}, " 90", 30, " 0", "    -"},
    };
    WindowDriver d;
    d.calcular();
    for (int step = 0; step < 4; ++step) {
        const Orientation& o = orientations[step];
        QCOMPARE(d.promptText(), promptText(o.prompt));
        QVERIFY(blinks(promptShape(o.promptArm)));
        QVERIFY(promptShape("Shape1")->isOpaque());
        QVERIFY(d.measure(Outcomes(15, o.outcome)));

        QCOMPARE(lines(d.form.List1).last(), "Calculando valores para alineacion " + o.direction);
        QCOMPARE(d.measurementLines(), QStringList(15, "Ultimo valor para alineacion " + o.direction + o.time));
        for (int row = 0; row < 5; ++row)
            QCOMPARE(d.measurementChart()[row], QString(15, o.column[row]));
        QCOMPARE(d.total(step), o.total);
        QCOMPARE(d.form.sumBar(step)->value(), o.bar);
        QCOMPARE(d.form.ProgressBar3->value(), step + 1);
        QVERIFY(!d.form.Command1->isEnabled());

        d.completado();
        QVERIFY(!d.measurement());
        QVERIFY(d.form.Shape6[o.mainArm]->isOpaque());
        QCOMPARE(d.form.Text6->text(), QString());
        QVERIFY(!d.form.Timer1->isEnabled());
    }
    QVERIFY(!d.prompt());
    QCOMPARE(lines(d.form.List1).mid(d.form.List1->count() - 2),
             QStringList({"Test finalizado.", "Revise los parametros de correcion."}));
    QCOMPARE(d.form.List1->currentRow(), d.form.List1->count() - 1);
    QVERIFY(!d.form.Command1->isEnabled());
    QVERIFY(d.form.Command2->isEnabled());
    for (const Shape* arm : d.form.Shape6)
        QVERIFY(arm->isOpaque());
    QCOMPARE(d.probe.addresses(), QStringList(60, "127.0.0.1"));
}

// The second sample is the one graded; the first leaves grade 4 behind.
void GuidedAlignmentTest::grading_data()
{
    QTest::addColumn<qint32>("status");
    QTest::addColumn<qint32>("time");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("stored");
    QTest::addColumn<qint32>("listed");
    QTest::newRow("0 ms") << 0 << 0 << "|||||" << 1 << 0;
    QTest::newRow("7 ms") << 0 << 7 << "|||||" << 1 << 7;
    for (int gap : {8, 9, 10, 21, 24, 41, 44, 71, 75, -3})
        QTest::addRow("%d ms", gap) << 0 << gap << "" << 4 << gap;
    QTest::newRow("11 ms") << 0 << 11 << " ||||" << 2 << 11;
    QTest::newRow("20 ms") << 0 << 20 << " ||||" << 2 << 20;
    QTest::newRow("25 ms") << 0 << 25 << "  |||" << 3 << 25;
    QTest::newRow("40 ms") << 0 << 40 << "  |||" << 3 << 40;
    QTest::newRow("45 ms") << 0 << 45 << "   ||" << 4 << 45;
    QTest::newRow("70 ms") << 0 << 70 << "   ||" << 4 << 70;
    QTest::newRow("76 ms") << 0 << 76 << "    |" << 5 << 76;
    QTest::newRow("999 ms") << 0 << 999 << "    |" << 5 << 999;
    QTest::newRow("timed out") << EchoStatus::TimedOut << 1000 << "    -" << 6 << 1000;
    // Nothing sent: the record keeps the first sample's 45 ms.
    QTest::newRow("refused address") << -1 << 0 << "    -" << 6 << 45;
}

void GuidedAlignmentTest::grading()
{
    QFETCH(qint32, status);
    QFETCH(qint32, time);
    QFETCH(QString, column);
    QFETCH(int, stored);
    QFETCH(qint32, listed);
    WindowDriver d;
    d.calcular();
    QVERIFY(d.measure(samples({{0, 45}, {status, time}})));

    const QStringList chart = d.measurementChart();
    for (const QString& line : chart)
        QCOMPARE(line.size(), column.isEmpty() ? 14 : 15);
    if (!column.isEmpty())
        QCOMPARE(::column(chart, 1), column);
    QCOMPARE(d.measurementLines()[1], "Ultimo valor para alineacion +Vertical" + NumberText(listed));
    QCOMPARE(d.total(0), QString(" %1").arg(4 + stored + 13));
}

// A sample without a grade stores the last grade: none after a reset. The
// sums then stay " 0", yet each rewrite runs the readout.
void GuidedAlignmentTest::gapsStoreTheLastGrade()
{
    WindowDriver d;
    d.calcular();
    for (int step = 1; step <= 3; ++step) {
        QVERIFY(d.measureTimes(9));
        QCOMPARE(d.measurementChart(), QStringList(5, QString()));
        d.completado();
    }
    QCOMPARE(d.form.Text14->text(), "Perfecto  0º");
    QVERIFY(d.measureTimes(80));
    d.completado();
    d.click("Command2");
    d.calcular();
    QVERIFY(d.measure(samples({{0, 9}})));
    QCOMPARE(d.total(0), " 14");
    QCOMPARE(d.measurementChart()[0].size(), 14);
}

// With the real pause: the cue changes at most once per sample, so the arm
// blinks about once a second and the cue line never flashes fast.
void GuidedAlignmentTest::cueBlinksAtThePaceOfTheSamples()
{
    platform::setPauseSpeedup(1);
    WindowDriver d;
    QList<qint64> changes;
    QList<int> samplesAtChange;
    QString seenCue;
    QElapsedTimer clock;
    const auto cue = [&] { return std::pair(d.form.Shape6[0]->isOpaque(), d.form.Text6->property("BackColor")); };
    auto last = cue();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (cue() == last)
            return;
        last = cue();
        changes << clock.elapsed();
        samplesAtChange << d.probe.probeCount();
        if (last.first)
            seenCue = d.form.Text6->text();
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

void GuidedAlignmentTest::cueTick_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("arm");  // of Shape6; none outside the four steps
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
void GuidedAlignmentTest::cueTick()
{
    QFETCH(int, step);
    QFETCH(int, arm);
    QFETCH(QString, cue);
    WindowDriver d;
    d.form.State.GuidedStep = qint16(step);
    const QColor window = QApplication::palette().color(QPalette::Base);
    for (int tick = 1; tick <= 4; ++tick) {
        d.form.Text6->clear();
        Timer1_Timer(d.form);
        const bool shown = tick % 2 == 1;
        for (int other = 0; other < 4; ++other)
            QCOMPARE(d.form.Shape6[other]->isOpaque(), other == arm && shown);
        QCOMPARE(d.form.Text6->text(), shown ? cue : QString());
        QCOMPARE(d.form.Text6->property("BackColor").toUInt(), shown ? WindowBackground : Black);
        QCOMPARE(d.form.Text6->palette().color(QPalette::Base), shown ? window : QColor(Qt::black));
        QCOMPARE(d.form.Text6->palette().color(QPalette::Text), shown ? QColor(Qt::black) : window);
    }
}

void GuidedAlignmentTest::sumsCoverAllFifteenSlotsEverySample_data()
{
    QTest::addColumn<qint32>("firstTime");
    QTest::addColumn<int>("firstGrade");
    QTest::addColumn<int>("keptBar");  // the last sum a bar of 30 can show
    QTest::newRow("grade 5, then 1") << 80 << 5 << 30;
    QTest::newRow("grade 4, then 1") << 45 << 4 << 28;
}

// A first run of these grades, then a second one of grade 1 of the same
// orientation, which no button offers: every sample rewrites all four sums.
void GuidedAlignmentTest::sumsCoverAllFifteenSlotsEverySample()
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
            d.form.Text10[row]->setText("x");
        d.probe.script(0, first ? firstTime : 3);
        QVERIFY(d.answerProbe([&] { return d.measurement() && d.measurementLines().size() == listed + taken; }));
        const int sum = first ? firstGrade * sample : taken + firstGrade * (15 - taken);
        QCOMPARE(d.total(0), QString(" %1").arg(sum));
        QCOMPARE(d.form.sumBar(0)->value(), sum > 30 ? keptBar : sum);
        for (int row = 1; row < 4; ++row)
            QCOMPARE(d.total(row), " 0");
        QCOMPARE(controlOf<QProgressBar>(d.measurement(), "ProgressBar1")->value(), taken);
        if (first)
            QCOMPARE(d.runEnded(), taken == 15);
    }
}

void GuidedAlignmentTest::leavingThePromptAbandons_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"DETENER", "through the frame", "with Escape"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void GuidedAlignmentTest::leavingThePromptAbandons()
{
    QFETCH(QString, how);
    WindowDriver d;
    const QStringList startLog = lines(d.form.List1);
    d.calcular();
    for (int step = 1; step <= 2; ++step) {
        QVERIFY(d.measureTimes(3));
        d.completado();
    }
    QCOMPARE(d.promptText(), promptText("vertical negativa (abajo)"));
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
    QCOMPARE(lines(d.form.List1), startLog);
    QVERIFY(d.form.Command1->isEnabled());
    QVERIFY(d.form.Command6->isEnabled());
    QCOMPARE(d.total(0), QString());
    QVERIFY(!d.form.Shape6[0]->isOpaque());
    QCOMPARE(d.probe.probeCount(), 30);

    d.calcular();
    QCOMPARE(d.promptText(), promptText("vertical positiva (arriba)"));
    QVERIFY(blinks(promptShape("Shape2")));
    for (const char* still : {"Shape3", "Shape4", "Shape5"})
        QVERIFY(!promptShape(still)->isOpaque());
}

// Neither closing it through its frame nor leaving it hides the finished
// run's window; coming back to it clears it.
void GuidedAlignmentTest::finishedMeasurementWindowWaitsForCompletado()
{
    WindowDriver d;
    d.calcular();
    QVERIFY(d.measureTimes(3));
    QWidget* measurement = d.measurement();
    closeThroughFrame(measurement);
    QTest::qWait(20);
    QVERIFY(d.runEnded());
    QCOMPARE(d.measurementLines().size(), 15);

    d.form.activateWindow();
    QTRY_VERIFY(d.form.isActiveWindow());
    QCOMPARE(d.measurementLines().size(), 15);
    measurement->activateWindow();
    QTRY_VERIFY(d.measurementLines().isEmpty());
    QCOMPARE(d.measurementChart(), QStringList(5, QString()));
    QCOMPARE(controlOf<QProgressBar>(measurement, "ProgressBar1")->value(), 1);

    d.completado();
    QCOMPARE(d.promptText(), promptText("horizontal negativa (derecha)"));
}

void GuidedAlignmentTest::measurementWindowClosedDuringRunOpensAgain()
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
}

void GuidedAlignmentTest::unavailableIcmpIsNoConnectionAndToldOnce()
{
    const QString reason = QStringLiteral("ICMP no permitido: ejecute como administrador");
    WindowDriver d;
    d.probe.setStartupWorks(false);
    d.probe.setFailureText(reason);
    d.calcular();
    d.aceptar();
    QTRY_COMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
    QCOMPARE(openMessageBoxes(IcmpNoticeTitle).front()->text(), reason);
    openMessageBoxes(IcmpNoticeTitle).front()->close();
    // Back from the message box: that activation leaves the chart alone.
    d.measurement()->activateWindow();
    QTRY_VERIFY(d.measurement()->isActiveWindow());
    QTRY_VERIFY(d.runEnded());
    QCOMPARE(d.measurementChart(), QStringList({"               ", "               ", "               ",
                                                "               ", "---------------"}));
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
void GuidedAlignmentTest::legendOpensOnceWithItsSixteenLines()
{
    const QStringList expected = {
        " ", " ",
        "ValorYY = Inclinacion vertical positiva (arriba)",
        "ValorY  = Inclinacion vertical negativa (abajo)",
        "ValorXX = Inclinacion horizontal positiva (izquierda)",
        "ValorX  = Inclinacion horizontal negativa (derecha)",
        " ", " ",
        "Valor numerico = 15 => Alineacion correcta",
        "Valor numerico < 60 => Alineacion normal",
        "Valor numerico = 60 => Alineacion minima",
        "Valor numerico > 60 => Alineacion incorrecta",
        "Valor numerico < 75 => Imposible conectar",
        " ", " ",
        "Rango de alineacion 15 ~ 90",
    };
    WindowDriver d;
    for (int opening = 0; opening < 2; ++opening) {
        d.click("Command3");
        d.click("Command3");
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->objectName() == "Form3"; }), 1);
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

QTEST_MAIN(GuidedAlignmentTest)
#include "guided_alignment_test.moc"
