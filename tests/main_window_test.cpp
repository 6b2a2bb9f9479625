// The main window itself: its start-up, its two pages, its links, "BORRAR
// DATOS" and "SALIR", and where every control of the windows stands.
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>
#include <memory>

namespace {

constexpr quint32 Red = 0x000000FF;

// Brings a window to a moment of the program's life: idle, a guided
// alignment's prompt, probe, pause or finished run, or a dynamic run's probe
// or pause.
bool reach(WindowDriver& d, const QString& phase)
{
    const bool probing = phase.endsWith("probe");
    d.probe.hold(probing);
    if (phase.startsWith("dynamic")) {
        d.iniciar();
        return waitUntil([&] { return probing ? d.probe.probePending() : d.passLines().size() == 1; });
    }
    if (phase == "idle")
        return true;
    d.calcular();
    if (phase == "prompt")
        return d.prompt();
    d.aceptar();
    if (phase == "measured")
        return waitUntil(WindowDriver::runEnded);
    return waitUntil([&] {
        return probing ? d.probe.probePending() : d.measurement() && d.measurementLines().size() == 1;
    });
}

} // namespace

// Receives the pages the window asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QStringList urls;
public slots:
    void open(const QUrl& url) { urls << url.toString(); }
};

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsGuidedPageAndLocalAddress();
    void startUpSaysWhenIcmpCannotBeSent();
    void tabSwitchResizesWindow();
    void linksOpenTheSitePages();
    void borrarDatosResetsTheAlignment();
    void endsAtOnceInAnyPhase_data();
    void endsAtOnceInAnyPhase();
};

void MainWindowTest::startUpShowsGuidedPageAndLocalAddress()
{
    WindowDriver d;
    const QStringList log = lines(d.form.List1);
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0], "Iniciando variables...");
    QVERIFY(log[1].startsWith("Encontrada IP local "));
    const QString local = log[1].mid(20);
    QVERIFY2(QRegularExpression("^\\d{1,3}(\\.\\d{1,3}){3}$").match(local).hasMatch(), qPrintable(local));
    QCOMPARE(d.form.Text1[7]->text(), local);
    QCOMPARE(d.form.Text1[9]->text(), local);
    QCOMPARE(lines(d.form.List2), QStringList{log[1]});
    QCOMPARE(d.form.windowTitle(), "Orienzo wireless");
    QVERIFY(d.form.Frame15->isVisible());
    QVERIFY(!d.form.Frame16->isVisible());
    QCOMPARE(d.form.State.LoopDelay, 500);
    QVERIFY(!d.form.Command2->isEnabled());
    QVERIFY(!d.form.Command7->isEnabled());
    QVERIFY(d.form.Command1->isEnabled());
    QCOMPARE(d.form.Text11->text(), "          |");
    QCOMPARE(d.form.Text1[0]->text(), "0");
}

void MainWindowTest::startUpSaysWhenIcmpCannotBeSent()
{
    ScriptedProbeService noIcmp;
    noIcmp.setStartupWorks(false);
    noIcmp.setFailureText("No se pueden enviar solicitudes de eco ICMP\n    sudo setcap cap_net_raw+ep");
    WindowDriver without(&noIcmp);
    for (const QListWidget* log : {without.form.List1, without.form.List2}) {
        QVERIFY(lines(log).contains("No se pueden enviar solicitudes de eco ICMP"));
        QVERIFY(lines(log).contains("    sudo setcap cap_net_raw+ep"));
    }
    WindowDriver with;
    QVERIFY(!lines(with.form.List1).join(' ').contains("ICMP"));
}

void MainWindowTest::tabSwitchResizesWindow()
{
    WindowDriver d;
    QTabBar* tabs = d.form.TabStrip1->tabBar();
    QCOMPARE(tabs->tabText(0), "Orienzo guiado");
    QCOMPARE(tabs->tabText(1), "Orienzo dinamico");
    for (const auto& [page, stripHeight] : {std::pair{1, 6635}, {0, 8555}}) {
        showPage(d.form, page);
        QCOMPARE(d.form.Frame15->isVisible(), page == 0);
        QCOMPARE(d.form.Frame16->isVisible(), page == 1);
        QCOMPARE(d.form.TabStrip1->height(), stripHeight / 15);
        QCOMPARE(d.form.frameGeometry().height(), (stripHeight + 750) / 15);
    }
}

void MainWindowTest::linksOpenTheSitePages()
{
    WindowDriver d;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    d.click("Command5");
    d.click("Image1");
    d.form.Menu->trigger();
    showPage(d.form, 1);
    d.click("Command8");
    d.click("Image2");
    QDesktopServices::unsetUrlHandler("http");

    const QString site = QStringLiteral("http://" ORIENZO_TEST_SITE_HOST);
    QCOMPARE(catcher.urls, QStringList({site + "/foro/", site, site + "/foro/viewtopic.php?t=310", site + "/foro/", site}));
}

