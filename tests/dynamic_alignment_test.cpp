#include "app/orienzo_window.h"
#include "core/echo_probe.h"
#include "core/number_text.h"
#include "platform/pause_clock.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"
#include "support/window_driver.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace {

// 500 ms pauses take 5 ms.
constexpr int FastClock = 100;

const QString PassLine = QStringLiteral("Ultimo valor para alineacion");
const QString StartLine = QStringLiteral("Iniciando alineacion de antena");
const QString RefusalText = QStringLiteral("Debe especificar como minimo la IP del equipo Receptor");
const QString IcmpNoticeTitle = QStringLiteral("No se puede enviar ICMP");

constexpr quint32 Green = 0x0000FF00;
constexpr quint32 Blue = 0x00C00000;
constexpr quint32 DarkPurple = 0x00400040;
constexpr quint32 Red = 0x000000FF;

void closeMessageBoxes()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            box->close();
}

// The dynamic page as the user sees and works it, with scripted probes.
struct DynamicPage {
    ScriptedProbeService probe;
    RecordingTonePlayer tones;
    OrienzoWindow form{probe, tones};

    DynamicPage()
    {
        form.show();
        showPage(form, 1);
    }

    template <typename Control = QWidget>
    Control* control(const QString& name) const
    {
        auto* found = form.findChild<Control*>(name);
        Q_ASSERT_X(found, "control", qPrintable(name));
        return found;
    }

    QListWidget* log() const { return control<QListWidget>(QStringLiteral("List2")); }
    QWidget* indicator() const { return control(QStringLiteral("Shape1")); }
    quint32 indicatorColour() const { return indicator()->property("BackColor").toUInt(); }
    int indicatorStyle() const { return indicator()->property("BackStyle").toInt(); }
    bool running() const { return form.findChild<QObject*>(QStringLiteral("RunDynamicAlignment")) != nullptr; }
    bool enabled(const char* button) const { return control(QLatin1String(button))->isEnabled(); }

    void click(const char* button) { QTest::mouseClick(control(QLatin1String(button)), Qt::LeftButton); }

    void typeTarget(const QString& address) { typeAddress(form, DynamicTargetBoxes, address); }

    void start(const QString& address = QStringLiteral("127.0.0.1"))
    {
        typeTarget(address);
        click("Command6");
    }

    // The five chart lines, top to bottom.
    QStringList chart() const
    {
        QStringList lines;
        for (const char* name : {"Text12", "Text8", "Text7", "Text13", "Text10(4)"})
            lines.append(control<QLineEdit>(QLatin1String(name))->text());
        return lines;
    }

    // One column of the chart, top cell first.
    QString column(int index) const
    {
        QString cells;
        for (const QString& line : chart())
            cells += line.mid(index, 1);
        return cells;
    }

    QStringList passLines() const
    {
        QStringList lines;
        for (int row = 0; row < log()->count(); ++row)
            if (log()->item(row)->text().startsWith(PassLine))
                lines.append(log()->item(row)->text());
        return lines;
    }

    bool logShowsLastLine() const { return log()->currentRow() == log()->count() - 1; }

    enum Phase { FirstProbe, FirstPause };

    // Starts a run and returns once it waits in that phase of its first pass.
    bool startAndReach(Phase phase)
    {
        probe.hold(phase == FirstProbe);
        start();
        if (phase == FirstProbe)
            return QTest::qWaitFor([this] { return probe.probePending(); });
        return QTest::qWaitFor([this] { return passLines().size() == 1; });
    }

    // With probes held: answers the pending probe of each of `passes` passes,
    // and returns once the loop waits on the probe of the pass after them.
    bool completePasses(int passes)
    {
        for (int pass = 0; pass < passes; ++pass) {
            if (!QTest::qWaitFor([this] { return probe.probePending(); }))
                return false;
            const int lines = log()->count();
            probe.release();
            if (!QTest::qWaitFor([this, lines] { return log()->count() != lines; }))
                return false;
        }
        return QTest::qWaitFor([this] { return probe.probePending(); });
    }
};

} // namespace

class DynamicAlignmentTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
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
    void endsCleanlyMidPass_data();
    void endsCleanlyMidPass();
};

void DynamicAlignmentTest::initTestCase()
{
    platform::setPauseSpeedup(FastClock);
}

void DynamicAlignmentTest::cleanup()
{
    closeMessageBoxes();
    platform::setPauseSpeedup(FastClock);
}

void DynamicAlignmentTest::startLogsAndSwapsButtons()
{
    DynamicPage page;
    page.probe.hold(true);
    const int currentRow = page.log()->currentRow();
    page.start();

    QCOMPARE(page.log()->item(page.log()->count() - 1)->text(), StartLine);
    QCOMPARE(page.log()->currentRow(), currentRow);
    QVERIFY(!page.enabled("Command1"));
    QVERIFY(!page.enabled("Command6"));
    QVERIFY(page.enabled("Command7"));

    QVERIFY(page.completePasses(1));
    QCOMPARE(page.log()->item(page.log()->count() - 2)->text(), StartLine);
    QCOMPARE(page.probe.addresses().first(), QStringLiteral("127.0.0.1"));
}

