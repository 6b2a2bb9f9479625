// The main window itself: its start-up, its two pages, "BORRAR DATOS" and
// "SALIR", and its keys.
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

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
    return waitUntil(
        [&] { return probing ? d.probe.probePending() : d.measurement() && d.measurementLines().size() == 1; });
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

QString focused()
{
    return QApplication::focusWidget()->objectName();
}

bool tabTo(const QString& name)
{
    for (int presses = 0; presses < 40 && focused() != name; ++presses)
        press(Qt::Key_Tab);
    return focused() == name;
}

// The control of this name and role, found as a screen reader finds it:
// child by child from the window down.
QAccessibleInterface* accessibleNamed(QAccessibleInterface* from, const QString& name, QAccessible::Role role)
{
    if (from->text(QAccessible::Name) == name && from->role() == role)
        return from;
    for (int index = 0; index < from->childCount(); ++index) {
        QAccessibleInterface* child = from->child(index);
        if (child->parent()->object() != from->object() || from->indexOfChild(child) != index)
            qFatal("%s: child %d does not lead back to its parent", qPrintable(name), index);
        if (QAccessibleInterface* found = accessibleNamed(child, name, role))
            return found;
    }
    return nullptr;
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
    void init() { platform::setPauseSpeedup(100); }

    void startUp_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("ICMP available") << QString();
        QTest::newRow("no ICMP") << "No se pueden enviar solicitudes de eco ICMP\n    sudo setcap cap_net_raw+ep";
    }

    // Without any way to send ICMP, both logs say so at once, with the remedy.
    void startUp()
    {
        QFETCH(QString, failure);
        ScriptedProbeService probe;
        probe.setStartupFailure(failure);
        WindowDriver d(&probe);
        const QStringList told = failure.isEmpty() ? QStringList() : failure.split(u'\n');
        const QStringList log = lines(d.control<QListWidget>("List1"));
        const QString local = log.value(1).mid(20);
        QCOMPARE(log, QStringList({"Iniciando variables...", "Encontrada IP local " + local}) + told);
        QCOMPARE(lines(d.control<QListWidget>("List2")), QStringList{log[1]} + told);
        QVERIFY2(QRegularExpression("^\\d{1,3}(\\.\\d{1,3}){3}$").match(local).hasMatch(), qPrintable(local));
        QCOMPARE(texts(&d.form, {"Text1(7)", "Text1(9)"}), QStringList(2, local));
        QCOMPARE(d.form.windowTitle(), "Orienzo wireless");
        QVERIFY(d.control("Frame15")->isVisible());
        QVERIFY(!d.control("Frame16")->isVisible());
        QCOMPARE(d.state().LoopDelay, 500);
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
        QCOMPARE(d.control<QLineEdit>("Text11")->text(), "          |");
        QCOMPARE(d.control<QLineEdit>("Text1(0)")->text(), "0");
    }

    // Each tab shows its page and fits the window to it.
    void pages()
    {
        WindowDriver d;
        auto* strip = d.control<QTabWidget>("TabStrip1");
        QTabBar* tabs = strip->tabBar();
        QCOMPARE(tabs->tabText(0), "Orienzo guiado");
        QCOMPARE(tabs->tabText(1), "Orienzo dinamico");
        for (const auto& [page, stripHeight] : {std::pair{1, 6635}, {0, 8555}}) {
            showPage(d.form, page);
            QCOMPARE(d.control("Frame15")->isVisible(), page == 0);
            QCOMPARE(d.control("Frame16")->isVisible(), page == 1);
            QCOMPARE(strip->height(), stripHeight / 15);
            QCOMPARE(d.form.frameGeometry().height(), (stripHeight + 750) / 15);
        }
    }

    // After a guided alignment, everything it left goes; the addresses typed
    // on the dynamic page, the chosen speed and the target stay.
    void borrarDatosResetsTheAlignment()
    {
        WindowDriver d;
        auto* guidedLog = d.control<QListWidget>("List1");
        auto* dynamicLog = d.control<QListWidget>("List2");
        const QStringList startLog = lines(guidedLog);
        AlignmentState& state = d.state();
        typeAddress(d.form, {8, 6, 5, 4}, "1.2.3.4");
        typeAddress(d.form, DynamicTargetBoxes, "44.0.0.1");
        QTest::keyClick(d.control<QSlider>("Slider1"), Qt::Key_End);
        d.calcular();
        for (const qint32 roundTrip : {3, 12, 30, 50}) {
            QVERIFY(d.measureTimes(roundTrip));
            d.completado();
        }
        // What the cue and a dynamic run leave, and the up box emptied, its
        // arm coloured as designed.
        d.control<CueTimer>("Timer1")->setEnabled(true);
        for (QLineEdit* box : {d.control<QLineEdit>("Text6"), d.control<QLineEdit>("Text12")})
            box->setText("|||");
        d.control<Shape>("Shape1")->setBackStyle(Shape::Opaque);
        dynamicLog->addItem("Ultimo valor para alineacion 5");
        d.sumBox(0)->clear();
        d.arms()[0]->setBackColor(0x0000FF00);

        d.click("Command2");
        QCOMPARE(lines(guidedLog), startLog);
        QCOMPARE(dynamicLog->count(), 0);
        const QStringList guidedBoxes = texts(
            &d.form, {"Text1(8)", "Text1(6)", "Text1(5)", "Text1(4)", "Text1(3)", "Text1(2)", "Text1(1)", "Text1(0)"});
        QCOMPARE(guidedBoxes, QStringList(8, "0"));
        QCOMPARE(d.control<QLineEdit>("Text1(10)")->text(), "44");
        QCOMPARE(
            texts(&d.form, {"Text10(0)", "Text10(1)", "Text10(2)", "Text10(3)", "Text12", "Text14", "Text5", "Text6"}),
            QStringList(8, QString()));
        for (int bar = 3; bar <= 7; ++bar)
            QCOMPARE(d.control<QProgressBar>(u"ProgressBar%1"_s.arg(bar))->value(), 0);
        for (const Shape* shape : d.arms() + QList{d.control<Shape>("Shape1")})
            QVERIFY(!shape->isOpaque());
        QCOMPARE(d.arms()[0]->backColor(), 0x000000FF); // an empty box reads 0
        QVERIFY(!d.control<CueTimer>("Timer1")->isEnabled());
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
        QCOMPARE(state.GuidedStep, 1);
        QCOMPARE(state.SampleIndex, 1);
        QCOMPARE(state.ProbeCount, 0);
        QCOMPARE(state.LastGrade, 0);
        QCOMPARE(state.TotalMinusV, 0);
        QCOMPARE(state.GradesPlusH, GradeArray{});
        QCOMPARE(state.GuidedTargetIP, "127.0.0.1");
        QCOMPARE(state.LoopDelay, 2500);
        QVERIFY(state.StopRequested);
    }

    // Tab visits the octet boxes left to right, from the first receiving-
    // station box, ready for typing; screen readers name every control the
    // keyboard reaches, by its caption or by its row. The dynamic page works
    // with keys alone, and the keys stay on the button that undoes the one
    // just pressed.
    void keysAlone()
    {
        WindowDriver d;
        QApplication::setActiveWindow(&d.form);
        QVERIFY(QTest::qWaitForWindowActive(&d.form));
        QStringList visited;
        for (int presses = 0; presses < 4; ++presses) {
            visited << focused();
            press(Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"Text1(3)", "Text1(2)", "Text1(1)", "Text1(0)"}));
        QVERIFY(tabTo("Command4"));
        for (QWidget* control : d.form.findChildren<QWidget*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            if (control->focusPolicy() & Qt::TabFocus && !control->objectName().isEmpty())
                QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(),
                         qPrintable(control->objectName()));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(d.control<QLineEdit>("Text1(2)"))->text(QAccessible::Name),
                 "IP Receptor, octeto 2");

        press(Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(d.control("Frame16")->isVisible());
        // A box entered with the keyboard has its text selected, so typing replaces the "0".
        const QStringList octets{"127", "0", "0", "1"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(focused(), u"Text1(%1)"_s.arg(10 + i));
            QTest::keyClicks(QApplication::focusWidget(), octets[i]);
            press(Qt::Key_Tab);
        }
        QVERIFY(tabTo("Command6"));
        press(Qt::Key_Space);
        QCOMPARE(focused(), "Command7");
        QTRY_VERIFY(d.probe.probeCount() >= 2);
        QCOMPARE(d.probe.addresses().first(), "127.0.0.1");
        press(Qt::Key_Return); // "DETENER", with Enter this time
        QCOMPARE(focused(), "Command6");
        QTRY_VERIFY(!d.dynamicRunning());
        QVERIFY(tabTo("Slider1"));
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        QCOMPARE(d.state().LoopDelay, 1500);
        press(Qt::Key_End);
        QCOMPARE(d.state().LoopDelay, 2500);
        press(Qt::Key_Left);
        QCOMPARE(d.state().LoopDelay, 2000);
    }

    // "Sonido" and "Acerca de", in the menu bar's corners, are there for a
    // screen reader too, and pressed through it they do what a click does.
    void menuBarAsAScreenReaderSeesIt()
    {
        WindowDriver d;
        UrlCatcher catcher;
        for (const char* scheme : {"http", "file"})
            QDesktopServices::setUrlHandler(scheme, &catcher, "open");
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&d.form);
        QAccessibleInterface* sound = accessibleNamed(window, "Sonido", QAccessible::CheckBox);
        QAccessibleInterface* about = accessibleNamed(window, "Acerca de", QAccessible::MenuItem);
        QVERIFY(sound && about);
        QVERIFY(sound->state().checkable && !sound->state().checked);
        const QString press = QAccessibleActionInterface::pressAction();
        QCOMPARE(sound->actionInterface()->actionNames(),
                 QStringList({press, QAccessibleActionInterface::toggleAction()}));
        sound->actionInterface()->doAction(press);
        auto* soundSwitch = d.control<QToolButton>("SoundSwitch");
        QVERIFY(soundSwitch->isChecked() && d.tones.soundOn);
        QVERIFY(sound->state().checked);
        sound->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!soundSwitch->isChecked() && !sound->state().checked);

        QCOMPARE(about->actionInterface()->actionNames(), QStringList(press));
        about->actionInterface()->doAction(press);
        d.control<QAction>("Menu")->trigger();
        for (const char* scheme : {"http", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[0], catcher.urls[1]);
    }

    void endsAtOnceInAnyPhase_data()
    {
        QTest::addColumn<QString>("phase");
        QTest::addColumn<bool>("salir");
        for (const char* phase :
             {"idle", "prompt", "guided probe", "guided pause", "measured", "dynamic probe", "dynamic pause"})
            for (const bool salir : {true, false})
                QTest::addRow("%s, %s", salir ? "SALIR" : "closing", phase) << QString(phase) << salir;
    }

    // "SALIR", or closing the main window through its frame, ends the program
    // at once, and nothing of a measurement goes on after it, nor a prompt's
    // sentence.
    void endsAtOnceInAnyPhase()
    {
        QFETCH(QString, phase);
        QFETCH(bool, salir);
        if (phase.endsWith("pause"))
            platform::setPauseSpeedup(1); // a pause in progress lasts its full time
        auto d = std::make_unique<WindowDriver>();
        d->click("SoundSwitch");
        QVERIFY(reach(*d, phase));
        QCOMPARE(d->voice.speaking, phase == "prompt");
        QTimer::singleShot(0, &d->form, [&] {
            showPage(d->form, 0);
            salir ? d->click("Command4") : closeThroughFrame(&d->form);
        });
        QTimer::singleShot(3000, &d->form, [] { QCoreApplication::exit(1); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!d->voice.speaking);
        d.reset();
        QTest::qWait(phase.endsWith("pause") ? 600 : 20);
        QVERIFY(!openWindow("Form2") && !openWindow("Form4"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
