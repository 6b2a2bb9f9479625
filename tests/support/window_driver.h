#pragma once

#include "app/orienzo_window.h"
#include "desktop/window_actions.h"
#include "main_window/cue_timer.h"
#include "main_window/shape.h"
#include "support/recording_speaker.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <functional>

// Every window test writes its texts as u"..."_s.
using namespace Qt::StringLiterals;

class QMessageBox;

// What a user does with the windows and sees of them, for the tests, beyond
// what the benchmarks do too (desktop/window_actions.h).

// The visible message boxes with this title.
QList<QMessageBox*> openMessageBoxes(const QString& title);

// Replaces the box's text with `text` through the clipboard, as a paste.
void paste(QLineEdit* box, const QString& text);
// Replaces the box's text with `text` key by key, as the keyboard delivers
// it: Tab and Return as those keys, a printable ASCII character through its
// key, any other as an input method hands it over.
void typeText(QLineEdit* box, const QString& text);
QStringList lines(const QListWidget* list);
// The texts of these boxes of `window`, in this order.
QStringList texts(const QWidget* window, std::initializer_list<const char*> names);
// One column of a character chart, top cell first.
QString column(const QStringList& chart, int index);
// Like QTest::qWaitFor without its 10 ms naps between looks, so that the
// measurements' quickened pauses stay quick.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// What the window system sends when the user closes a window through its frame.
void closeThroughFrame(QWidget* window);

// The program's main window, shown, on scripted probes unless others are
// given, with the steps of the guided and dynamic alignments as a user takes
// them.
class WindowDriver {
public:
    explicit WindowDriver(ProbeService* probes = nullptr) : form(probes ? *probes : probe, tones, voice)
    {
        form.show();
    }

    ScriptedProbeService probe;
    RecordingTonePlayer tones;
    RecordingSpeaker voice;
    OrienzoWindow form;

    template <typename Control = QWidget>
    Control* control(const QString& name) const
    {
        return controlOf<Control>(&form, name);
    }
    void click(const QString& name) const { ::click(control(name)); }
    // The shared alignment state, as the alignments reach it through their view.
    AlignmentState& state() { return static_cast<GuidedView&>(form).state(); }
    // The captions of the enabled ones of "CALCULAR", "BORRAR DATOS", "INICIAR"
    // and "DETENER", in this order.
    QStringList enabledButtons() const;

    // Guided: the prompt window Form4 and the measurement window Form2.
    static QWidget* prompt() { return openWindow(u"Form4"_s); }
    static QWidget* measurement() { return openWindow(u"Form2"_s); }
    // Types the address into the guided "IP Receptor" boxes and presses "CALCULAR".
    void calcular(const QString& address = u"127.0.0.1"_s);
    static void aceptar() { ::click(controlOf(prompt(), u"Command1"_s)); }
    static void detener() { ::click(controlOf(prompt(), u"Command2"_s)); }
    static void completado() { ::click(controlOf(measurement(), u"Command1"_s)); }
    static QString promptText() { return controlOf<QPlainTextEdit>(prompt(), u"Text1"_s)->toPlainText(); }
    static bool runEnded() { return measurement() && controlOf(measurement(), u"Command1"_s)->isEnabled(); }
    static QStringList measurementLines() { return lines(controlOf<QListWidget>(measurement(), u"List1"_s)); }
    // The measurement window's five chart lines, top to bottom.
    static QStringList measurementChart()
    {
        return texts(measurement(), {"Text2", "Text3", "Text4", "Text9", "Text10"});
    }
    // Measures the prompted orientation, its first samples with these outcomes
    // and the others answered in 1 ms, until "COMPLETADO" is enabled.
    bool measure(const QList<ScriptedProbeService::Outcome>& outcomes);
    // Fifteen samples of this round-trip time.
    bool measureTimes(qint32 roundTripTime)
    {
        return measure(QList<ScriptedProbeService::Outcome>(15, {0, roundTripTime}));
    }
    // The sum bar of a guided row: ProgressBar4 to ProgressBar7.
    QProgressBar* sumBar(int row) const { return control<QProgressBar>(u"ProgressBar%1"_s.arg(row + 4)); }
    // The four arms of the guided page's direction cross, Shape6(0) to Shape6(3).
    QList<Shape*> arms() const
    {
        return {control<Shape>(u"Shape6(0)"_s), control<Shape>(u"Shape6(1)"_s), control<Shape>(u"Shape6(2)"_s),
                control<Shape>(u"Shape6(3)"_s)};
    }
    // The sum box of a guided row: Text10(0) to Text10(3).
    QLineEdit* sumBox(int row) const { return control<QLineEdit>(u"Text10(%1)"_s.arg(row)); }
    QString total(int row) const { return sumBox(row)->text(); }

    // Dynamic: types the address on its page and presses "INICIAR".
    void iniciar(const QString& address = u"127.0.0.1"_s);
    // The dynamic page's five chart lines, top to bottom.
    QStringList dynamicChart() const { return texts(&form, {"Text12", "Text8", "Text7", "Text13", "Text10(4)"}); }
    QStringList passLines() const
    {
        return lines(control<QListWidget>(u"List2"_s)).filter(u"Ultimo valor para alineacion"_s);
    }
    bool dynamicRunning() const { return form.findChild<QObject*>(u"RunDynamicAlignment"_s); }

    // With probes held: lets the next probe answer once it is sent, and
    // waits until `recorded`.
    bool answerProbe(const std::function<bool()>& recorded);
    // With probes held: answers the probes of that many dynamic passes, and
    // returns once the loop waits on the probe of the pass after them.
    bool completePasses(int passes);
};
