#include "app/program_identity.h"
#include "platform/pause_clock.h"
#include "platform/window_system.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
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
        value =
            QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}

// A Wayland session of sway's, where the compositor tells what it shows;
// else an X server, where the window manager reads the windows' properties.
bool onSway()
{
    return qEnvironmentVariableIsSet("SWAYSOCK");
}

// A window of this program as the desktop shows it: its title, and the name
// by which the desktop finds its launcher, the app_id on Wayland and the
// window class on X11.
struct ShownWindow {
    QString title;
    QString launcherName;
    friend bool operator<(const ShownWindow& a, const ShownWindow& b) { return a.title < b.title; }
};

// A window manager shows the old WM_NAME where a window has no _NET_WM_NAME.
QList<ShownWindow> x11Windows()
{
    QList<ShownWindow> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        const QByteArray name = x11Property(window, "_NET_WM_NAME");
        shown.append({QString::fromUtf8(name.isEmpty() ? x11Property(window, "WM_NAME") : name),
                      QString::fromUtf8(x11Property(window, "WM_CLASS").split('\0').value(1))});
    }
    return shown;
}

void addSwayWindows(const QJsonObject& node, QList<ShownWindow>& shown)
{
    if (node[u"pid"_s].toInteger() == QCoreApplication::applicationPid()) {
        const QJsonValue appId = node[u"app_id"_s];
        shown.append({node[u"name"_s].toString().trimmed(),
                      appId.isString() ? appId.toString() : node[u"window_properties"_s][u"class"_s].toString()});
    }
    for (const QString& children : {u"nodes"_s, u"floating_nodes"_s})
        for (const QJsonValue& child : node[children].toArray())
            addSwayWindows(child.toObject(), shown);
}

// The windows of this program that the desktop shows, by title.
QList<ShownWindow> shownWindows()
{
    QList<ShownWindow> shown;
    if (onSway()) {
        QProcess swaymsg;
        swaymsg.start(u"swaymsg"_s, {u"-t"_s, u"get_tree"_s, u"-r"_s});
        swaymsg.waitForFinished();
        addSwayWindows(QJsonDocument::fromJson(swaymsg.readAllStandardOutput()).object(), shown);
    } else {
        shown = x11Windows();
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

QStringList titles(const QList<ShownWindow>& windows)
{
    QStringList titles;
    for (const ShownWindow& window : windows)
        titles << window.title;
    return titles;
}

// The launcher's names for the running windows: its file's name on Wayland,
// and the window class it names on X11.
QString launcherName()
{
    QFile launcher(QString::fromUtf8(LAUNCHER));
    launcher.open(QIODevice::ReadOnly);
    if (QGuiApplication::platformName() == u"wayland"_s)
        return QFileInfo(launcher).completeBaseName();
    const QRegularExpression windowClass(u"^StartupWMClass=(.*)$"_s, QRegularExpression::MultilineOption);
    return windowClass.match(QString::fromUtf8(launcher.readAll())).captured(1);
}

// A key pressed on the keyboard: the desktop hands it to whichever window it
// has made active.
void pressKey(const char* key)
{
    const QString driver = QString::fromUtf8(onSway() ? WAYLAND_DRIVER : X_DRIVER);
    QCOMPARE(QProcess::execute(driver, {u"key"_s, QLatin1StringView(key)}), 0);
}

bool windowManagerRuns()
{
    if (onSway())
        return true;
    QProcess xprop;
    xprop.start(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s});
    return xprop.waitForFinished() && xprop.readAll().contains("window id");
}

// The window is the active one and the button has the keyboard focus.
bool focusedIn(QWidget* window, const QString& button)
{
    return window && QApplication::activeWindow() == window
           && QApplication::focusWidget() == window->findChild<QWidget*>(button);
}

// The desktop's opener of addresses, first on PATH: it only writes down, one a
// line, what it was asked to open.
class BrowserStandIn {
public:
    BrowserStandIn()
    {
        QFile opener(m_folder.filePath(u"xdg-open"_s));
        opener.open(QIODevice::WriteOnly);
        opener.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.log\"\n");
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(m_folder.path()) + ':' + qgetenv("PATH"));
    }

    QStringList opened() const
    {
        QFile log(m_folder.filePath(u"xdg-open.log"_s));
        log.open(QIODevice::ReadOnly);
        return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_folder{QDir::tempPath() + u"/orienzo-browser-XXXXXX"_s};
};

QString titleOf(const QString& page)
{
    QFile file(page);
    file.open(QIODevice::ReadOnly);
    const QRegularExpression title(u"<title>(.*)</title>"_s);
    return title.match(QString::fromUtf8(file.readAll())).captured(1);
}

} // namespace