void DynamicAlignmentTest::refusesUnsetAddress()
{
    DynamicPage page;
    const QString firstLine = page.log()->item(0)->text();
    const int lines = page.log()->count();
    page.start(QStringLiteral("0.0.0.0"));
    QTest::qWait(20);

    const QList<QMessageBox*> boxes = openMessageBoxes(QStringLiteral("Error"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first()->text(), RefusalText);
    QCOMPARE(page.log()->count(), lines);
    QCOMPARE(page.log()->item(0)->text(), firstLine);
    QVERIFY(page.enabled("Command1"));
    QVERIFY(page.enabled("Command6"));
    QVERIFY(!page.enabled("Command7"));
    QVERIFY(!page.running());
    QCOMPARE(page.probe.probeCount(), 0);
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
        const qint32 previous = colour == Red ? 0 : 100;
        QTest::newRow(name) << previous << status << roundTrip << QString::fromLatin1(column) << colour;
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

    DynamicPage page;
    page.probe.hold(true);
    page.probe.script(EchoStatus::Success, previous);
    page.probe.script(status, roundTrip);
    page.start();
    QVERIFY(page.completePasses(2));

    const int columns = column.isEmpty() ? 1 : 2;
    for (const QString& line : page.chart())
        QCOMPARE(line.size(), columns);
    if (!column.isEmpty())
        QCOMPARE(page.column(1), column);
    QCOMPARE(page.indicatorColour(), colour);
    QCOMPARE(page.indicatorStyle(), 1);

    // A failed probe leaves the record, and so the logged time, as it was.
    const qint32 logged = status == -1 ? previous : roundTrip;
    QCOMPARE(page.passLines(), QStringList({PassLine + NumberText(previous), PassLine + NumberText(logged)}));
    QVERIFY(page.logShowsLastLine());
}

void DynamicAlignmentTest::firstPassInGapKeepsDesignedColour()
{
    DynamicPage page;
    QCOMPARE(page.indicatorStyle(), 0);
    page.probe.hold(true);
    page.probe.scriptTimes({9});
    page.start();
    QVERIFY(page.completePasses(1));

    QCOMPARE(page.chart(), QStringList(5, QString()));
    QCOMPARE(page.indicatorStyle(), 1);
    QCOMPARE(page.indicatorColour(), DarkPurple);
}

void DynamicAlignmentTest::chartRestartsAfter14Columns()
{
    DynamicPage page;
    page.probe.hold(true);
    const int linesBefore = page.log()->count() + 1;
    page.start();

    int passes = 0;
    for (const auto& [more, columns] : {std::pair{14, 14}, {1, 1}, {13, 14}, {1, 1}}) {
        QVERIFY(page.completePasses(more));
        passes += more;
        QCOMPARE(page.chart(), QStringList(5, QString(columns, u'|')));
        QCOMPARE(page.log()->count(), linesBefore + passes);
        QVERIFY(page.logShowsLastLine());
    }
    QCOMPARE(page.column(0), QStringLiteral("|||||"));
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
    DynamicPage page;
    connect(page.log()->model(), &QAbstractItemModel::rowsInserted, &page.form, [&] {
        if (page.log()->item(page.log()->count() - 1)->text().startsWith(PassLine))
            passTimes.append(clock.elapsed());
    });
    page.start();
    QTRY_VERIFY(passTimes.size() >= 4);

    auto* slider = page.control<QSlider>(QStringLiteral("Slider1"));
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(slider->value(), 2500);
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

    DynamicPage page;
    QSignalSpy resets(page.log()->model(), &QAbstractItemModel::modelReset);
    QTest::keyClick(page.control(QStringLiteral("Slider1")), Qt::Key_End);
    QVERIFY(page.startAndReach(duringProbe ? DynamicPage::FirstProbe : DynamicPage::FirstPause));

    page.click("Command7");
    QVERIFY(page.enabled("Command1"));
    QVERIFY(page.enabled("Command6"));
    QVERIFY(!page.enabled("Command7"));
    QVERIFY(page.log()->count() > 0);
    QCOMPARE(resets.size(), 0);

    page.probe.release();
    QTRY_VERIFY(!page.running());
    QCOMPARE(resets.size(), 1);
    QCOMPARE(page.log()->count(), 0);
    QCOMPARE(page.control<QLineEdit>(QStringLiteral("Text1(0)"))->text(), QStringLiteral("0"));
    QCOMPARE(page.indicatorStyle(), 0);

    QTest::qWait(300);
    QCOMPARE(page.probe.probeCount(), 1);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(page.log()->count(), 0);
    QVERIFY(page.enabled("Command6"));
}

void DynamicAlignmentTest::passWithoutEchoFacilityShowsNoConnectivity()
{
    DynamicPage page;
    const QString reason = QStringLiteral("Sin permiso para ICMP");
    page.probe.setFailureText(reason);

    // A good probe first: the passes after it must not repeat it.
    QTest::keyClick(page.control(QStringLiteral("Slider1")), Qt::Key_End);
    page.probe.hold(true);
    page.probe.scriptTimes({3, 3});
    page.start();
    QVERIFY(page.completePasses(1));
    page.probe.setStartupWorks(false);
    page.probe.release();
    QTRY_VERIFY(page.passLines().size() >= 5);

    QCOMPARE(page.probe.probeCount(), 2);
    QCOMPARE(page.column(0), QStringLiteral("|||||"));
    QCOMPARE(page.column(1), QStringLiteral("|||||"));
    for (int column = 2; column < 5; ++column)
        QCOMPARE(page.column(column), QStringLiteral("    -"));
    QCOMPARE(page.indicatorColour(), Red);
    QCOMPARE(page.indicatorStyle(), 1);
    QList<QMessageBox*> notices = openMessageBoxes(IcmpNoticeTitle);
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices.first()->text(), reason);
    closeMessageBoxes();

    // A new run starts from nothing: no full column from the zeroed record,
    // and the user is told again.
    page.click("Command7");
    QTRY_VERIFY(!page.running());
    page.click("Command6");
    QTRY_VERIFY(page.passLines().size() >= 3);
    QCOMPARE(page.column(0), QStringLiteral("    -"));
    QCOMPARE(page.column(2), QStringLiteral("    -"));
    QCOMPARE(openMessageBoxes(IcmpNoticeTitle).size(), 1);
    QCOMPARE(page.probe.probeCount(), 2);
}

