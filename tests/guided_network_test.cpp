#include "app/orienzo_window.h"
#include "core/threaded_probe_service.h"
#include "platform/pause_clock.h"
#include "support/recording_tone_player.h"
#include "support/window_driver.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// One orientation measured with real echo requests to this machine.
class GuidedNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void loopbackOrientationIsAllGood();
};

void GuidedNetworkTest::loopbackOrientationIsAllGood()
{
    ThreadedProbeService probe;
    if (!probe.socketsStartup())
        QSKIP(qPrintable(probe.startupFailure()));
    platform::setPauseSpeedup(50);
    RecordingTonePlayer tones;
    OrienzoWindow form(probe, tones);
    form.show();
    typeAddress(form, GuidedTargetBoxes, "127.0.0.1");
    QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(buttonOf("Form4", "Command1"));
    QTest::mouseClick(buttonOf("Form4", "Command1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(buttonOf("Form2", "Command1") && buttonOf("Form2", "Command1")->isEnabled(), 30000);

    QWidget* measurement = openWindow("Form2");
    const auto* list = measurement->findChild<QListWidget*>("List1");
    QCOMPARE(list->count(), 15);
    for (int row = 0; row < 15; ++row)
        QVERIFY(list->item(row)->text().startsWith("Ultimo valor para alineacion +Vertical "));
    for (const char* line : {"Text2", "Text3", "Text4", "Text9", "Text10"})
        QCOMPARE(measurement->findChild<QLineEdit*>(line)->text(), QString(15, u'|'));
    QCOMPARE(form.findChild<QLineEdit*>("Text10(0)")->text(), " 15");

    QTest::mouseClick(buttonOf("Form2", "Command1"), Qt::LeftButton);
    QVERIFY(openWindow("Form4"));
}

QTEST_MAIN(GuidedNetworkTest)
#include "guided_network_test.moc"
