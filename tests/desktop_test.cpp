#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QMenuBar>
#include <QProcess>
#include <QToolButton>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// A property of the window's X11 window as the desktop reads it; empty when
// the window has none.
QByteArray x11Property(QWidget* window, const char* name)
{
    xcb_connection_t* connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const auto atomCookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection, atomCookie, nullptr);
    const auto cookie = xcb_get_property(connection, 0, xcb_window_t(window->winId()), atom->atom,
                                         XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20);
    std::free(atom);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    QByteArray value;
    if (reply && reply->type != XCB_ATOM_NONE)
        value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}

QByteArray shownTitle(QWidget* window)
{
    return x11Property(window, "_NET_WM_NAME") + x11Property(window, "WM_NAME");
}

// A key pressed on the keyboard: the X server hands it to whichever window
// the window manager has made active.
void pressKey(const char* key)
{
    QCOMPARE(QProcess::execute(QStringLiteral(X_DRIVER), {QStringLiteral("key"), QLatin1String(key)}), 0);
}

bool windowManagerRuns()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    return xprop.waitForFinished() && xprop.readAll().contains("window id");
}

// The window is the active one and the button has the keyboard focus.
bool focusedIn(QWidget* window, const QString& button)
{
    return window && QApplication::activeWindow() == window
        && QApplication::focusWidget() == window->findChild<QWidget*>(button);
}

} // namespace

// How the windows look to a desktop: on a virtual X server, with a session
// bus on which a global menu service is present.
class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (CTest starts a virtual one with xvfb-run)");
        QVERIFY2(QDBusConnection::sessionBus().registerService(QStringLiteral("com.canonical.AppMenu.Registrar")),
                 "needs a session bus (CTest starts one with dbus-run-session)");
        platform::setPauseSpeedup(100);
    }

    // The main window with its icon, its title and its menu bar in the
    // window; the tool windows with no title text.
    void windowsAsTheDesktopShowsThem()
    {
        WindowDriver d;
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        QVERIFY(!d.form.windowIcon().isNull());
        QVERIFY(x11Property(&d.form, "_NET_WM_ICON").size() > 16 * 16 * 4);
        QCOMPARE(x11Property(&d.form, "_NET_WM_NAME"), QByteArray("Orienzo wireless"));
        auto* corner = qobject_cast<QMenuBar*>(d.form.menuBar()->cornerWidget(Qt::TopRightCorner));
        for (QMenuBar* bar : {d.form.menuBar(), corner}) {
            QVERIFY(!bar->isNativeMenuBar());
            QVERIFY(bar->isVisible());
        }
        QCOMPARE(corner->actions().value(0)->text(), "Acerca de");

        d.click("Command3");
        d.calcular();
        d.aceptar();
        QTRY_VERIFY(d.measurement());
        for (const char* name : {"Form2", "Form3"}) {
            QWidget* window = openWindow(QString::fromLatin1(name));
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY2(shownTitle(window).isEmpty(), name);
        }
        QTRY_VERIFY(d.runEnded());
        d.completado();
        QVERIFY(QTest::qWaitForWindowExposed(d.prompt()));
        QVERIFY(shownTitle(d.prompt()).isEmpty());
    }

    // After "CALCULAR" each window comes up active with the button to press
    // focused, so Return alone walks all four orientations; Escape at a
    // prompt stops as "DETENER" does.
    void oneKeyWalksTheGuidedAlignment()
    {
        QVERIFY2(windowManagerRuns(), "needs a window manager (CTest starts openbox)");
        WindowDriver d;
        QVERIFY(QTest::qWaitForWindowActive(&d.form));
        d.form.SoundSwitch->click();
        typeAddress(d.form, GuidedTargetBoxes, QStringLiteral("127.0.0.1"));
        d.form.Command1->setFocus();
        pressKey("Return");
        for (int step = 1; step <= 4; ++step) {
            QTRY_VERIFY2(focusedIn(d.prompt(), QStringLiteral("Command1")), "ACEPTAR focused");
            QCOMPARE(d.form.State.GuidedStep, step);
            pressKey("Return");
            QTRY_VERIFY2(focusedIn(d.measurement(), QStringLiteral("Command1")), "COMPLETADO focused");
            QVERIFY(d.runEnded());
            QCOMPARE(d.measurementLines().size(), 15);
            pressKey("Return");
            QTRY_COMPARE(d.tones.played.count(measuredChime()), step);
        }
        QTRY_COMPARE(lines(d.form.List1).last(), "Revise los parametros de correcion.");
        QCOMPARE(d.form.State.GuidedStep, 5);
        QCOMPARE(d.probe.probeCount(), 60);

        d.click(QStringLiteral("Command2"));
        d.form.Command1->setFocus();
        typeAddress(d.form, GuidedTargetBoxes, QStringLiteral("127.0.0.1"));
        d.click(QStringLiteral("Command1"));
        QTRY_VERIFY(focusedIn(d.prompt(), QStringLiteral("Command1")));
        pressKey("Escape");
        QTRY_VERIFY(!d.prompt());
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
