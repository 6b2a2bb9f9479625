#include "app/orienzo_window.h"
#include "platform/pause_clock.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <memory>

// Everything done here goes through the keyboard: the keys reach whichever
// control has the focus, as they would for a user without a mouse.
class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tabVisitsTheOctetBoxesLeftToRight();
    void everyReachableControlHasAName();
    void dynamicAlignmentStartsAndStopsWithKeysAlone();
    void arrowKeysMoveTheSpeedSlider();

private:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    QString focused() const { return QApplication::focusWidget()->objectName(); }
    void tabTo(const QString& name);
    void typeDynamicAddress(const QStringList& octets);

    ScriptedProbeService probe;
    RecordingTonePlayer tones;
    std::unique_ptr<OrienzoWindow> form;
};

void KeyboardTest::init()
{
    platform::setPauseSpeedup(50);
    form = std::make_unique<OrienzoWindow>(probe, tones);
    form->show();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void KeyboardTest::cleanup()
{
    form.reset();
    platform::setPauseSpeedup(1);
}

void KeyboardTest::tabTo(const QString& name)
{
    for (int presses = 0; presses < 40 && focused() != name; ++presses)
        press(Qt::Key_Tab);
    QCOMPARE(focused(), name);
}

void KeyboardTest::typeDynamicAddress(const QStringList& octets)
{
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(focused(), QStringLiteral("Text1(%1)").arg(10 + i));
        QTest::keyClicks(QApplication::focusWidget(), octets[i]);
        if (i < 3)
            press(Qt::Key_Tab);
    }
}

void KeyboardTest::tabVisitsTheOctetBoxesLeftToRight()
{
    QCOMPARE(focused(), "Text1(3)");  // the first receiving-station box, ready for typing
    QStringList visited;
    for (int presses = 0; presses < 4; ++presses) {
        visited << focused();
        press(Qt::Key_Tab);
    }
    QCOMPARE(visited, QStringList({"Text1(3)", "Text1(2)", "Text1(1)", "Text1(0)"}));
    tabTo("Command4");
}

// Screen readers name every control the keyboard can reach: by its caption,
// or by its row, such as "IP Receptor, octeto 1".
void KeyboardTest::everyReachableControlHasAName()
{
    for (QWidget* control : form->findChildren<QWidget*>()) {
        if (!(control->focusPolicy() & Qt::TabFocus) || control->objectName().isEmpty())
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(form->Text1[2])->text(QAccessible::Name), "IP Receptor, octeto 2");
}

void KeyboardTest::dynamicAlignmentStartsAndStopsWithKeysAlone()
{
    press(Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(form->findChild<QWidget*>("Frame16")->isVisible());
    // A box entered with the keyboard has its text selected, so typing replaces the "0".
    typeDynamicAddress({"127", "0", "0", "1"});
    tabTo("Command6");
    press(Qt::Key_Space);
    QVERIFY(!form->findChild<QPushButton*>("Command6")->isEnabled());
    QCOMPARE(focused(), "Command7");
    QTRY_VERIFY(probe.probeCount() >= 2);
    QCOMPARE(probe.addresses().first(), "127.0.0.1");

    press(Qt::Key_Return);  // "DETENER", with Enter this time
    QVERIFY(form->findChild<QPushButton*>("Command6")->isEnabled());
    QCOMPARE(focused(), "Command6");
    QTRY_COMPARE(form->findChild<QListWidget*>("List2")->count(), 0);  // the run ended with its reset
    const int probesAtEnd = probe.probeCount();
    QTest::qWait(50);
    QCOMPARE(probe.probeCount(), probesAtEnd);
}

void KeyboardTest::arrowKeysMoveTheSpeedSlider()
{
    press(Qt::Key_Tab, Qt::ControlModifier);
    tabTo("Slider1");
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    QCOMPARE(form->State.LoopDelay, 1500);
    press(Qt::Key_End);
    QCOMPARE(form->State.LoopDelay, 2500);
    press(Qt::Key_Left);
    QCOMPARE(form->State.LoopDelay, 2000);
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
