#include "app/orienzo_window.h"
#include "core/echo_probe.h"
#include "core/number_text.h"
#include "guided/guided_alignment.h"
#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/shape.h"
#include "platform/pause_clock.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace {

// 500 ms pauses take 5 ms.
constexpr int FastClock = 100;

const QString Refusal = QStringLiteral("Debe especificar como minimo la IP del equipo Receptor");
const QString IcmpNoticeTitle = QStringLiteral("No se puede enviar ICMP");

QString promptText(const QString& direction)
{
    return QStringLiteral("Oriente su antena en la posicion recomendada por la ultima medida tomada, en caso de ser "
                          "la primera orientala ligeramente en posición ")
        + direction
        + QStringLiteral(", después pulse aceptar cuando este preparado para comenzar los patrones de medida.");
}

QStringList lines(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

// Like QTest::qWaitFor, without its 10 ms naps between looks: a pattern's
// many short steps then take as long as the fast clock makes them.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000)
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

// What the window system sends when the user closes a window through its frame.
void closeThroughFrame(QWidget* window)
{
    QCloseEvent event;
    QApplication::sendEvent(window->windowHandle(), &event);
}

// The guided page as the user works it, with scripted probes.
struct GuidedPage {
    ScriptedProbeService probe;
    RecordingTonePlayer tones;
    OrienzoWindow form{probe, tones};

    GuidedPage() { form.show(); }

    template <typename Control = QWidget>
    static Control* in(const QWidget* window, const QString& name)
    {
        auto* found = window ? window->findChild<Control*>(name) : nullptr;
        Q_ASSERT_X(found, "control", qPrintable(name));
        return found;
    }
    template <typename Control = QWidget>
    Control* control(const QString& name) const { return in<Control>(&form, name); }

    static QWidget* prompt() { return openWindow(QStringLiteral("Form4")); }
    static QWidget* measurement() { return openWindow(QStringLiteral("Form2")); }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Types the address into the "IP Receptor" boxes and presses "CALCULAR".
    void calcular(const QString& address = QStringLiteral("127.0.0.1"))
    {
        typeAddress(form, GuidedTargetBoxes, address);
        click(control(QStringLiteral("Command1")));
    }
    static void aceptar() { click(in(prompt(), QStringLiteral("Command1"))); }
    static void detener() { click(in(prompt(), QStringLiteral("Command2"))); }
    static QPushButton* completado() { return in<QPushButton>(measurement(), QStringLiteral("Command1")); }
    static bool runEnded() { return measurement() && completado()->isEnabled(); }
    static QStringList measurementLines() { return lines(in<QListWidget>(measurement(), QStringLiteral("List1"))); }
    static QStringList chart()
    {
        QStringList rows;
        for (const char* line : {"Text2", "Text3", "Text4", "Text9", "Text10"})
            rows << in<QLineEdit>(measurement(), QLatin1String(line))->text();
        return rows;
    }
    QString total(int row) const { return form.Text10[row]->text(); }
    int bar(int row) const { return control<QProgressBar>(QStringLiteral("ProgressBar%1").arg(row + 4))->value(); }
    QStringList log() const { return lines(form.List1); }

    // Measures the prompted orientation with these outcomes, up to "COMPLETADO".
    bool measure(const QList<ScriptedProbeService::Outcome>& outcomes)
    {
        for (const auto& outcome : outcomes)
            probe.script(outcome.status, outcome.roundTripTime);
        aceptar();
        return waitUntil(runEnded);
    }
    bool measureTimes(qint32 roundTripTime)
    {
        return measure(QList<ScriptedProbeService::Outcome>(15, {EchoStatus::Success, roundTripTime}));
    }
    // Lets the held probe answer and waits for its sample to be recorded.
    bool answerProbe(int recordedBefore)
    {
        if (!waitUntil([this] { return probe.probePending(); }))
            return false;
        probe.release();
        return waitUntil([&] { return measurement() && measurementLines().size() == recordedBefore + 1; });
    }
};

int backStyle(const QWidget* shape)
{
    return shape->property("BackStyle").toInt();
}

bool blinks(QWidget* arm)
{
    return QTest::qWaitFor([arm] { return backStyle(arm) == 1; }, 1000)
        && QTest::qWaitFor([arm] { return backStyle(arm) == 0; }, 1000);
}

} // namespace