void DynamicAlignmentTest::logKeepsNewest1000Lines()
{
    constexpr int Passes = 1010;
    platform::setPauseSpeedup(500);
    DynamicPage page;
    for (qint32 roundTrip = 0; roundTrip < Passes; ++roundTrip)
        page.probe.script(EchoStatus::Success, roundTrip);
    page.start();

    // Waiting in an event loop of its own keeps the passes at the loop's pace.
    QEventLoop waiting;
    int passes = 0;
    connect(page.log()->model(), &QAbstractItemModel::rowsInserted, &waiting, [&] {
        if (++passes == Passes) {
            page.probe.hold(true);
            waiting.quit();
        }
    });
    QTimer::singleShot(60'000, &waiting, &QEventLoop::quit);
    waiting.exec();
    QCOMPARE(passes, Passes);

    QCOMPARE(page.log()->count(), 1000);
    QVERIFY(page.logShowsLastLine());
    QCOMPARE(page.log()->item(999)->text(), PassLine + NumberText(Passes - 1));
    QCOMPARE(page.log()->item(0)->text(), PassLine + NumberText(Passes - 1000));
}

void DynamicAlignmentTest::newRunTakesOverStoppingRun()
{
    DynamicPage page;
    QSignalSpy resets(page.log()->model(), &QAbstractItemModel::modelReset);
    page.probe.hold(true);
    page.start();
    QTRY_VERIFY(page.probe.probePending());
    page.click("Command7");
    page.click("Command6");
    QTRY_COMPARE(page.probe.probeCount(), 2);

    QVERIFY(page.completePasses(3));
    QCOMPARE(page.passLines().size(), 3);
    QCOMPARE(page.probe.probeCount(), 5);
    QCOMPARE(resets.size(), 0);
    QCOMPARE(page.chart().front().size(), 3);
}

// "CALCULAR" right after "DETENER" would otherwise clear the stop request
// before the loop saw it, leaving the dynamic run probing beside the guided one.
void DynamicAlignmentTest::guidedStartEndsStoppingRun()
{
    DynamicPage page;
    page.probe.hold(true);
    page.start();
    QTRY_VERIFY(page.probe.probePending());
    page.click("Command7");
    page.form.TabStrip1->setCurrentIndex(0);
    for (int box : {3, 2, 1, 0})
        page.form.Text1[box]->setText(QStringLiteral("1"));
    page.click("Command1");
    QVERIFY(!page.running());
    page.probe.release();
    QTest::qWait(30);
    QCOMPARE(page.probe.probeCount(), 1);
    QVERIFY(page.passLines().isEmpty());
}

void DynamicAlignmentTest::endsCleanlyMidPass_data()
{
    QTest::addColumn<bool>("duringProbe");
    QTest::addColumn<bool>("salir");
    QTest::newRow("SALIR during a probe") << true << true;
    QTest::newRow("SALIR during a pause") << false << true;
    QTest::newRow("closing during a probe") << true << false;
    QTest::newRow("closing during a pause") << false << false;
}

void DynamicAlignmentTest::endsCleanlyMidPass()
{
    QFETCH(bool, duringProbe);
    QFETCH(bool, salir);
    platform::setPauseSpeedup(1);

    DynamicPage page;
    QVERIFY(page.startAndReach(duringProbe ? DynamicPage::FirstProbe : DynamicPage::FirstPause));

    QTimer::singleShot(0, &page.form, [&] {
        if (!salir) {
            page.form.close();
            return;
        }
        showPage(page.form, 0);
        page.click("Command4");
    });
    QTimer tooLate;
    tooLate.setSingleShot(true);
    connect(&tooLate, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    tooLate.start(5000);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
}

QTEST_MAIN(DynamicAlignmentTest)
#include "dynamic_alignment_test.moc"
