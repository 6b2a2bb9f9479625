// "Sonido": off at every start and switched by mouse or keyboard on both
// pages; with it on every graded pass or sample sounds its grade, and a
// measured orientation its chime. A missing sound output only changes what
// the switch says.
#include "core/threaded_speaker.h"
#include "core/threaded_tone_player.h"
#include "platform/pause_clock.h"
#include "sound/tone_analysis.h"
#include "support/window_driver.h"

#include <QMenuBar>
#include <QToolButton>

namespace {

// Each tone heard as the pitches of its notes, in whole Hz.
QStringList pitches(const QList<ToneSamples>& tones)
{
    QStringList heard;
    for (const ToneSamples& tone : tones) {
        QStringList notes;
        for (const FoundTone& note : findTones(tone, ToneSampleRate))
            notes << QString::number(qRound(note.hz));
        heard << notes.join(u' ');
    }
    return heard;
}

QToolButton* soundSwitch(const Form1& form)
{
    return controlOf<QToolButton>(&form, u"SoundSwitch"_s);
}

} // namespace

class SoundSwitchTest : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::setPauseSpeedup(100); }

    // It stands in the menu bar, no taller than the bar's items, so the
    // pages below do not move.
    void offAtStartAndSwitchedFromEitherPage()
    {
        WindowDriver d;
        QToolButton* sound = soundSwitch(d.form);
        QVERIFY(!sound->isChecked() && !d.tones.soundOn);
        QCOMPARE(sound->accessibleName(), "Sonido");
        QVERIFY(sound->toolTip().startsWith(u"Sonido apagado: pulse para oír"_s));
        QVERIFY(!sound->icon().isNull());
        QVERIFY(sound->sizeHint().height() <= d.form.menuBar()->cornerWidget(Qt::TopRightCorner)->sizeHint().height());
        QVERIFY(QTest::qWaitForWindowActive(&d.form));
        QTest::keyClick(&d.form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(sound->isChecked() && d.tones.soundOn);
        showPage(d.form, 1);
        QVERIFY(sound->isVisible());
        sound->setFocus(Qt::TabFocusReason);
        QTest::keyClick(sound, Qt::Key_Space);
        QVERIFY(!d.tones.soundOn);
    }

    // A pass in a gap draws no column and sounds nothing.
    void everyDrawnPassSoundsItsGrade()
    {
        WindowDriver d;
        for (const auto& [status, time] : {std::pair{0, 3}, {0, 9}, {EchoStatus::TimedOut, 1000}, {0, 30}, {0, 3}})
            d.probe.script(status, time);
        d.probe.hold(true);
        click(soundSwitch(d.form));
        d.iniciar();
        QVERIFY(d.completePasses(4));
        QCOMPARE(pitches(d.tones.played), QStringList({"1568", "220 220", "880"}));
        click(soundSwitch(d.form));
        QVERIFY(d.completePasses(1));
        QCOMPARE(d.tones.played.size(), 3);
    }

    void everySampleSoundsAndAMeasuredOrientationChimes()
    {
        WindowDriver d;
        click(soundSwitch(d.form));
        d.calcular();
        QVERIFY(d.measureTimes(45));
        QCOMPARE(pitches(d.tones.played), QStringList(15, "659") << "1047 1319 1568");
    }

    void withoutSoundOrVoiceTheSwitchSaysWhyAndRunsGoOn_data()
    {
        QTest::addColumn<bool>("voiceMissing");
        QTest::addColumn<QString>("told");
        QTest::newRow("no sound server") << false << "No hay salida de sonido: ";
        QTest::newRow("no speech service")
            << true
            << "\nSin voz: no se pudo conectar con el servicio de voz speech-dispatcher (paquete speech-dispatcher).";
    }

    // The real player or the real voice, with nothing to play into: a guided
    // orientation is measured as ever, at once, and the tones that can be
    // played are.
    void withoutSoundOrVoiceTheSwitchSaysWhyAndRunsGoOn()
    {
        QFETCH(bool, voiceMissing);
        QFETCH(QString, told);
        qputenv("PULSE_SERVER", "unix:/nonexistent/orienzo-sound-switch-test");
        qputenv("SPEECHD_ADDRESS", "unix_socket:/nonexistent/orienzo-sound-switch-test");
        ScriptedProbeService probe;
        RecordingTonePlayer recordedTones;
        ThreadedTonePlayer realTones;
        RecordingSpeaker recordedVoice;
        ThreadedSpeaker realVoice;
        OrienzoWindow form(probe, voiceMissing ? static_cast<TonePlayer&>(recordedTones) : realTones,
                           voiceMissing ? static_cast<Speaker&>(realVoice) : recordedVoice);
        form.show();
        click(soundSwitch(form));
        QTRY_VERIFY2(soundSwitch(form)->toolTip().contains(told), qPrintable(soundSwitch(form)->toolTip()));
        typeAddress(form, GuidedTargetBoxes, u"127.0.0.1"_s);
        click(controlOf(&form, u"Command1"_s));
        click(controlOf(openWindow("Form4"), "Command1"));
        QVERIFY(waitUntil([] { return buttonOf("Form2", "Command1") && buttonOf("Form2", "Command1")->isEnabled(); }));
        QCOMPARE(recordedTones.played.size(), voiceMissing ? 16 : 0);
    }
};

QTEST_MAIN(SoundSwitchTest)
#include "sound_switch_test.moc"