class GuidedAlignmentTest : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::setPauseSpeedup(FastClock); }
    void cleanup();
    void addressCheck_data();
    void addressCheck();
    void windowsAreFixedToolWindows();
    void fullAlignmentThroughFourOrientations();
    void grading_data();
    void grading();
    void gapAfterResetStoresZero();
    void gapsOnlyStillGiveTheCorrection();
    void cueBlinksAtThePaceOfTheSamples();
    void firstRunRewritesAllFourTotalsEverySample();
    void secondRunMixesPreviousGrades_data();
    void secondRunMixesPreviousGrades();
    void detenerInThirdPromptStartsAgain();
    void promptClosedWithoutAnswerAbandons_data();
    void promptClosedWithoutAnswerAbandons();
    void finishedMeasurementWindowWaitsForCompletado();
    void measurementWindowClosedDuringRunOpensAgain();
    void reactivatedMeasurementWindowIsCleared();
    void unavailableIcmpIsNoConnectionAndToldOnce();
    void endsCleanlyInAnyPhase_data();
    void endsCleanlyInAnyPhase();
};

void GuidedAlignmentTest::cleanup()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(widget))
            delete widget;
}

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
    GuidedPage page;
    const QStringList startLog = page.log();
    const int selected = page.form.List1->currentRow();
    page.calcular(address);

    const QList<QMessageBox*> boxes = openMessageBoxes(QStringLiteral("Error"));
    QCOMPARE(boxes.size(), refused ? 1 : 0);
    QCOMPARE(page.form.Command1->isEnabled(), refused);
    QCOMPARE(page.form.Command6->isEnabled(), refused);
    QCOMPARE(page.form.List1->currentRow(), selected);
    if (refused) {
        QCOMPARE(boxes.front()->text(), Refusal);
        QCOMPARE(boxes.front()->icon(), QMessageBox::Warning);
        QVERIFY(!page.prompt());
        QCOMPARE(page.log(), startLog);
        return;
    }
    QCOMPARE(page.log(), startLog + QStringList{"Iniciando alineacion de antena"});
    QVERIFY(page.prompt());
    QCOMPARE(page.in<QPlainTextEdit>(page.prompt(), "Text1")->toPlainText(), promptText("vertical positiva (arriba)"));
}

void GuidedAlignmentTest::windowsAreFixedToolWindows()
{
    const auto isFixedToolWindow = [](const QWidget* window, QSize size) {
        const Qt::WindowFlags flags = window->windowFlags();
        return (flags & Qt::Tool) == Qt::Tool && (flags & Qt::WindowCloseButtonHint)
            && !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
            && window->minimumSize() == size && window->maximumSize() == size;
    };
    GuidedPage page;
    page.calcular();
    QVERIFY(isFixedToolWindow(page.prompt(), QSize(487, 221)));
    QVERIFY(page.measureTimes(3));
    QVERIFY(isFixedToolWindow(page.measurement(), QSize(435, 191)));
    QCOMPARE(page.measurement()->pos(), QPoint(559, 359));
}

