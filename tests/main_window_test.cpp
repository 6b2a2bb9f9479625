#include "app/orienzo_window.h"
#include "core/reset_alignment.h"
#include "main_window/cue_timer.h"
#include "main_window/shape.h"
#include "platform/local_address.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

QStringList lines(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void retype(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
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
    void init();
    void cleanup();
    void startUpShowsGuidedPageAndLocalAddress();
    void startUpSaysWhenIcmpCannotBeSent();
    void tabSwitchResizesWindow();
    void addressBuildersJoinBoxesAsTyped_data();
    void addressBuildersJoinBoxesAsTyped();
    void octetBoxesHoldThreeCharacters();
    void linksOpenTheSitePages();
    void resetAfterStartUpLeavesTheStartUpLog();
    void resetClearsChangedStateAndFields();
    void salirEndsTheProgram();
    void closingTheWindowEndsTheProgram();

private:
    template <typename T>
    T* control(const char* name) { return form->findChild<T*>(QString::fromLatin1(name)); }
    int exitCodeAfter(const std::function<void()>& action);

    ScriptedProbeService probe;
    RecordingTonePlayer tones;
    std::unique_ptr<OrienzoWindow> form;
};

void MainWindowTest::init()
{
    form = std::make_unique<OrienzoWindow>(probe, tones);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void MainWindowTest::cleanup()
{
    form.reset();
}

void MainWindowTest::startUpShowsGuidedPageAndLocalAddress()
{
    const QString local = platform::localIPv4Address();
    QCOMPARE(form->windowTitle(), "Orienzo wireless");
    QCOMPARE(control<QLineEdit>("Text1(7)")->text(), local);
    QCOMPARE(control<QLineEdit>("Text1(9)")->text(), local);
    QCOMPARE(lines(control<QListWidget>("List1")), QStringList({"Iniciando variables...", "Encontrada IP local " + local}));
    QCOMPARE(lines(control<QListWidget>("List2")), QStringList({"Encontrada IP local " + local}));
    QVERIFY(control<QGroupBox>("Frame15")->isVisible());
    QVERIFY(!control<QGroupBox>("Frame16")->isVisible());
    QCOMPARE(form->State.LoopDelay, 500);
    QVERIFY(!control<QPushButton>("Command2")->isEnabled());
    QVERIFY(!control<QPushButton>("Command7")->isEnabled());
    QVERIFY(control<QPushButton>("Command1")->isEnabled());
    QCOMPARE(control<QLineEdit>("Text11")->text(), QString(10, u' ') + u'|');
    QCOMPARE(control<QLineEdit>("Text1(0)")->text(), "0");
}

void MainWindowTest::startUpSaysWhenIcmpCannotBeSent()
{
    ScriptedProbeService noIcmp;
    noIcmp.setStartupWorks(false);
    noIcmp.setFailureText("No se pueden enviar solicitudes de eco ICMP\n    sudo setcap cap_net_raw+ep");
    OrienzoWindow window(noIcmp, tones);
    for (const char* name : {"List1", "List2"}) {
        const QStringList log = lines(window.findChild<QListWidget*>(name));
        QVERIFY(log.contains("No se pueden enviar solicitudes de eco ICMP"));
        QVERIFY(log.contains("    sudo setcap cap_net_raw+ep"));
    }
    QVERIFY(!lines(control<QListWidget>("List1")).join(' ').contains("ICMP"));
}

void MainWindowTest::tabSwitchResizesWindow()
{
    auto* strip = control<QTabWidget>("TabStrip1");
    QTabBar* tabs = strip->tabBar();
    QCOMPARE(tabs->tabText(0), "Orienzo guiado");
    QCOMPARE(tabs->tabText(1), "Orienzo dinamico");

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QVERIFY(control<QGroupBox>("Frame16")->isVisible());
    QVERIFY(!control<QGroupBox>("Frame15")->isVisible());
    QCOMPARE(strip->height(), 6635 / 15);
    QCOMPARE(form->frameGeometry().height(), 6635 / 15 + 50);

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QVERIFY(control<QGroupBox>("Frame15")->isVisible());
    QVERIFY(!control<QGroupBox>("Frame16")->isVisible());
    QCOMPARE(strip->height(), 8555 / 15);
    QCOMPARE(form->frameGeometry().height(), 8555 / 15 + 50);
}

void MainWindowTest::addressBuildersJoinBoxesAsTyped_data()
{
    QTest::addColumn<QStringList>("typed");  // left to right on screen
    QTest::addColumn<QString>("address");
    QTest::newRow("as designed") << QStringList{"0", "0", "0", "0"} << "0.0.0.0";
    QTest::newRow("station") << QStringList{"192", "168", "1", "20"} << "192.168.1.20";
    QTest::newRow("empty box") << QStringList{"192", "168", "", "1"} << "192.168..1";
    QTest::newRow("kept as typed") << QStringList{" 1", "010", "x", "300"} << " 1.010.x.300";
}

void MainWindowTest::addressBuildersJoinBoxesAsTyped()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, address);
    const char* guidedBoxes[] = {"Text1(3)", "Text1(2)", "Text1(1)", "Text1(0)"};
    const char* dynamicBoxes[] = {"Text1(10)", "Text1(11)", "Text1(12)", "Text1(13)"};
    for (int i = 0; i < 4; ++i) {
        retype(control<QLineEdit>(guidedBoxes[i]), typed[i]);
        retype(control<QLineEdit>(dynamicBoxes[i]), typed[i]);
    }
    form->BuildGuidedTarget();
    form->BuildDynamicTarget();
    QCOMPARE(form->State.GuidedTargetIP, address);
    QCOMPARE(form->State.DynamicTargetIP, address);

    // The boxes are read in screen order, whatever their indexes.
    QVERIFY(control<QLineEdit>("Text1(3)")->x() < control<QLineEdit>("Text1(0)")->x());
    QVERIFY(control<QLineEdit>("Text1(10)")->x() < control<QLineEdit>("Text1(13)")->x());
}