// How the windows look to a desktop, and what its links ask it to open: on a
// virtual X server or in a headless Wayland session, with a session bus on
// which a global menu service is present.
class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"xcb"_s && QGuiApplication::platformName() != u"wayland"_s)
            QSKIP("needs an X server or a Wayland session (CTest starts xvfb-run, and sway)");
        QVERIFY2(QDBusConnection::sessionBus().registerService(u"com.canonical.AppMenu.Registrar"_s),
                 "needs a session bus (CTest starts one with dbus-run-session)");
        platform::setPauseSpeedup(100);
    }

    // The main window with its icon, its title and its menu bar in the
    // window; the tool windows with no title text; all of them under the
    // launcher's icon.
    void windowsAsTheDesktopShowsThem()
    {
        WindowDriver d;
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        QVERIFY(!d.form.windowIcon().isNull());
        if (QGuiApplication::platformName() == u"xcb"_s)
            QVERIFY(x11Property(&d.form, "_NET_WM_ICON").size() > 16 * 16 * 4);
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
        for (const char* name : {"Form2", "Form3"})
            QVERIFY(QTest::qWaitForWindowExposed(openWindow(QString::fromLatin1(name))));
        const QStringList mainAndTwoUntitled{"", "", "Orienzo wireless"};
        QTRY_COMPARE(titles(shownWindows()), mainAndTwoUntitled);
        for (const ShownWindow& window : shownWindows())
            QCOMPARE(window.launcherName, launcherName());
        QTRY_VERIFY(d.runEnded());
        d.completado();
        QVERIFY(QTest::qWaitForWindowExposed(d.prompt()));
        QTRY_COMPARE(titles(shownWindows()), mainAndTwoUntitled);
    }

    // After "CALCULAR" each window comes up active with the button to press
    // focused, so Return alone walks all four orientations; Escape at a
    // prompt stops as "DETENER" does.
    void oneKeyWalksTheGuidedAlignment()
    {
        QVERIFY2(windowManagerRuns(), "needs a window manager (CTest starts openbox)");
        WindowDriver d;
        QVERIFY(QTest::qWaitForWindowActive(&d.form));
        d.control<QAbstractButton>(u"SoundSwitch"_s)->click();
        typeAddress(d.form, GuidedTargetBoxes, u"127.0.0.1"_s);
        d.control(u"Command1"_s)->setFocus();
        pressKey("Return");
        for (int step = 1; step <= 4; ++step) {
            QTRY_VERIFY2(focusedIn(d.prompt(), u"Command1"_s), "ACEPTAR focused");
            QCOMPARE(d.state().GuidedStep, step);
            pressKey("Return");
            QTRY_VERIFY2(focusedIn(d.measurement(), u"Command1"_s), "COMPLETADO focused");
            QVERIFY(d.runEnded());
            QCOMPARE(d.measurementLines().size(), 15);
            pressKey("Return");
            QTRY_COMPARE(d.tones.played.count(measuredChime()), step);
        }
        QTRY_COMPARE(lines(d.control<QListWidget>(u"List1"_s)).last(), "Revise los parametros de correcion.");
        QCOMPARE(d.state().GuidedStep, 5);
        QCOMPARE(d.probe.probeCount(), 60);

        d.click(u"Command2"_s);
        d.control(u"Command1"_s)->setFocus();
        typeAddress(d.form, GuidedTargetBoxes, u"127.0.0.1"_s);
        d.click(u"Command1"_s);
        QTRY_VERIFY(focusedIn(d.prompt(), u"Command1"_s));
        pressKey("Escape");
        QTRY_VERIFY(!d.prompt());
        QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
    }

    void linksOpenTheirPages_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("sitePath");
        QTest::addColumn<QString>("title");
        const QString help = u"Cómo alinear la antena con Orienzo wireless"_s;
        const QString about = u"/foro/viewtopic.php?t=310"_s;
        QTest::newRow("AYUDA, guided") << u"Command5"_s << 0 << u"/foro/"_s << help;
        QTest::newRow("AYUDA, dynamic") << u"Command8"_s << 1 << u"/foro/"_s << help;
        QTest::newRow("logo, guided") << u"Image1"_s << 0 << QString() << u"Orienzo wireless"_s;
        QTest::newRow("logo, dynamic") << u"Image2"_s << 1 << QString() << u"Orienzo wireless"_s;
        QTest::newRow("Acerca de") << u"Menu"_s << 1 << about << u"Acerca de Orienzo wireless"_s;
    }

    // Each link asks the desktop to open its page: the web site's in a build
    // with a site, else the page shipped with the program, which is there.
    void linksOpenTheirPages()
    {
        QFETCH(QString, control);
        QFETCH(int, page);
        QFETCH(QString, sitePath);
        QFETCH(QString, title);
        WindowDriver d;
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        showPage(d.form, page);
        const qsizetype before = m_browser.opened().size();
        if (control == "Menu") {
            auto* corner = qobject_cast<QMenuBar*>(d.form.menuBar()->cornerWidget(Qt::TopRightCorner));
            QTest::mouseClick(corner, Qt::LeftButton, {},
                              corner->actionGeometry(d.control<QAction>(u"Menu"_s)).center());
        } else {
            d.click(control);
        }
        QTRY_COMPARE(m_browser.opened().size(), before + 1);
        const QUrl address(m_browser.opened().last());
        if (QString::fromUtf8(ORIENZO_TEST_SITE_HOST).isEmpty()) {
            QVERIFY2(address.isLocalFile(), qPrintable(address.toString()));
            QCOMPARE(titleOf(address.toLocalFile()), title);
        } else {
            QCOMPARE(address.toString(), (u"http://"_s + QString::fromUtf8(ORIENZO_TEST_SITE_HOST)) + sitePath);
        }
    }

private:
    BrowserStandIn m_browser;
};

// The window system is chosen, and the program named, as the program does.
int main(int argc, char* argv[])
{
    platform::QtArguments arguments(argc, argv);
    QApplication app(arguments.count(), arguments.values());
    app.setAttribute(Qt::AA_Use96Dpi, true);
    nameTheProgram();
    DesktopTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, arguments.count(), arguments.values());
}

#include "desktop_test.moc"