void GuidedAlignmentTest::fullAlignmentThroughFourOrientations()
{
    struct Orientation {
        const char* direction;
        const char* prompt;
        const char* arm;
        int indicator;
        ScriptedProbeService::Outcome outcome;
        QString total;
        int bar;
        QString line;
        QString column;
    };
    const Orientation orientations[] = {
        {"+Vertical", "vertical positiva (arriba)", "Shape2", 0, {0, 3}, " 15", 15, " 3", "|||||"},
        {"-Horizontal", "horizontal negativa (derecha)", "Shape4", 1, {0, 12}, " 30", 30, " 12", " ||||"},
        {"-Vertical", "vertical negativa (abajo)", "Shape5", 3, {0, 30}, " 45", 30, " 30", "  |||"},
        {"+Horizontal", "horizontal positiva (izquierda)", "Shape3", 2, {EchoStatus::TimedOut, 0}, " 90", 30, " 0", "    -"},
    };
    GuidedPage page;
    page.calcular();
    for (int step = 0; step < 4; ++step) {
        const Orientation& o = orientations[step];
        QVERIFY(page.prompt());
        QCOMPARE(page.in<QPlainTextEdit>(page.prompt(), "Text1")->toPlainText(), promptText(o.prompt));
        QVERIFY(blinks(page.in(page.prompt(), o.arm)));
        QCOMPARE(backStyle(page.in(page.prompt(), "Shape1")), 1);
        QVERIFY(page.measure(QList<ScriptedProbeService::Outcome>(15, o.outcome)));

        QCOMPARE(page.log().last(), QStringLiteral("Calculando valores para alineacion ") + o.direction);
        QCOMPARE(page.measurementLines(), QStringList(15, QStringLiteral("Ultimo valor para alineacion ") + o.direction + o.line));
        for (int row = 0; row < 5; ++row)
            QCOMPARE(page.chart()[row], QString(15, o.column[row]));
        QCOMPARE(page.total(step), o.total);
        QCOMPARE(page.bar(step), o.bar);
        QCOMPARE(page.control<QProgressBar>("ProgressBar3")->value(), step + 1);
        QVERIFY(!page.form.Command1->isEnabled());

        page.click(page.completado());
        QVERIFY(!page.measurement());
        QCOMPARE(backStyle(page.control(QStringLiteral("Shape6(%1)").arg(o.indicator))), 1);
        QCOMPARE(page.form.Text6->text(), QString());
        QVERIFY(!page.form.Timer1->isEnabled());
    }
    QVERIFY(!page.prompt());
    QCOMPARE(page.log().mid(page.log().size() - 2), QStringList({"Test finalizado.", "Revise los parametros de correcion."}));
    QCOMPARE(page.form.List1->currentRow(), page.form.List1->count() - 1);
    QVERIFY(!page.form.Command1->isEnabled());
    QVERIFY(page.form.Command2->isEnabled());
    for (int arm = 0; arm < 4; ++arm)
        QCOMPARE(backStyle(page.control(QStringLiteral("Shape6(%1)").arg(arm))), 1);
    QCOMPARE(page.probe.addresses(), QStringList(60, "127.0.0.1"));
}

// The second sample is the one graded; the first leaves grade 4 behind.
void GuidedAlignmentTest::grading_data()
{
    QTest::addColumn<qint32>("status");
    QTest::addColumn<qint32>("time");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("stored");
    QTest::addColumn<qint32>("listed");
    const int carried = 4;
    QTest::newRow("0 ms") << 0 << 0 << "|||||" << 1 << 0;
    QTest::newRow("7 ms") << 0 << 7 << "|||||" << 1 << 7;
    for (int gap : {8, 9, 10, 21, 24, 41, 44, 71, 75, -3})
        QTest::addRow("%d ms", gap) << 0 << gap << "" << carried << gap;
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
    GuidedPage page;
    page.calcular();
    QList<ScriptedProbeService::Outcome> outcomes{{0, 45}, {status, time}};
    outcomes.append(QList<ScriptedProbeService::Outcome>(13, {0, 3}));
    QVERIFY(page.measure(outcomes));

    const QStringList chart = page.chart();
    for (int row = 0; row < 5; ++row) {
        QCOMPARE(chart[row].size(), column.isEmpty() ? 14 : 15);
        if (!column.isEmpty())
            QCOMPARE(chart[row][1], column[row]);
    }
    QCOMPARE(page.measurementLines()[1], "Ultimo valor para alineacion +Vertical" + NumberText(listed));
    QCOMPARE(page.total(0), QString(" %1").arg(4 + stored + 13));
}

