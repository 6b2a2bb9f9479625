// Everything done here goes through the keyboard: the keys reach whichever
// control has the focus, as they would for a user without a mouse.
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <memory>

namespace {

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

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        platform::setPauseSpeedup(50);
        d = std::make_unique<WindowDriver>();
        QApplication::setActiveWindow(&d->form);
        QVERIFY(QTest::qWaitForWindowActive(&d->form));
    }
    void cleanup() { d.reset(); }

    void tabVisitsTheOctetBoxesLeftToRight()
    {
        QStringList visited;  // from the first receiving-station box, ready for typing
        for (int presses = 0; presses < 4; ++presses) {
            visited << focused();
            press(Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"Text1(3)", "Text1(2)", "Text1(1)", "Text1(0)"}));
        QVERIFY(tabTo("Command4"));
    }

    // Screen readers name every control the keyboard can reach: by its caption,
    // or by its row, such as "IP Receptor, octeto 1".
    void everyReachableControlHasAName()
    {
        for (QWidget* control : d->form.findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || control->objectName().isEmpty())
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(d->form.Text1[2])->text(QAccessible::Name), "IP Receptor, octeto 2");
    }

    void dynamicPageWorksWithKeysAlone()
    {
        press(Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(d->form.Frame16->isVisible());
        // A box entered with the keyboard has its text selected, so typing replaces the "0".
        const QStringList octets{"127", "0", "0", "1"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(focused(), QStringLiteral("Text1(%1)").arg(10 + i));
            QTest::keyClicks(QApplication::focusWidget(), octets[i]);
            press(Qt::Key_Tab);
        }
        QVERIFY(tabTo("Command6"));
        press(Qt::Key_Space);
        QVERIFY(!d->form.Command6->isEnabled());
        QCOMPARE(focused(), "Command7");
        QTRY_VERIFY(d->probe.probeCount() >= 2);
        QCOMPARE(d->probe.addresses().first(), "127.0.0.1");

        press(Qt::Key_Return);  // "DETENER", with Enter this time
        QVERIFY(d->form.Command6->isEnabled());
        QCOMPARE(focused(), "Command6");
        QTRY_COMPARE(d->form.List2->count(), 0);  // the run ended with its reset
        const int probesAtEnd = d->probe.probeCount();
        QTest::qWait(50);
        QCOMPARE(d->probe.probeCount(), probesAtEnd);

        QVERIFY(tabTo("Slider1"));
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        QCOMPARE(d->form.State.LoopDelay, 1500);
        press(Qt::Key_End);
        QCOMPARE(d->form.State.LoopDelay, 2500);
        press(Qt::Key_Left);
        QCOMPARE(d->form.State.LoopDelay, 2000);
    }

private:
    std::unique_ptr<WindowDriver> d;
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
