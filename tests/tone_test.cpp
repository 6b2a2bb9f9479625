#include "core/threaded_tone_player.h"
#include "core/tone.h"
#include "sound/tone_analysis.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

struct Note {
    double hz;
    int startMs;
    int lengthMs;
};
using Notes = std::vector<Note>;

std::size_t samplesIn(int ms)
{
    return std::size_t(ToneSampleRate) * ms / 1000;
}

int peakOf(std::span<const std::int16_t> samples)
{
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(int(sample)));
    return peak;
}

} // namespace

class ToneTest : public QObject {
    Q_OBJECT
private slots:
    void notesHavePitchLengthAndFades_data()
    {
        QTest::addColumn<ToneSamples>("samples");
        QTest::addColumn<Notes>("notes");
        const double gradeHz[] = {1568, 1175, 880, 659, 494};
        for (int grade = 1; grade <= 5; ++grade)
            QTest::addRow("grade %d", grade) << gradeTone(grade) << Notes{{gradeHz[grade - 1], 0, 120}};
        QTest::newRow("grade 6, two pulses") << gradeTone(6) << Notes{{220, 0, 60}, {220, 120, 60}};
        QTest::newRow("chime rises") << measuredChime() << Notes{{1047, 0, 80}, {1319, 80, 80}, {1568, 160, 80}};
        for (const int silent : {0, 7, -1})
            QTest::addRow("grade %d is silent", silent) << gradeTone(silent) << Notes{};
    }

    void notesHavePitchLengthAndFades()
    {
        QFETCH(ToneSamples, samples);
        QFETCH(Notes, notes);
        QCOMPARE(samples.size(), notes.empty() ? 0 : samplesIn(notes.back().startMs + notes.back().lengthMs));
        const auto found = findTones(samples, ToneSampleRate);
        QCOMPARE(found.size(), notes.size());
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const Note& note = notes[i];
            QVERIFY2(std::abs(found[i].hz - note.hz) <= note.hz / 100, qPrintable(u"%1 Hz"_s.arg(found[i].hz)));
            QVERIFY(found[i].periodSpread < 0.01);
            // Found by loudness, which the fades hold back a little at each end.
            QVERIFY(std::abs(found[i].onsetMs - note.startMs) <= 2);
            QVERIFY(std::abs(found[i].durationMs - note.lengthMs) <= 3);

            const auto noteSamples = std::span(samples).subspan(samplesIn(note.startMs), samplesIn(note.lengthMs));
            QCOMPARE(noteSamples.front(), 0);
            QCOMPARE(noteSamples.back(), 0);
            const int peak = peakOf(noteSamples);
            QVERIFY(peakOf(noteSamples.first(samplesIn(1))) < peak / 5);
            QVERIFY(peakOf(noteSamples.last(samplesIn(1))) < peak / 5);
            QVERIFY(peak <= 32767 * 3 / 10 + 1);
        }
    }

    // What the sound checks take for speech: two pitches at once, as in a
    // voice, whose rising zero crossings come unevenly.
    void twoPitchesAtOnceAreUnsteady()
    {
        ToneSamples voiced(samplesIn(100));
        for (std::size_t i = 0; i < voiced.size(); ++i) {
            const double t = double(i) / ToneSampleRate;
            voiced[i] = std::int16_t(
                4000 * (std::sin(2 * std::numbers::pi * 200 * t) + std::sin(2 * std::numbers::pi * 650 * t)));
        }
        const auto found = findTones(voiced, ToneSampleRate);
        QVERIFY(!found.empty());
        QVERIFY(found.front().periodSpread > 0.1);
    }

    void playerWithoutSoundServerSaysWhyAndNeverWaits()
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/orienzo-tone-test/native");
        auto player = std::make_unique<ThreadedTonePlayer>();
        player->setSoundOn(true);
        QSignalSpy changed(player.get(), &TonePlayer::availabilityChanged);
        std::vector<ToneSamples> tones;
        for (int grade = 1; grade <= 6; ++grade)
            tones.push_back(gradeTone(grade));
        QElapsedTimer timer;
        timer.start();
        for (const ToneSamples& tone : tones)
            player->play(tone);
        QVERIFY2(timer.elapsed() < 50, qPrintable(u"%1 ms"_s.arg(timer.elapsed())));

        QTRY_VERIFY(!player->unavailableReason().isEmpty());
        QVERIFY(player->unavailableReason().startsWith(u"No hay salida de sonido: "_s));
        QCOMPARE(changed.count(), 1);

        player->play(measuredChime());
        timer.restart();
        player.reset();
        QVERIFY2(timer.elapsed() < 300, qPrintable(u"%1 ms"_s.arg(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(ToneTest)
#include "tone_test.moc"