void GuidedAlignmentTest::gapAfterResetStoresZero()
{
    GuidedPage page;
    page.calcular();
    QVERIFY(page.measureTimes(80));
    page.click(page.completado());
    page.detener();
    page.calcular();
    QList<ScriptedProbeService::Outcome> outcomes{{0, 9}};
    outcomes.append(QList<ScriptedProbeService::Outcome>(14, {0, 3}));
    QVERIFY(page.measure(outcomes));
    QCOMPARE(page.total(0), " 14");
    QCOMPARE(page.chart()[0].size(), 14);
}

// The sums stay " 0" throughout, yet each rewrite runs the readout.
void GuidedAlignmentTest::gapsOnlyStillGiveTheCorrection()
{
    GuidedPage page;
    page.calcular();
    for (int step = 1; step <= 3; ++step) {
        QVERIFY(page.measureTimes(9));
        if (step < 3)
            page.click(page.completado());
    }
    QCOMPARE(page.form.Text14->text(), "Perfecto  0º");
}

// With the real pause: the cue changes at most once per sample, so the arm
// blinks about once a second and the cue line never flashes fast.
void GuidedAlignmentTest::cueBlinksAtThePaceOfTheSamples()
{
    platform::setPauseSpeedup(1);
    GuidedPage page;
    QList<qint64> changes;
    QList<int> samplesAtChange;
    QString seenCue;
    QElapsedTimer clock;
    const auto cue = [&] { return std::pair(page.form.Shape6[0]->isOpaque(), page.form.Text6->property("BackColor")); };
    auto last = cue();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (cue() == last)
            return;
        last = cue();
        changes << clock.elapsed();
        samplesAtChange << page.probe.probeCount();
        if (last.first)
            seenCue = page.form.Text6->text();
    });
    page.calcular();
    clock.start();
    watch.start(1);
    page.aceptar();
    QVERIFY(waitUntil(GuidedPage::runEnded, 10000));
    QVERIFY2(changes.size() >= 10, qPrintable(QString::number(changes.size())));
    QCOMPARE(seenCue, "Alineando en +Vertical");
    for (qsizetype i = 1; i < changes.size(); ++i)
        QVERIFY2(samplesAtChange[i] > samplesAtChange[i - 1], "two cue changes within one sample");
    for (qsizetype i = 3; i < changes.size(); ++i)
        QVERIFY2(changes[i] - changes[i - 3] >= 1000, "more than 3 cue changes in a second");
}

void GuidedAlignmentTest::firstRunRewritesAllFourTotalsEverySample()
{
    GuidedPage page;
    page.calcular();
    page.probe.hold(true);
    page.aceptar();
    for (int sample = 1; sample <= 15; ++sample) {
        for (int row = 1; row < 4; ++row)
            page.form.Text10[row]->setText("x");
        page.probe.script(0, 3);
        QVERIFY(page.answerProbe(sample - 1));
        QCOMPARE(page.total(0), QString(" %1").arg(sample));
        QCOMPARE(page.bar(0), sample);
        for (int row = 1; row < 4; ++row)
            QCOMPARE(page.total(row), " 0");
        QCOMPARE(page.in<QProgressBar>(page.measurement(), "ProgressBar1")->value(), sample);
        QCOMPARE(page.completado()->isEnabled(), sample == 15);
    }
}

void GuidedAlignmentTest::secondRunMixesPreviousGrades_data()
{
    QTest::addColumn<qint32>("firstTime");
    QTest::addColumn<int>("firstGrade");
    QTest::addColumn<int>("keptBar");
    QTest::newRow("after grade 5") << 80 << 5 << 30;
    QTest::newRow("after grade 4") << 45 << 4 << 28;
}

