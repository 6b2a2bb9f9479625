#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QMenuBar>

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
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