void MainWindowTest::octetBoxesHoldThreeCharacters()
{
    auto* box = control<QLineEdit>("Text1(3)");
    retype(box, "12345");
    QCOMPARE(box->text(), "123");
}

void MainWindowTest::linksOpenTheSitePages()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QTest::mouseClick(control<QPushButton>("Command5"), Qt::LeftButton);
    QTest::mouseClick(control<QWidget>("Image1"), Qt::LeftButton);
    control<QAction>("Menu")->trigger();
    control<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    QTest::mouseClick(control<QPushButton>("Command8"), Qt::LeftButton);
    QTest::mouseClick(control<QWidget>("Image2"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("http");

    const QString site = QStringLiteral("http://" ORIENZO_TEST_SITE_HOST);
    QCOMPARE(catcher.urls, QStringList({site + "/foro/", site, site + "/foro/viewtopic.php?t=310", site + "/foro/", site}));
}

void MainWindowTest::resetAfterStartUpLeavesTheStartUpLog()
{
    ResetAlignment(form->State, *form);
    const QString found = "Encontrada IP local " + form->State.LocalAddress;
    QCOMPARE(lines(control<QListWidget>("List1")), QStringList({"Iniciando variables...", found}));
    QVERIFY(lines(control<QListWidget>("List2")).isEmpty());
    QCOMPARE(form->State.GuidedStep, 1);
    QCOMPARE(form->State.SampleIndex, 1);
    QVERIFY(form->State.StopRequested);
}

void MainWindowTest::resetClearsChangedStateAndFields()
{
    AlignmentState& state = form->State;
    state.GuidedStep = 4;
    state.ProbeCount = 9;
    state.LastGrade = 3;
    state.TotalPlusV = 40;
    state.GradesMinusH[7] = 5;
    state.GuidedTargetIP = "10.0.0.9";
    state.LoopDelay = 1500;
    retype(control<QLineEdit>("Text1(0)"), "7");
    retype(control<QLineEdit>("Text1(10)"), "44");
    form->Text10[0]->setText(" 33");
    form->Text12->setText("|||");
    form->ProgressBar4->setValue(20);
    form->Shape6[1]->setBackStyle(Shape::Opaque);
    form->Shape1->setBackStyle(Shape::Opaque);
    form->Timer1->setEnabled(true);
    form->Command1->setEnabled(false);
    form->Command6->setEnabled(false);
    form->Command2->setEnabled(true);
    form->List2->addItem("Ultimo valor para alineacion 5");

    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);

    QCOMPARE(control<QLineEdit>("Text1(0)")->text(), "0");
    QCOMPARE(control<QLineEdit>("Text1(10)")->text(), "44");
    QVERIFY(form->Text10[0]->text().isEmpty());
    QVERIFY(form->Text12->text().isEmpty());
    QCOMPARE(form->ProgressBar4->value(), 0);
    QVERIFY(!form->Shape6[1]->isOpaque());
    QVERIFY(!form->Shape1->isOpaque());
    QVERIFY(!form->Timer1->isEnabled());
    QVERIFY(form->Command1->isEnabled());
    QVERIFY(form->Command6->isEnabled());
    QVERIFY(!form->Command2->isEnabled());
    QCOMPARE(form->List2->count(), 0);
    QCOMPARE(state.GuidedStep, 1);
    QCOMPARE(state.ProbeCount, 0);
    QCOMPARE(state.LastGrade, 0);
    QCOMPARE(state.TotalPlusV, 0);
    QCOMPARE(state.GradesMinusH[7], 0);
    QCOMPARE(state.GuidedTargetIP, "10.0.0.9");
    QCOMPARE(state.LoopDelay, 1500);
    QVERIFY(state.StopRequested);
}

int MainWindowTest::exitCodeAfter(const std::function<void()>& action)
{
    QTimer::singleShot(0, form.get(), action);
    QTimer::singleShot(3000, [] { QCoreApplication::exit(-1); });
    return QCoreApplication::exec();
}

void MainWindowTest::salirEndsTheProgram()
{
    QCOMPARE(exitCodeAfter([this] { QTest::mouseClick(control<QPushButton>("Command4"), Qt::LeftButton); }), 0);
}

void MainWindowTest::closingTheWindowEndsTheProgram()
{
    QCOMPARE(exitCodeAfter([this] { form->close(); }), 0);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