// A second run of the same orientation, its samples all of grade 1.
void GuidedAlignmentTest::secondRunMixesPreviousGrades()
{
    QFETCH(qint32, firstTime);
    QFETCH(int, firstGrade);
    QFETCH(int, keptBar);
    GuidedPage page;
    page.calcular();
    QVERIFY(page.measureTimes(firstTime));
    QCOMPARE(page.total(0), QString(" %1").arg(15 * firstGrade));
    QCOMPARE(page.bar(0), keptBar);

    page.probe.hold(true);
    page.form.findChild<GuidedAlignment*>()->accept();
    const int before = page.measurementLines().size();
    for (int sample = 1; sample <= 15; ++sample) {
        page.probe.script(0, 3);
        QVERIFY(page.answerProbe(before + sample - 1));
        const int sum = sample + firstGrade * (15 - sample);
        QCOMPARE(page.total(0), QString(" %1").arg(sum));
        if (sum > 30)
            QCOMPARE(page.bar(0), keptBar);
        else
            QCOMPARE(page.bar(0), sum);
    }
    QCOMPARE(page.total(0), " 15");
}

void GuidedAlignmentTest::detenerInThirdPromptStartsAgain()
{
    GuidedPage page;
    const QStringList startLog = page.log();
    page.calcular();
    for (int step = 1; step <= 2; ++step) {
        QVERIFY(page.measureTimes(3));
        page.click(page.completado());
    }
    QVERIFY(page.in<QPlainTextEdit>(page.prompt(), "Text1")->toPlainText().contains("(abajo)"));
    page.detener();
    QVERIFY(!page.prompt());
    QCOMPARE(page.log(), startLog);
    QVERIFY(page.form.Command1->isEnabled());
    QVERIFY(page.form.Command6->isEnabled());
    QCOMPARE(page.total(0), QString());
    QCOMPARE(backStyle(page.control(QStringLiteral("Shape6(%1)").arg(0))), 0);

    page.calcular();
    QCOMPARE(page.in<QPlainTextEdit>(page.prompt(), "Text1")->toPlainText(), promptText("vertical positiva (arriba)"));
    QVERIFY(blinks(page.in(page.prompt(), "Shape2")));
    for (const char* still : {"Shape3", "Shape4", "Shape5"})
        QCOMPARE(backStyle(page.in(page.prompt(), still)), 0);
}

void GuidedAlignmentTest::promptClosedWithoutAnswerAbandons_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("through the frame") << false;
    QTest::newRow("with Escape") << true;
}

void GuidedAlignmentTest::promptClosedWithoutAnswerAbandons()
{
    QFETCH(bool, escape);
    GuidedPage page;
    const QStringList startLog = page.log();
    page.calcular();
    QVERIFY(page.measureTimes(3));
    page.click(page.completado());
    QWidget* prompt = page.prompt();
    if (escape) {
        QVERIFY(QTest::qWaitForWindowActive(prompt));
        auto* text = page.in<QPlainTextEdit>(prompt, "Text1");
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Escape);
    } else {
        closeThroughFrame(prompt);
    }
    QVERIFY(!page.prompt());
    QCOMPARE(page.log(), startLog);
    QVERIFY(page.form.Command1->isEnabled());
    QVERIFY(page.form.Command6->isEnabled());
    QCOMPARE(page.probe.probeCount(), 15);
}

void GuidedAlignmentTest::finishedMeasurementWindowWaitsForCompletado()
{
    GuidedPage page;
    page.calcular();
    QVERIFY(page.measureTimes(3));
    closeThroughFrame(page.measurement());
    QTest::qWait(20);
    QVERIFY(page.runEnded());
    QCOMPARE(page.measurementLines().size(), 15);
    page.click(page.completado());
    QVERIFY(page.prompt());
    QCOMPARE(page.form.State.GuidedStep, 2);
}