// Everything a finished or abandoned alignment left goes, but the addresses
// typed on the dynamic page, the chosen speed and the target stay.
void MainWindowTest::borrarDatosResetsTheAlignment()
{
    WindowDriver d;
    const QStringList startLog = lines(d.form.List1);
    AlignmentState& state = d.form.State;
    state.GuidedStep = 4;
    state.SampleIndex = 9;
    state.ProbeCount = 9;
    state.LastGrade = 3;
    state.TotalPlusV = 40;
    state.GradesMinusH[7] = 5;
    state.GuidedTargetIP = "10.0.0.9";
    state.LoopDelay = 1500;
    typeAddress(d.form, {8, 6, 5, 4, 3, 2, 1, 0}, "1.2.3.4.5.6.7.8");
    typeAddress(d.form, DynamicTargetBoxes, "44.0.0.1");
    paste(d.form.Text10[1], " 33");  // the up box stays empty, its arm as designed
    for (QLineEdit* box : {d.form.Text12, d.form.Text14, d.form.Text5, d.form.Text6})
        box->setText("|||");
    d.form.ProgressBar3->setValue(3);
    d.form.ProgressBar4->setValue(20);
    for (Shape* shape : {d.form.Shape6[1], d.form.Shape1})
        shape->setBackStyle(Shape::Opaque);
    d.form.Timer1->setEnabled(true);
    d.form.Command1->setEnabled(false);
    d.form.Command6->setEnabled(false);
    d.form.Command2->setEnabled(true);
    d.form.List1->addItem("Test finalizado.");

    d.click("Command2");

    QCOMPARE(lines(d.form.List1), startLog);
    QCOMPARE(d.form.List2->count(), 0);
    for (int box : {8, 6, 5, 4, 3, 2, 1, 0})
        QCOMPARE(d.form.Text1[box]->text(), "0");
    QCOMPARE(d.form.Text1[10]->text(), "44");
    for (QLineEdit* box : {d.form.Text10[1], d.form.Text12, d.form.Text14, d.form.Text5, d.form.Text6})
        QCOMPARE(box->text(), QString());
    QCOMPARE(d.form.ProgressBar3->value(), 0);
    QCOMPARE(d.form.ProgressBar4->value(), 0);
    for (const Shape* shape : {d.form.Shape6[0], d.form.Shape6[1], d.form.Shape1})
        QVERIFY(!shape->isOpaque());
    QCOMPARE(d.form.Shape6[0]->backColor(), Red);  // an empty box reads 0
    QVERIFY(!d.form.Timer1->isEnabled());
    QVERIFY(d.form.Command1->isEnabled());
    QVERIFY(d.form.Command6->isEnabled());
    QVERIFY(!d.form.Command2->isEnabled());
    QCOMPARE(state.GuidedStep, 1);
    QCOMPARE(state.SampleIndex, 1);
    QCOMPARE(state.ProbeCount, 0);
    QCOMPARE(state.LastGrade, 0);
    QCOMPARE(state.TotalPlusV, 0);
    QCOMPARE(state.GradesMinusH[7], 0);
    QCOMPARE(state.GuidedTargetIP, "10.0.0.9");
    QCOMPARE(state.LoopDelay, 1500);
    QVERIFY(state.StopRequested);
}

void MainWindowTest::endsAtOnceInAnyPhase_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<bool>("salir");
    for (const char* phase : {"idle", "prompt", "guided probe", "guided pause", "measured", "dynamic probe",
                              "dynamic pause"})
        for (const bool salir : {true, false})
            QTest::addRow("%s, %s", salir ? "SALIR" : "closing", phase) << QString::fromLatin1(phase) << salir;
}

// "SALIR", or closing the main window through its frame, ends the program at
// once, and nothing of a measurement goes on after it.
void MainWindowTest::endsAtOnceInAnyPhase()
{
    QFETCH(QString, phase);
    QFETCH(bool, salir);
    // A pause in progress lasts its full time.
    platform::setPauseSpeedup(phase.endsWith("pause") ? 1 : 100);
    auto d = std::make_unique<WindowDriver>();
    QVERIFY(reach(*d, phase));
    QTimer::singleShot(0, &d->form, [&] {
        if (!salir)
            return closeThroughFrame(&d->form);
        showPage(d->form, 0);
        d->click("Command4");
    });
    QTimer::singleShot(3000, &d->form, [] { QCoreApplication::exit(1); });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));

    d.reset();
    QTest::qWait(phase.endsWith("pause") ? 600 : 20);
    QVERIFY(!openWindow("Form2") && !openWindow("Form4"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