void GuidedAlignmentTest::measurementWindowClosedDuringRunOpensAgain()
{
    GuidedPage page;
    page.calcular();
    page.probe.hold(true);
    page.aceptar();
    for (int sample = 0; sample < 3; ++sample)
        QVERIFY(page.answerProbe(sample));
    QTRY_VERIFY(page.probe.probePending());
    QPointer<QWidget> first = page.measurement();
    closeThroughFrame(first);
    QTRY_VERIFY(!first);

    page.probe.hold(false);
    page.probe.release();
    QTRY_VERIFY(page.runEnded());
    QCOMPARE(page.measurementLines().size(), 12);
    QCOMPARE(page.chart()[0].size(), 12);
    QCOMPARE(page.total(0), " 15");
}

void GuidedAlignmentTest::reactivatedMeasurementWindowIsCleared()
{
    GuidedPage page;
    page.calcular();
    QVERIFY(page.measureTimes(3));
    QWidget* measurement = page.measurement();
    page.form.activateWindow();
    QTRY_VERIFY(page.form.isActiveWindow());
    QCOMPARE(page.measurementLines().size(), 15);
    measurement->activateWindow();
    QTRY_VERIFY(page.measurementLines().isEmpty());
    QCOMPARE(page.chart(), QStringList(5, QString()));
    QCOMPARE(page.in<QProgressBar>(measurement, "ProgressBar1")->value(), 1);
}

void GuidedAlignmentTest::unavailableIcmpIsNoConnectionAndToldOnce()
{
    const QString reason = QStringLiteral("ICMP no permitido: ejecute como administrador");
    GuidedPage page;
    page.probe.setStartupWorks(false);
    page.probe.setFailureText(reason);
    page.calcular();
    page.aceptar();
    QTRY_COMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
    QCOMPARE(openMessageBoxes(IcmpNoticeTitle).front()->text(), reason);
    openMessageBoxes(IcmpNoticeTitle).front()->close();
    // Back from the message box: that activation leaves the chart alone.
    page.measurement()->activateWindow();
    QTRY_VERIFY(page.measurement()->isActiveWindow());
    QTRY_VERIFY(page.runEnded());
    QCOMPARE(page.chart(), QStringList({QString(15, u' '), QString(15, u' '), QString(15, u' '), QString(15, u' '),
                                        QString(15, u'-')}));
    QCOMPARE(page.total(0), " 90");

    page.click(page.completado());
    QVERIFY(page.measure({}));
    QVERIFY(openMessageBoxes(IcmpNoticeTitle).isEmpty());
    QCOMPARE(page.total(1), " 90");
    QCOMPARE(page.probe.probeCount(), 0);

    page.click(page.completado());
    page.detener();
    page.calcular();
    page.aceptar();
    QTRY_COMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
}

void GuidedAlignmentTest::endsCleanlyInAnyPhase_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<bool>("salir");
    for (const char* phase : {"prompt", "probe", "pause", "measured"}) {
        QTest::addRow("SALIR, %s", phase) << phase << true;
        QTest::addRow("closing, %s", phase) << phase << false;
    }
}

void GuidedAlignmentTest::endsCleanlyInAnyPhase()
{
    QFETCH(QString, phase);
    QFETCH(bool, salir);
    // A pause in progress lasts its full time.
    platform::setPauseSpeedup(phase == "pause" ? 1 : FastClock);
    auto page = std::make_unique<GuidedPage>();
    page->calcular();
    if (phase != "prompt") {
        page->probe.hold(phase == "probe");
        page->aceptar();
        if (phase == "probe")
            QTRY_VERIFY(page->probe.probePending());
        else if (phase == "pause")
            QTRY_VERIFY(page->measurement() && page->measurementLines().size() == 1);
        else
            QVERIFY(waitUntil(GuidedPage::runEnded));
    }
    QTimer::singleShot(0, &page->form, [&] {
        if (salir)
            page->click(page->control("Command4"));
        else
            page->form.close();
    });
    QTimer::singleShot(3000, [] { QCoreApplication::exit(1); });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));

    page.reset();
    QTest::qWait(phase == "pause" ? 600 : 20);
    QVERIFY(!openWindow("Form2") && !openWindow("Form4"));
}

QTEST_MAIN(GuidedAlignmentTest)
#include "guided_alignment_test.moc"
